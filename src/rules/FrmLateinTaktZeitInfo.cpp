#include "FrmLateinTaktZeitInfo.h"
#include "ProgramState.h"

TFrmLateinTaktZeitInfo::TFrmLateinTaktZeitInfo(ProgramState& state, QWidget* parent)
    : EmbeddedForm("FrmLateinTaktZeitInfo", QSize(545, 369), parent), state_(state)
{
}
