#include "FrmIntInfoStandard.h"
#include "ProgramState.h"

TFrmIntInfoStandard::TFrmIntInfoStandard(ProgramState& state, QWidget* parent)
    : EmbeddedForm("FrmIntInfoStandard", QSize(545, 385), parent), state_(state)
{
}
