#pragma once
#include "rules/RuleInfoWindow.h"

class RockNRollInfoWindow : public NationalInfoWindow {
    Q_OBJECT
public:
    explicit RockNRollInfoWindow(ProgramState& state, QWidget* parent = nullptr);
};
