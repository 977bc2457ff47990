#pragma once
#include "rules/RuleInfoWindow.h"

class TFrmIntInfoFormations : public InternationalInfoWindow {
    Q_OBJECT
public:
    explicit TFrmIntInfoFormations(ProgramState& state, QWidget* parent = nullptr);
};
