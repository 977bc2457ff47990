#pragma once
#include "rules/RuleInfoWindow.h"

class InternationalRockNRollWindow : public InternationalInfoWindow {
    Q_OBJECT
public:
    explicit InternationalRockNRollWindow(ProgramState& state, QWidget* parent = nullptr);
};
