#include "tempo/AdaptDialog.h"
#include "widgets/EmbeddedForm.h"
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
    speedGroup = new QGroupBox(host);
    speedGroup->setObjectName("speedGroup");
    speedGroup->setGeometry(layout.group);
    speedGroup->setAutoFillBackground(true);
    speedGroup->setPalette(fixedLightPalette(Qt::white));

    const int fieldLeft = 8 + layout.labelWidth + 4;
    auto addRow = [&](int row, QLabel*& label, QLineEdit*& field, const char* name) {
        const int top = 22 + row * (layout.rowHeight + 8);
        label = new QLabel(speedGroup);
        label->setGeometry(8, top, layout.labelWidth, layout.rowHeight);
        field = new QLineEdit(speedGroup);
        field->setObjectName(name);
        field->setReadOnly(true);
        field->setGeometry(fieldLeft, top, layout.fieldWidth, layout.rowHeight);
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, layout.fieldColour);
        field->setPalette(palette);
        label->setBuddy(field);
    };
    addRow(0, actualSpeedLabel, actualSpeedEdit, "actualSpeedEdit");
    addRow(1, desiredSpeedLabel, desiredSpeedEdit, "desiredSpeedEdit");
    addRow(2, adaptationLabel, adaptationEdit, "adaptationEdit");

    closeButton = new QPushButton(host);
    closeButton->setObjectName("closeButton");
    closeButton->setGeometry(layout.closeButton);
    closeButton->setDefault(true);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    setTexts();
}

void AdaptDialog::setLanguage(Language language)
{
    useLanguage(language);
    setTexts();
}

void AdaptDialog::setTexts()
{
    setWindowTitle(tr("Geschwindigkeitsanpassung"));
    speedGroup->setTitle(tr("Geschwindigkeit (Takte/Minute)"));
    actualSpeedLabel->setText(tr("Ist-Geschw.:"));
    desiredSpeedLabel->setText(tr("Soll-Geschw.:"));
    adaptationLabel->setText(tr("Anpassung:"));
    closeButton->setText(tr("&Schließen"));
}

void AdaptDialog::runModal()
{
    if (modalRunner_)
        modalRunner_();
    else
        exec();
}
