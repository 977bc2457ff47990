#include "common/NumberText.h"
#include "common/Messages.h"
#include <QCoreApplication>
#include <QLocale>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <vector>

std::optional<qint32> parseInt32(const QString& text)
{
    int i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size())
        return std::nullopt;
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        if (!text[i].isDigit() || text[i].unicode() > '9')
            return std::nullopt;
        value = value * 10 + (text[i].unicode() - '0');
        if (value > qint64(std::numeric_limits<qint32>::max()) + 1)
            return std::nullopt;
    }
    value = negative ? -value : value;
    if (value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint32>(value);
}

namespace {

void warnConversion(Messages& messages)
{
    messages.warning(QCoreApplication::translate("NumberText", "Fehler bei Typumwandlung"));
}

} // namespace

double textToNumber(const QString& text, Messages& messages)
{
    double result = -1;
    int sep = 0;
    while (sep < text.size() - 1 && text[sep] != '.' && text[sep] != ',')
        ++sep;
    if (sep >= text.size() - 1) {
        // No separator before the last character: the whole text is an integer.
        const auto whole = parseInt32(text);
        if (!whole) {
            warnConversion(messages);
            return result;
        }
        return *whole;
    }
    const QString integerText = text.left(sep);
    const QString fractionText = text.mid(sep + 1);
    const auto integerPart = parseInt32(integerText);
    if (!integerPart) {
        warnConversion(messages);
        return result;
    }
    result = *integerPart;
    // Digits only: a sign or blank after the separator ("1,-5", "1, 5") would
    // otherwise be read as a negative or shifted fraction.
    const bool digitsOnly =
        std::all_of(fractionText.begin(), fractionText.end(), [](QChar c) { return c >= '0' && c <= '9'; });
    const auto fraction = digitsOnly ? parseInt32(fractionText) : std::nullopt;
    if (!fraction) {
        warnConversion(messages);
        return result;
    }
    const double fractionValue = *fraction / std::pow(10.0, fractionText.size());
    // "-0,5" has an integer part of 0, so the sign is read from the text.
    result += integerText.trimmed().startsWith('-') ? -fractionValue : fractionValue;
    return result;
}

std::optional<double> decimalValue(const QString& text)
{
    class Refusals : public Messages {
    public:
        void warning(const QString&) override { refused = true; }
        void information(const QString&) override {}
        bool inputQuery(const QString&, const QString&, QString&) override { return false; }
        bool refused = false;
    } refusals;
    const double value = textToNumber(text, refusals);
    return refusals.refused ? std::nullopt : std::optional<double>(value);
}

QString formatFixed(double value, int decimals, int precision)
{
    const QLocale locale;
    if (!std::isfinite(value) || (value != 0 && std::fabs(value) >= std::pow(10.0, precision)))
        return locale.toString(value, 'E', precision - 1);

    // The exact decimal expansion (every double has a finite one), so that
    // 0.25 with one decimal rounds up to 0.3 rather than printf's 0.2.
    std::vector<char> buffer(1200);
    std::snprintf(buffer.data(), buffer.size(), "%.1100f", std::fabs(value));
    QByteArray digits(buffer.data());
    const int point = digits.indexOf('.');
    QByteArray kept = digits.left(point) + digits.mid(point + 1, decimals);
    const bool roundUp = digits.at(point + 1 + decimals) >= '5';
    if (roundUp) {
        int i = kept.size() - 1;
        while (i >= 0 && kept[i] == '9')
            kept[i--] = '0';
        if (i >= 0)
            kept[i] = kept[i] + 1;
        else
            kept.prepend('1');
    }
    QString integerPart = QString::fromLatin1(kept.left(kept.size() - decimals));
    const QString fractionPart = QString::fromLatin1(kept.right(decimals));
    const bool isZero = kept.count('0') == kept.size();
    QString text = (value < 0 && !isZero ? QStringLiteral("-") : QString()) + integerPart;
    if (decimals > 0)
        text += locale.decimalPoint() + fractionPart;
    return text;
}
