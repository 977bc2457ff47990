#pragma once
#include "EmbeddedForm.h"

struct ProgramState;

class TFrmBoogieWoogieTaktZeitInfo : public EmbeddedForm {
    Q_OBJECT
public:
    explicit TFrmBoogieWoogieTaktZeitInfo(ProgramState& state, QWidget* parent = nullptr);

private:
    ProgramState& state_;
};
