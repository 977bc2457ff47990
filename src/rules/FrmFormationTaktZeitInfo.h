#pragma once
#include "EmbeddedForm.h"

struct ProgramState;

class TFrmFormationTaktZeitInfo : public EmbeddedForm {
    Q_OBJECT
public:
    explicit TFrmFormationTaktZeitInfo(ProgramState& state, QWidget* parent = nullptr);

private:
    ProgramState& state_;
};
