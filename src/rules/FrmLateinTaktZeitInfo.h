#pragma once
#include "rules/RuleInfoWindow.h"

class TFrmLateinTaktZeitInfo : public NationalInfoWindow {
    Q_OBJECT
public:
    explicit TFrmLateinTaktZeitInfo(ProgramState& state, QWidget* parent = nullptr);
};
