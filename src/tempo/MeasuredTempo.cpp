#include "tempo/MeasuredTempo.h"
#include "common/NumberText.h"

void MeasuredTempo::setBarsPerMinute(std::optional<double> barsPerMinute)
{
    if (barsPerMinute == barsPerMinute_)
        return;
    barsPerMinute_ = barsPerMinute;
    emit changed();
}

QString MeasuredTempo::text() const
{
    return barsPerMinute_ ? formatFixed(*barsPerMinute_, 1, 7) : QString();
}
