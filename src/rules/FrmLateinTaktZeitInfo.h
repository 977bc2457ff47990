#pragma once
#include "EmbeddedForm.h"

struct ProgramState;

class TFrmLateinTaktZeitInfo : public EmbeddedForm {
    Q_OBJECT
public:
    explicit TFrmLateinTaktZeitInfo(ProgramState& state, QWidget* parent = nullptr);

private:
    ProgramState& state_;
};
