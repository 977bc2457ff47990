#pragma once
#include "rules/RuleInfoWindow.h"

class TFrmFormationTaktZeitInfo : public NationalInfoWindow {
    Q_OBJECT
public:
    explicit TFrmFormationTaktZeitInfo(ProgramState& state, QWidget* parent = nullptr);
};
