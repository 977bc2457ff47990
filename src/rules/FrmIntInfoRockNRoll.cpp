#include "FrmIntInfoRockNRoll.h"
#include "ProgramState.h"

TFrmIntInfoRockNRoll::TFrmIntInfoRockNRoll(ProgramState& state, QWidget* parent)
    : EmbeddedForm("FrmIntInfoRockNRoll", QSize(545, 385), parent), state_(state)
{
}
