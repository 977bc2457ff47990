#pragma once
#include "EmbeddedForm.h"

struct ProgramState;

class TFrmStdTaktZeitInfo : public EmbeddedForm {
    Q_OBJECT
public:
    explicit TFrmStdTaktZeitInfo(ProgramState& state, QWidget* parent = nullptr);

private:
    ProgramState& state_;
};
