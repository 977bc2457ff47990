#include "widgets/EmbeddedForm.h"
#include "common/Language.h"
#include <QFrame>
#include <QShowEvent>

EmbeddedForm::EmbeddedForm(const QString& objectName, QSize panelSize, QWidget* parent)
    : QWidget(parent),
      panel_(new QFrame(this))
{
    setObjectName(objectName);
    panel_->setObjectName("Panel1");
    panel_->setFixedSize(panelSize);
    // The tool windows share one blue background, the form and its panel alike.
    QPalette blue = palette();
    blue.setColor(QPalette::Window, QColor(0x48, 0x6D, 0xAA));
    setPalette(blue);
    setAutoFillBackground(true);
    panel_->setAutoFillBackground(true);
}

void EmbeddedForm::setLanguage(Language language)
{
    // A window set alone (as in a test) still gets its translated texts.
    useLanguage(language);
    language_ = language;
    applyLanguage();
}

void EmbeddedForm::windowResized()
{
    // Integer division truncates toward zero, also for an area smaller than the panel.
    panel_->move((width() - panel_->width()) / 2, (height() - panel_->height()) / 2);
}

void EmbeddedForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    windowResized();
}

void EmbeddedForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        windowShown();
}
