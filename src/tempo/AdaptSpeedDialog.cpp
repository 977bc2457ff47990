#include "widgets/ScreenPlacement.h"
#include "tempo/AdaptSpeedDialog.h"
#include "common/Messages.h"
#include "common/NumberText.h"
#include "common/ProgramState.h"
#include "rules/DanceSelection.h"
#include "rules/RuleTables.h"
#include "tempo/SpeedConversion.h"
#include <QLineEdit>

namespace {

// The measurement's text of zero, in either decimal separator.
bool isZeroMeasurement(const QString& text)
{
    return text == QStringLiteral("0,0") || text == QStringLiteral("0.0");
}

} // namespace

AdaptSpeedDialog::AdaptSpeedDialog(ProgramState& state, QWidget* parent)
    : AdaptDialog("AdaptSpeedDialog", QSize(290, 156), parent),
      state_(state)
{
    // Wide enough for a range's adjustment, "-1,96% <-> +1,96%", in today's fonts.
    buildControls(this, Layout{QRect(5, 4, 280, 112), 116, 144, 22, QRect(100, 122, 90, 28), Qt::white});
}

void AdaptSpeedDialog::showRuleAdaptation(const QString& actualText)
{
    centreOnScreen(*this);
    QString actual = actualText;
    if (isZeroMeasurement(actual) && !askForTempo(actual))
        return;
    actualSpeedEdit->setText(actual);
    desiredSpeedEdit->setText(desiredTempoOfSelection());
    adaptationEdit->clear();
    if (!actualSpeedEdit->text().isEmpty() && !desiredSpeedEdit->text().isEmpty()) {
        const double actualTempo = textToNumber(actualSpeedEdit->text(), *state_.messages);
        adaptationEdit->setText(ruleAdaptationText(actualTempo, desiredSpeedEdit->text(), *state_.messages));
    }
    runModal();
}

bool AdaptSpeedDialog::askForTempo(QString& actualText)
{
    QString answer = QStringLiteral("46");
    // A cancelled box leaves the preset answer.
    state_.messages->inputQuery(QStringLiteral("Tempo des Titels"),
                                QStringLiteral("Geschwindigkeit in Takte-pro-Minute eingeben"), answer);
    // Zero or an unreadable answer would only give a meaningless adjustment.
    const std::optional<double> tempo = readNumber(answer, nullptr);
    if (!tempo || *tempo <= 0) {
        state_.messages->warning(QStringLiteral("Keine gültige Zahl!"));
        return false;
    }
    actualText = answer;
    return true;
}

QString AdaptSpeedDialog::desiredTempoOfSelection() const
{
    const RuleRow* row = state_.selection ? state_.selection->chosenRow() : nullptr;
    return row ? row->barsPerMin : QString();
}
