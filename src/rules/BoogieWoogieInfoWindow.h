#pragma once
#include "rules/RuleInfoWindow.h"

class BoogieWoogieInfoWindow : public NationalInfoWindow {
    Q_OBJECT
public:
    explicit BoogieWoogieInfoWindow(ProgramState& state, QWidget* parent = nullptr);
};
