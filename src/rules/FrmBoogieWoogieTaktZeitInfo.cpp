#include "FrmBoogieWoogieTaktZeitInfo.h"
#include "ProgramState.h"

TFrmBoogieWoogieTaktZeitInfo::TFrmBoogieWoogieTaktZeitInfo(ProgramState& state, QWidget* parent)
    : EmbeddedForm("FrmBoogieWoogieTaktZeitInfo", QSize(545, 369), parent), state_(state)
{
}
