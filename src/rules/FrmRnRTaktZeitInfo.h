#pragma once
#include "EmbeddedForm.h"

struct ProgramState;

class TFrmRnRTaktZeitInfo : public EmbeddedForm {
    Q_OBJECT
public:
    explicit TFrmRnRTaktZeitInfo(ProgramState& state, QWidget* parent = nullptr);

private:
    ProgramState& state_;
};
