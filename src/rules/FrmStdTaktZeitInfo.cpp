#include "FrmStdTaktZeitInfo.h"
#include "ProgramState.h"

TFrmStdTaktZeitInfo::TFrmStdTaktZeitInfo(ProgramState& state, QWidget* parent)
    : EmbeddedForm("FrmStdTaktZeitInfo", QSize(545, 369), parent), state_(state)
{
}
