#pragma once
#include "rules/RuleInfoWindow.h"

class TFrmRnRTaktZeitInfo : public NationalInfoWindow {
    Q_OBJECT
public:
    explicit TFrmRnRTaktZeitInfo(ProgramState& state, QWidget* parent = nullptr);
};
