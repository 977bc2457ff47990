#include "FrmStopwatch.h"
#include "ProgramState.h"

TFrmStopwatch::TFrmStopwatch(ProgramState& state, QWidget* parent)
    : EmbeddedForm("FrmStopwatch", QSize(489, 297), parent), state_(state)
{
}
