#include "widgets/RoundedFrame.h"
#include "widgets/Theme.h"
#include <QEvent>
#include <QPainter>

RoundedFrame::RoundedFrame(int roundingPercent, QWidget* parent)
    : QWidget(parent),
      roundingPercent_(roundingPercent)
{
    setObjectName("frame");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(&Theme::instance(), &Theme::changed, this, qOverload<>(&QWidget::update));
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
    const ThemeColours& colours = Theme::instance().colours();
    painter.setPen(QPen(colours.shapeEdge, 1.5));
    painter.setBrush(colours.shape);
    const qreal radius = std::min(width(), height()) * roundingPercent_ / 100.0;
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), radius, radius);
}
