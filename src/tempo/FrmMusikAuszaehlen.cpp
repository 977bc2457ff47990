#include "FrmMusikAuszaehlen.h"
#include "ProgramState.h"

TFrmMusikAuszaehlen::TFrmMusikAuszaehlen(ProgramState& state, QWidget* parent)
    : EmbeddedForm("FrmMusikAuszaehlen", QSize(545, 369), parent), state_(state)
{
}
