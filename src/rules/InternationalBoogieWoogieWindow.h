#pragma once
#include "rules/RuleInfoWindow.h"

class InternationalBoogieWoogieWindow : public InternationalInfoWindow {
    Q_OBJECT
public:
    explicit InternationalBoogieWoogieWindow(ProgramState& state, QWidget* parent = nullptr);
};
