#pragma once
#include "EmbeddedForm.h"

struct ProgramState;

class TFrmIntInfoBoogie : public EmbeddedForm {
    Q_OBJECT
public:
    explicit TFrmIntInfoBoogie(ProgramState& state, QWidget* parent = nullptr);

private:
    ProgramState& state_;
};
