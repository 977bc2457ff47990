#pragma once
#include "rules/RuleInfoWindow.h"

class BallroomInfoWindow : public NationalInfoWindow {
    Q_OBJECT
public:
    explicit BallroomInfoWindow(ProgramState& state, QWidget* parent = nullptr);
};
