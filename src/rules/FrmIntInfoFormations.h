#pragma once
#include "EmbeddedForm.h"

struct ProgramState;

class TFrmIntInfoFormations : public EmbeddedForm {
    Q_OBJECT
public:
    explicit TFrmIntInfoFormations(ProgramState& state, QWidget* parent = nullptr);

private:
    ProgramState& state_;
};
