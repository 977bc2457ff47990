#include "TapSeries.h"
#include "NumberText.h"
#include <algorithm>
#include <cmath>

const QString TapSeries::FirstRow = QStringLiteral("0;0,0;-;-;1;");

void TapSeries::start()
{
    tapCount_ = 1;
    totalSeconds_ = 0;
    counting_ = true;
}

TapRow TapSeries::addInterval(double seconds, int window, double lower, double upper)
{
    const int n = std::clamp(window, 1, MaxWindow);
    const int k = tapCount_;
    totalSeconds_ = static_cast<float>(totalSeconds_ + seconds);
    intervalRates_[k % n] = static_cast<float>(60.0 / seconds);

    // Until N intervals exist, slots 1..k hold them; then the whole ring does.
    const int first = k < n ? 1 : 0;
    const int count = k < n ? k : n;
    float current = 0;
    for (int i = first; i < first + count; ++i)
        current += intervalRates_[i];
    current /= count;

    const float average = static_cast<float>(double(k) / totalSeconds_ * 60.0);
    // Truncated from the float, in double: 51.3f lies just below 51.3 and
    // lists as 51.2, while float arithmetic would round 512.99999 up to 513.
    const float truncated = static_cast<float>(std::trunc(double(average) * 10.0) * 0.1);
    const bool inRange = lower <= truncated && truncated <= upper;

    TapRow result;
    result.roundedAverage = FormatFixed(average, 1, 7);
    result.listedAverage = FormatFixed(truncated, 1, 7);
    result.inRange = inRange;
    result.row = QString::number(k) + ';' + FormatFixed(totalSeconds_, 1, 7) + ';'
                 + FormatFixed(current, 1, 7) + ';' + result.listedAverage + ';'
                 + (inRange ? '1' : '0');
    ++tapCount_;
    return result;
}

void TapSeries::clear()
{
    counting_ = false;
    tapCount_ = 0;
    totalSeconds_ = 0;
    intervalRates_.fill(0);
}

double TapSeries::averageTempo() const
{
    return double(tapCount_ - 1) / totalSeconds_ * 60.0;
}

RowTone ToneOfRow(const QStringList& fields, bool noDanceChosen)
{
    if (noDanceChosen)
        return RowTone::Black;
    if (fields.size() > 4 && fields.at(4) != QLatin1String("1"))
        return RowTone::Red;
    return RowTone::Green;
}
