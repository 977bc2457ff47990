#include "FrmMusikAusblenden.h"
#include "ProgramState.h"

TFrmMusikAusblenden::TFrmMusikAusblenden(ProgramState& state, QWidget* parent)
    : EmbeddedForm("FrmMusikAusblenden", QSize(545, 369), parent), state_(state)
{
}
