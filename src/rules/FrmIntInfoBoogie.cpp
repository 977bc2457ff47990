#include "FrmIntInfoBoogie.h"
#include "ProgramState.h"

TFrmIntInfoBoogie::TFrmIntInfoBoogie(ProgramState& state, QWidget* parent)
    : EmbeddedForm("FrmIntInfoBoogie", QSize(545, 385), parent), state_(state)
{
}
