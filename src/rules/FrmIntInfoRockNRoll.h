#pragma once
#include "rules/RuleInfoWindow.h"

class TFrmIntInfoRockNRoll : public InternationalInfoWindow {
    Q_OBJECT
public:
    explicit TFrmIntInfoRockNRoll(ProgramState& state, QWidget* parent = nullptr);
};
