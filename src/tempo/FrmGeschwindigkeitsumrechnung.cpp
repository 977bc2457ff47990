#include "FrmGeschwindigkeitsumrechnung.h"
#include "ProgramState.h"

TFrmGeschwindigkeitsumrechnung::TFrmGeschwindigkeitsumrechnung(ProgramState& state, QWidget* parent)
    : EmbeddedForm("FrmGeschwindigkeitsumrechnung", QSize(545, 369), parent), state_(state)
{
}
