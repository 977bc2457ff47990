#include "tempo/AdaptDialog.h"
#include "widgets/ScreenPlacement.h"
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

AdaptDialog::AdaptDialog(const QString& objectName, QSize clientSize, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(objectName);
    setFixedSize(clientSize);
}

void AdaptDialog::buildControls(QWidget* host, const Layout& layout)
{
    GrBox1 = new QGroupBox(host);
    GrBox1->setObjectName("GrBox1");
    GrBox1->setGeometry(layout.group);
    GrBox1->setAutoFillBackground(true);
    QPalette white = GrBox1->palette();
    white.setColor(QPalette::Window, Qt::white);
    GrBox1->setPalette(white);

    const int fieldLeft = 8 + layout.labelWidth + 4;
    auto addRow = [&](int row, QLabel*& label, QLineEdit*& field, const char* name) {
        const int top = 22 + row * (layout.rowHeight + 8);
        label = new QLabel(GrBox1);
        label->setGeometry(8, top, layout.labelWidth, layout.rowHeight);
        field = new QLineEdit(GrBox1);
        field->setObjectName(name);
        field->setReadOnly(true);
        field->setGeometry(fieldLeft, top, layout.fieldWidth, layout.rowHeight);
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, layout.fieldColour);
        field->setPalette(palette);
        label->setBuddy(field);
    };
    addRow(0, label1, ED_actualSpeed, "ED_actualSpeed");
    addRow(1, label2, ED_desiredSpeed, "ED_desiredSpeed");
    addRow(2, label3, ED_Anpassung, "ED_Anpassung");

    BT_Close = new QPushButton(host);
    BT_Close->setObjectName("BT_Close");
    BT_Close->setGeometry(layout.closeButton);
    BT_Close->setDefault(true);
    connect(BT_Close, &QPushButton::clicked, this, &QDialog::reject);
    setTexts();
}

void AdaptDialog::SetLanguage(Language language)
{
    UseLanguage(language);
    setTexts();
}

void AdaptDialog::setTexts()
{
    setWindowTitle(tr("Geschwindigkeitsanpassung"));
    GrBox1->setTitle(tr("Geschwindigkeit (Takte/Minute)"));
    label1->setText(tr("Ist-Geschw.:"));
    label2->setText(tr("Soll-Geschw.:"));
    label3->setText(tr("Anpassung:"));
    BT_Close->setText(tr("&Schließen"));
}

void AdaptDialog::runModal()
{
    if (modalRunner_)
        modalRunner_();
    else
        exec();
}
