#include "widgets/ScreenPlacement.h"
#include "tempo/AdaptFixedSpeedDialog.h"
#include "common/NumberText.h"
#include "widgets/EmbeddedForm.h"
#include "widgets/RoundedFrame.h"
#include "widgets/Theme.h"
#include "tempo/SpeedConversion.h"
#include <QFrame>
#include <QLineEdit>

AdaptFixedSpeedDialog::AdaptFixedSpeedDialog(QWidget* parent)
    : AdaptDialog("AdaptFixedSpeedDialog", QSize(323, 220), parent)
{
    const auto followTheme = [this] { setPalette(themePalette(Theme::instance().colours().form)); };
    followTheme();
    connect(&Theme::instance(), &Theme::changed, this, followTheme);
    setAutoFillBackground(true);

    frame = new QFrame(this);
    frame->setObjectName("Panel1");
    frame->setGeometry(5, 5, 313, 209);
    auto* shape = new RoundedFrame(8, frame);
    shape->setGeometry(frame->rect());

    buildControls(frame, Layout{QRect(16, 14, 281, 138), 118, 141, 24, QRect(111, 166, 91, 28), QColor(255, 255, 183)});
}

void AdaptFixedSpeedDialog::showFixedAdaptation(float actual, float desired)
{
    centreOnScreen(*this);
    actualSpeedEdit->setText(formatFixed(actual, 1, 8));
    desiredSpeedEdit->setText(formatFixed(desired, 1, 8));
    // A tempo of zero cannot be adapted; the field stays empty rather than showing infinity.
    adaptationEdit->setText(fixedAdaptationText(actual, desired).value_or(QString()));
    runModal();
}
