#pragma once
#include "rules/RuleInfoWindow.h"

class InternationalLatinWindow : public InternationalInfoWindow {
    Q_OBJECT
public:
    explicit InternationalLatinWindow(ProgramState& state, QWidget* parent = nullptr);
};
