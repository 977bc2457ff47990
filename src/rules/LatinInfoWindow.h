#pragma once
#include "rules/RuleInfoWindow.h"

class LatinInfoWindow : public NationalInfoWindow {
    Q_OBJECT
public:
    explicit LatinInfoWindow(ProgramState& state, QWidget* parent = nullptr);
};
