#pragma once
#include "EmbeddedForm.h"

struct ProgramState;

class TFrmMusikAusblendenLatein : public EmbeddedForm {
    Q_OBJECT
public:
    explicit TFrmMusikAusblendenLatein(ProgramState& state, QWidget* parent = nullptr);

private:
    ProgramState& state_;
};
