#pragma once
#include "rules/RuleInfoWindow.h"

class FormationInfoWindow : public NationalInfoWindow {
    Q_OBJECT
public:
    explicit FormationInfoWindow(ProgramState& state, QWidget* parent = nullptr);
};
