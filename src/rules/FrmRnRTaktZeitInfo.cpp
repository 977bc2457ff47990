#include "FrmRnRTaktZeitInfo.h"
#include "ProgramState.h"

TFrmRnRTaktZeitInfo::TFrmRnRTaktZeitInfo(ProgramState& state, QWidget* parent)
    : EmbeddedForm("FrmRnRTaktZeitInfo", QSize(545, 369), parent), state_(state)
{
}
