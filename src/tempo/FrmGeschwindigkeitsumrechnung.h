#pragma once
#include "EmbeddedForm.h"

struct ProgramState;

class TFrmGeschwindigkeitsumrechnung : public EmbeddedForm {
    Q_OBJECT
public:
    explicit TFrmGeschwindigkeitsumrechnung(ProgramState& state, QWidget* parent = nullptr);

private:
    ProgramState& state_;
};
