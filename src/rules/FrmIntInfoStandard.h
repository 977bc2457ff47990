#pragma once
#include "EmbeddedForm.h"

struct ProgramState;

class TFrmIntInfoStandard : public EmbeddedForm {
    Q_OBJECT
public:
    explicit TFrmIntInfoStandard(ProgramState& state, QWidget* parent = nullptr);

private:
    ProgramState& state_;
};
