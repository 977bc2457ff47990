#pragma once
#include "rules/RuleInfoWindow.h"

class TFrmIntInfoLatein : public InternationalInfoWindow {
    Q_OBJECT
public:
    explicit TFrmIntInfoLatein(ProgramState& state, QWidget* parent = nullptr);
};
