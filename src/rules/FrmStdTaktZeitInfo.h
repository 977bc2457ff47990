#pragma once
#include "rules/RuleInfoWindow.h"

class TFrmStdTaktZeitInfo : public NationalInfoWindow {
    Q_OBJECT
public:
    explicit TFrmStdTaktZeitInfo(ProgramState& state, QWidget* parent = nullptr);
};
