#include "widgets/ElidedLabel.h"
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

ElidedLabel::ElidedLabel(QWidget* parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

QString ElidedLabel::shownText() const
{
    const int width = contentsRect().width() - 2 * margin() - (indent() > 0 ? indent() : 0);
    return fontMetrics().elidedText(text(), Qt::ElideRight, width);
}

QSize ElidedLabel::minimumSizeHint() const
{
    const QSize whole = QLabel::minimumSizeHint();
    const int few = fontMetrics().horizontalAdvance(QStringLiteral("Mm…")) + 2 * margin();
    return {std::min(whole.width(), few), whole.height()};
}

void ElidedLabel::paintEvent(QPaintEvent* event)
{
    // The frame only: the label's own text would show unelided under ours.
    QFrame::paintEvent(event); // NOLINT(bugprone-parent-virtual-call)
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(contentsRect().adjusted(margin(), margin(), -margin(), -margin()), alignment(), shownText());
}

bool ElidedLabel::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && toolTip().isEmpty()) {
        const auto* help = static_cast<QHelpEvent*>(event);
        if (isElided())
            QToolTip::showText(help->globalPos(), text(), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QLabel::event(event);
}
