#include "widgets/ScreenPlacement.h"
#include "tempo/FrmAdaptFixSpeed.h"
#include "common/NumberText.h"
#include "widgets/RoundedFrame.h"
#include "tempo/SpeedConversion.h"
#include <QFrame>
#include <QLineEdit>

TFrmAdaptFixSpeed::TFrmAdaptFixSpeed(QWidget* parent)
    : AdaptDialog("FrmAdaptFixSpeed", QSize(323, 220), parent)
{
    const QColor blue(72, 109, 170);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, blue);
    setPalette(palette);
    setAutoFillBackground(true);

    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setGeometry(5, 5, 313, 209);
    auto* shape = new RoundedFrame(8, Panel1);
    shape->setGeometry(Panel1->rect());

    buildControls(Panel1,
                  Layout{QRect(16, 14, 281, 138), 110, 141, 24, QRect(116, 166, 81, 28), QColor(255, 255, 183)});
}

void TFrmAdaptFixSpeed::ShowFixedAdaptation(float actual, float desired)
{
    CentreOnScreen(*this);
    ED_actualSpeed->setText(FormatFixed(actual, 1, 8));
    ED_desiredSpeed->setText(FormatFixed(desired, 1, 8));
    // A tempo of zero cannot be adapted; the field stays empty rather than showing infinity.
    ED_Anpassung->setText(FixedAdaptationText(actual, desired).value_or(QString()));
    runModal();
}
