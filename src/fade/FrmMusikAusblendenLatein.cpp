#include "FrmMusikAusblendenLatein.h"
#include "ProgramState.h"

TFrmMusikAusblendenLatein::TFrmMusikAusblendenLatein(ProgramState& state, QWidget* parent)
    : EmbeddedForm("FrmMusikAusblendenLatein", QSize(537, 369), parent), state_(state)
{
}
