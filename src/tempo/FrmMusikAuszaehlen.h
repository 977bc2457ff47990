#pragma once
#include "EmbeddedForm.h"

struct ProgramState;

class TFrmMusikAuszaehlen : public EmbeddedForm {
    Q_OBJECT
public:
    explicit TFrmMusikAuszaehlen(ProgramState& state, QWidget* parent = nullptr);

private:
    ProgramState& state_;
};
