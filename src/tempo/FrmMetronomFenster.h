#pragma once
#include "EmbeddedForm.h"

struct ProgramState;

class TFrmMetronomFenster : public EmbeddedForm {
    Q_OBJECT
public:
    explicit TFrmMetronomFenster(ProgramState& state, QWidget* parent = nullptr);

private:
    ProgramState& state_;
};
