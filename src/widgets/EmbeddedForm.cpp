#include "widgets/EmbeddedForm.h"
#include "common/Language.h"
#include "widgets/Theme.h"
#include <QApplication>
#include <QFrame>
#include <QLayout>
#include <QPalette>
#include <QStyle>
#include <QShowEvent>
#include <algorithm>

EmbeddedForm::EmbeddedForm(const QString& objectName, QSize panelSize, QWidget* parent)
    : QWidget(parent),
      panel_(new QFrame(this)),
      panelSize_(panelSize)
{
    setObjectName(objectName);
    panel_->setObjectName("Panel1");
    panel_->setFixedSize(panelSize);
    // The tool windows share one background, the form and its panel alike.
    themeChanged();
    connect(&Theme::instance(), &Theme::changed, this, &EmbeddedForm::themeChanged);
    setAutoFillBackground(true);
    panel_->setAutoFillBackground(true);
}

QPalette fixedLightPalette(const QColor& window)
{
    const QPalette standard = QApplication::style()->standardPalette();
    QPalette fixed;
    // Each colour set by itself: a role left unset would come from the desktop's palette.
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto g = static_cast<QPalette::ColorGroup>(group);
            const auto r = static_cast<QPalette::ColorRole>(role);
            fixed.setColor(g, r, standard.color(g, r));
        }
        fixed.setColor(static_cast<QPalette::ColorGroup>(group), QPalette::Window, window);
    }
    return fixed;
}

void EmbeddedForm::themeChanged()
{
    setPalette(themePalette(Theme::instance().colours().form));
}

void EmbeddedForm::setLanguage(Language language)
{
    // A window set alone (as in a test) still gets its translated texts.
    useLanguage(language);
    language_ = language;
    applyLanguage();
}

QSize EmbeddedForm::minimumSizeHint() const
{
    if (const QLayout* layout = panel_->layout())
        return {panelSize_.width(), std::min(panelSize_.height(), layout->minimumSize().height())};
    return panelSize_;
}

void EmbeddedForm::windowResized()
{
    if (panel_->layout())
        panel_->setFixedHeight(std::clamp(height(), minimumSizeHint().height(), panelSize_.height()));
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
