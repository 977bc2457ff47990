#pragma once
#include "rules/RuleInfoWindow.h"

class TFrmIntInfoBoogie : public InternationalInfoWindow {
    Q_OBJECT
public:
    explicit TFrmIntInfoBoogie(ProgramState& state, QWidget* parent = nullptr);
};
