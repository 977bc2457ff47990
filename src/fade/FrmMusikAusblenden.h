#pragma once
#include "EmbeddedForm.h"

struct ProgramState;

class TFrmMusikAusblenden : public EmbeddedForm {
    Q_OBJECT
public:
    explicit TFrmMusikAusblenden(ProgramState& state, QWidget* parent = nullptr);

private:
    ProgramState& state_;
};
