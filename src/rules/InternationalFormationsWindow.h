#pragma once
#include "rules/RuleInfoWindow.h"

class InternationalFormationsWindow : public InternationalInfoWindow {
    Q_OBJECT
public:
    explicit InternationalFormationsWindow(ProgramState& state, QWidget* parent = nullptr);
};
