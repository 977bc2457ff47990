#include "FrmFormationTaktZeitInfo.h"
#include "ProgramState.h"

TFrmFormationTaktZeitInfo::TFrmFormationTaktZeitInfo(ProgramState& state, QWidget* parent)
    : EmbeddedForm("FrmFormationTaktZeitInfo", QSize(545, 369), parent), state_(state)
{
}
