#include "tempo/SpeedConversionWindow.h"
#include "common/Messages.h"
#include "common/NumberText.h"
#include "common/ProgramState.h"
#include "widgets/RoundedFrame.h"
#include "tempo/MeasuredTempo.h"
#include "tempo/SpeedConversion.h"
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

SpeedConversionWindow::SpeedConversionWindow(ProgramState& state, QWidget* parent)
    : EmbeddedForm("SpeedConversionWindow", QSize(545, 369), parent),
      state_(state)
{
    QFrame* panel = EmbeddedForm::panel();
    auto* shape = new RoundedFrame(8, panel);
    shape->setGeometry(40, 50, 465, 260);

    auto addRow = [panel](int top, QLabel*& label, QLineEdit*& field, QLabel*& unit) {
        label = new QLabel(panel);
        label->setGeometry(80, top + 3, 120, 20);
        field = new QLineEdit(panel);
        field->setGeometry(205, top, 110, 26);
        unit = new QLabel(panel);
        unit->setGeometry(325, top + 3, 120, 20);
        label->setBuddy(field);
    };
    addRow(90, actualTempoLabel, actualTempoEdit, actualUnitLabel);
    addRow(135, desiredTempoLabel, desiredTempoEdit, desiredUnitLabel);
    addRow(180, adaptationLabel, adaptationEdit, percentLabel);
    actualTempoEdit->setObjectName("actualTempoEdit");
    desiredTempoEdit->setObjectName("desiredTempoEdit");
    adaptationEdit->setObjectName("adaptationEdit");
    adaptationEdit->setReadOnly(true);
    percentLabel->setText("%");

    auto addButton = [panel](int left, const char* name) {
        auto* button = new QPushButton(panel);
        button->setObjectName(name);
        button->setGeometry(left, 245, 110, 30);
        return button;
    };
    helpButton = addButton(80, "helpButton");
    calculateButton = addButton(205, "calculateButton");
    resetButton = addButton(330, "resetButton");

    setTabOrder(actualTempoEdit, desiredTempoEdit);
    setTabOrder(desiredTempoEdit, adaptationEdit);
    setTabOrder(adaptationEdit, helpButton);
    setTabOrder(helpButton, calculateButton);
    setTabOrder(calculateButton, resetButton);

    connect(actualTempoEdit, &QLineEdit::returnPressed, this, &SpeedConversionWindow::actualTempoEntered);
    connect(desiredTempoEdit, &QLineEdit::returnPressed, this, &SpeedConversionWindow::desiredTempoEntered);
    connect(calculateButton, &QPushButton::clicked, this, &SpeedConversionWindow::calculateClicked);
    connect(resetButton, &QPushButton::clicked, this, &SpeedConversionWindow::resetClicked);
    connect(helpButton, &QPushButton::clicked, this, &EmbeddedForm::helpRequested);
    applyLanguage();
}

void SpeedConversionWindow::setMeasuredTempo(MeasuredTempo* measured)
{
    actualTempoEdit->setText(measured->text());
    // The operator's text stays as typed ("51.97", "48,") while it says the measured tempo.
    connect(measured, &MeasuredTempo::changed, actualTempoEdit, [this, measured] {
        if (decimalValue(actualTempoEdit->text()) != measured->barsPerMinute())
            actualTempoEdit->setText(measured->text());
    });
    connect(actualTempoEdit, &QLineEdit::textChanged, measured,
            [measured](const QString& text) { measured->setBarsPerMinute(decimalValue(text)); });
}

void SpeedConversionWindow::applyLanguage()
{
    actualTempoLabel->setText(tr("Ist-Tempo:"));
    actualUnitLabel->setText(tr("Takte/Minute"));
    desiredTempoLabel->setText(tr("Soll-Tempo:"));
    desiredUnitLabel->setText(tr("Takte/Minute"));
    adaptationLabel->setText(tr("Anpassung:"));
    calculateButton->setText(tr("&Berechnen"));
    resetButton->setText(tr("&Zurücksetzen"));
    helpButton->setText(tr("H&ilfe"));
}

void SpeedConversionWindow::actualTempoEntered()
{
    enterIn(actualTempoEdit, desiredTempoEdit, QStringLiteral("Sie müssen eine Ist-Geschwindigkeit angeben!"));
}

void SpeedConversionWindow::desiredTempoEntered()
{
    enterIn(desiredTempoEdit, actualTempoEdit, QStringLiteral("Sie müssen eine Soll-Geschwindigkeit eingeben!"));
}

void SpeedConversionWindow::enterIn(QLineEdit* field, QLineEdit* other, const QString& missingText)
{
    if (field->text().isEmpty()) {
        state_.messages->information(missingText);
        field->setFocus();
    }
    else if (!other->text().isEmpty()) {
        calculateClicked();
    }
    else {
        other->setFocus();
    }
}

// One message for a field that cannot be used, naming the field; the
// number reader's own "conversion error" before it would be a second box.
void SpeedConversionWindow::calculateClicked()
{
    const std::optional<double> actual = readNumber(actualTempoEdit->text().left(255), nullptr);
    if (actual) {
        const std::optional<double> desired = readNumber(desiredTempoEdit->text().left(255), nullptr);
        // A negative tempo would ask for a change of more than 100 %, which no music can play.
        if (!desired || *desired < 0) {
            warn(tr("Sie müssen als Soll-Tempo einen gültige Zahl angeben"));
            desiredTempoEdit->setFocus();
            return;
        }
        const auto change = speedChangeText(static_cast<float>(*actual), static_cast<float>(*desired));
        if (change) {
            adaptationEdit->setText(*change);
            return;
        }
    }
    // Unreadable, zero or negative: no speed change leads away from it.
    warn(tr("Sie müssen als Ist-Tempo eine gültige Zahl angeben"));
    actualTempoEdit->setFocus();
}

void SpeedConversionWindow::resetClicked()
{
    actualTempoEdit->clear();
    desiredTempoEdit->clear();
    adaptationEdit->clear();
    actualTempoEdit->setFocus();
}

void SpeedConversionWindow::warn(const QString& text)
{
    state_.messages->warning(text);
}
