#include "tempo/FrmGeschwindigkeitsumrechnung.h"
#include "common/HelpViewer.h"
#include "common/Messages.h"
#include "common/ProgramState.h"
#include "widgets/RoundedFrame.h"
#include "tempo/SpeedConversion.h"
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TFrmGeschwindigkeitsumrechnung::TFrmGeschwindigkeitsumrechnung(ProgramState& state, QWidget* parent)
    : EmbeddedForm("FrmGeschwindigkeitsumrechnung", QSize(545, 369), parent),
      state_(state)
{
    QFrame* panel = Panel1();
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
    addRow(90, label1, ED_Ist, label2);
    addRow(135, label3, ED_Soll, label4);
    addRow(180, label5, ED_Anpassung, LMDSimpleLabel6);
    ED_Ist->setObjectName("ED_Ist");
    ED_Soll->setObjectName("ED_Soll");
    ED_Anpassung->setObjectName("ED_Anpassung");
    ED_Anpassung->setReadOnly(true);
    LMDSimpleLabel6->setText("%");

    auto addButton = [panel](int left, const char* name) {
        auto* button = new QPushButton(panel);
        button->setObjectName(name);
        button->setGeometry(left, 245, 110, 30);
        return button;
    };
    BT_Help = addButton(80, "BT_Help");
    BT_Berechnen = addButton(205, "BT_Berechnen");
    BT_Reset = addButton(330, "BT_Reset");

    setTabOrder(ED_Ist, ED_Soll);
    setTabOrder(ED_Soll, ED_Anpassung);
    setTabOrder(ED_Anpassung, BT_Help);
    setTabOrder(BT_Help, BT_Berechnen);
    setTabOrder(BT_Berechnen, BT_Reset);

    connect(ED_Ist, &QLineEdit::returnPressed, this, &TFrmGeschwindigkeitsumrechnung::ED_IstKeyPress);
    connect(ED_Soll, &QLineEdit::returnPressed, this, &TFrmGeschwindigkeitsumrechnung::ED_SollKeyPress);
    connect(BT_Berechnen, &QPushButton::clicked, this, &TFrmGeschwindigkeitsumrechnung::BT_BerechnenClick);
    connect(BT_Reset, &QPushButton::clicked, this, &TFrmGeschwindigkeitsumrechnung::BT_ResetClick);
    connect(BT_Help, &QPushButton::clicked, this, &TFrmGeschwindigkeitsumrechnung::BT_HelpClick);
    applyLanguage();
}

void TFrmGeschwindigkeitsumrechnung::applyLanguage()
{
    label1->setText(tr("Ist-Tempo:"));
    label2->setText(tr("Takte/Minute"));
    label3->setText(tr("Soll-Tempo:"));
    label4->setText(tr("Takte/Minute"));
    label5->setText(tr("Anpassung:"));
    BT_Berechnen->setText(tr("&Berechnen"));
    BT_Reset->setText(tr("&Zurücksetzen"));
    BT_Help->setText(tr("H&ilfe"));
}

void TFrmGeschwindigkeitsumrechnung::ED_IstKeyPress()
{
    enterIn(ED_Ist, ED_Soll, QStringLiteral("Sie müssen eine Ist-Geschwindigkeit angeben!"));
}

void TFrmGeschwindigkeitsumrechnung::ED_SollKeyPress()
{
    enterIn(ED_Soll, ED_Ist, QStringLiteral("Sie müssen eine Soll-Geschwindigkeit eingeben!"));
}

void TFrmGeschwindigkeitsumrechnung::enterIn(QLineEdit* field, QLineEdit* other, const QString& missingText)
{
    if (field->text().isEmpty()) {
        state_.messages->information(missingText);
        field->setFocus();
    }
    else if (!other->text().isEmpty()) {
        BT_BerechnenClick();
    }
    else {
        other->setFocus();
    }
}

void TFrmGeschwindigkeitsumrechnung::BT_BerechnenClick()
{
    const std::optional<double> actual = ReadNumber(ED_Ist->text().left(255), state_.messages);
    if (actual) {
        const std::optional<double> desired = ReadNumber(ED_Soll->text().left(255), state_.messages);
        // A negative tempo would ask for a change of more than 100 %, which no music can play.
        if (!desired || *desired < 0) {
            warn(tr("Sie müssen als Soll-Tempo einen gültige Zahl angeben"));
            return;
        }
        const auto change = SpeedChangeText(static_cast<float>(*actual), static_cast<float>(*desired));
        if (change) {
            ED_Anpassung->setText(*change);
            return;
        }
    }
    // Unreadable, zero or negative: no speed change leads away from it.
    warn(tr("Sie müssen als Ist-Tempo eine gültige Zahl angeben"));
}

void TFrmGeschwindigkeitsumrechnung::BT_ResetClick()
{
    ED_Ist->clear();
    ED_Soll->clear();
    ED_Anpassung->clear();
    ED_Ist->setFocus();
}

void TFrmGeschwindigkeitsumrechnung::BT_HelpClick()
{
    ShowToolHelp(state_, language(), tr("Takt-Anpassung"), QStringLiteral("TaktAnpassungHelp.rtf"));
}

void TFrmGeschwindigkeitsumrechnung::warn(const QString& text)
{
    state_.messages->warning(text);
}
