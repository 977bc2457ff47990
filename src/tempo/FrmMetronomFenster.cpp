#include "FrmMetronomFenster.h"
#include "ProgramState.h"

TFrmMetronomFenster::TFrmMetronomFenster(ProgramState& state, QWidget* parent)
    : EmbeddedForm("FrmMetronomFenster", QSize(545, 369), parent), state_(state)
{
}
