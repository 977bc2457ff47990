#include "FrmIntInfoFormations.h"
#include "ProgramState.h"

TFrmIntInfoFormations::TFrmIntInfoFormations(ProgramState& state, QWidget* parent)
    : EmbeddedForm("FrmIntInfoFormations", QSize(545, 385), parent), state_(state)
{
}
