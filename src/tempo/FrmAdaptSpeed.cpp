#include "widgets/ScreenPlacement.h"
#include "tempo/FrmAdaptSpeed.h"
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

TFrmAdaptSpeed::TFrmAdaptSpeed(ProgramState& state, QWidget* parent)
    : AdaptDialog("FrmAdaptSpeed", QSize(290, 156), parent),
      state_(state)
{
    // Wide enough for a range's adjustment, "-1,96% <-> +1,96%", in today's fonts.
    buildControls(this, Layout{QRect(5, 4, 280, 112), 100, 160, 22, QRect(105, 122, 80, 28), Qt::white});
}

void TFrmAdaptSpeed::ShowRuleAdaptation(const QString& actualText)
{
    CentreOnScreen(*this);
    QString actual = actualText;
    if (isZeroMeasurement(actual) && !askForTempo(actual))
        return;
    ED_actualSpeed->setText(actual);
    ED_desiredSpeed->setText(desiredTempoOfSelection());
    ED_Anpassung->clear();
    if (!ED_actualSpeed->text().isEmpty() && !ED_desiredSpeed->text().isEmpty()) {
        const double actualTempo = TextToNumber(ED_actualSpeed->text(), *state_.messages);
        ED_Anpassung->setText(RuleAdaptationText(actualTempo, ED_desiredSpeed->text(), *state_.messages));
    }
    runModal();
}

bool TFrmAdaptSpeed::askForTempo(QString& actualText)
{
    QString answer = QStringLiteral("46");
    // A cancelled box leaves the preset answer.
    state_.messages->inputQuery(QStringLiteral("Tempo des Titels"),
                                QStringLiteral("Geschwindigkeit in Takte-pro-Minute eingeben"), answer);
    // Zero or an unreadable answer would only give a meaningless adjustment.
    const std::optional<double> tempo = ReadNumber(answer, nullptr);
    if (!tempo || *tempo <= 0) {
        state_.messages->warning(QStringLiteral("Keine gültige Zahl!"));
        return false;
    }
    actualText = answer;
    return true;
}

QString TFrmAdaptSpeed::desiredTempoOfSelection() const
{
    const RuleRow* row = state_.selection ? state_.selection->chosenRow() : nullptr;
    return row ? row->BarsPerMin : QString();
}
