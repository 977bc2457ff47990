#pragma once
#include "rules/RuleInfoWindow.h"

class TFrmIntInfoStandard : public InternationalInfoWindow {
    Q_OBJECT
public:
    explicit TFrmIntInfoStandard(ProgramState& state, QWidget* parent = nullptr);
};
