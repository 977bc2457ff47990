#include "widgets/RoundedFrame.h"
#include <QEvent>
#include <QPainter>

RoundedFrame::RoundedFrame(int roundingPercent, QWidget* parent)
    : QWidget(parent),
      roundingPercent_(roundingPercent)
{
    setObjectName("frame");
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void RoundedFrame::followParent(const QMargins& inset)
{
    inset_ = inset;
    parentWidget()->installEventFilter(this);
    setGeometry(parentWidget()->rect().marginsRemoved(inset_));
}

bool RoundedFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect().marginsRemoved(inset_));
    return QWidget::eventFilter(watched, event);
}

void RoundedFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x1E, 0x3A, 0x66), 1.5));
    painter.setBrush(QColor(0xDC, 0xE6, 0xF4));
    const qreal radius = std::min(width(), height()) * roundingPercent_ / 100.0;
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), radius, radius);
}
