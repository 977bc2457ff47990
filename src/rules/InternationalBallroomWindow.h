#pragma once
#include "rules/RuleInfoWindow.h"

class InternationalBallroomWindow : public InternationalInfoWindow {
    Q_OBJECT
public:
    explicit InternationalBallroomWindow(ProgramState& state, QWidget* parent = nullptr);
};
