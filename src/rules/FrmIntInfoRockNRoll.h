#pragma once
#include "EmbeddedForm.h"

struct ProgramState;

class TFrmIntInfoRockNRoll : public EmbeddedForm {
    Q_OBJECT
public:
    explicit TFrmIntInfoRockNRoll(ProgramState& state, QWidget* parent = nullptr);

private:
    ProgramState& state_;
};
