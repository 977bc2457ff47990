#include "FrmIntInfoLatein.h"
#include "ProgramState.h"

TFrmIntInfoLatein::TFrmIntInfoLatein(ProgramState& state, QWidget* parent)
    : EmbeddedForm("FrmIntInfoLatein", QSize(545, 385), parent), state_(state)
{
}
