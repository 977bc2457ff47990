#pragma once
#include "EmbeddedForm.h"

struct ProgramState;

class TFrmIntInfoLatein : public EmbeddedForm {
    Q_OBJECT
public:
    explicit TFrmIntInfoLatein(ProgramState& state, QWidget* parent = nullptr);

private:
    ProgramState& state_;
};
