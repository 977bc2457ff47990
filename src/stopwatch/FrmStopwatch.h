#pragma once
#include "EmbeddedForm.h"

struct ProgramState;

class TFrmStopwatch : public EmbeddedForm {
    Q_OBJECT
public:
    explicit TFrmStopwatch(ProgramState& state, QWidget* parent = nullptr);

private:
    ProgramState& state_;
};
