#pragma once
#include "rules/RuleInfoWindow.h"

class TFrmBoogieWoogieTaktZeitInfo : public NationalInfoWindow {
    Q_OBJECT
public:
    explicit TFrmBoogieWoogieTaktZeitInfo(ProgramState& state, QWidget* parent = nullptr);
};
