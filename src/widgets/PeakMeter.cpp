#include "widgets/PeakMeter.h"
#include <QPainter>
#include <algorithm>
#include <cmath>

PeakMeter::PeakMeter(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PeakMeter::setName(const QString& name)
{
    name_ = name;
    update();
}

void PeakMeter::showPeak(float peak)
{
    const double db = peak > 0 ? 20 * std::log10(double(peak)) : FloorDb;
    const double shown = std::clamp(std::max(db, shownDb_ - FallDb), FloorDb, 0.0);
    if (shown == shownDb_)
        return;
    shownDb_ = shown;
    update();
}

void PeakMeter::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect area = rect();
    painter.fillRect(area, QColor(40, 40, 40));
    const auto xOf = [&](double db) { return int(std::lround((db - FloorDb) / -FloorDb * area.width())); };
    const int level = xOf(shownDb_);
    const struct {
        double fromDb;
        double toDb;
        QColor colour;
    } bands[] = {{FloorDb, -6, QColor(0, 190, 60)}, {-6, -1, QColor(240, 170, 0)}, {-1, 0, QColor(230, 30, 30)}};
    for (const auto& band : bands) {
        const int from = xOf(band.fromDb);
        const int to = std::min(level, xOf(band.toDb));
        if (to > from)
            painter.fillRect(QRect(from, 0, to - from, area.height()), band.colour);
    }
    QFont font = painter.font();
    font.setPixelSize(std::max(8, area.height() - 2));
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(area.adjusted(3, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft, name_);
}
