#include "tempo/SpeedConversion.h"
#include "common/Messages.h"
#include "common/NumberText.h"
#include "rules/TempoVerdict.h"

namespace {

// Passes warnings on (or drops them) and remembers that one came.
class FailureWatch : public Messages {
public:
    explicit FailureWatch(Messages* target)
        : target_(target)
    {
    }
    void warning(const QString& text) override
    {
        failed = true;
        if (target_)
            target_->warning(text);
    }
    void information(const QString& text) override
    {
        if (target_)
            target_->information(text);
    }
    bool inputQuery(const QString& title, const QString& prompt, QString& value) override
    {
        return target_ && target_->inputQuery(title, prompt, value);
    }

    bool failed = false;

private:
    Messages* target_;
};

} // namespace

std::optional<double> readNumber(const QString& text, Messages* reportTo)
{
    FailureWatch watch(reportTo);
    const double value = textToNumber(text, watch);
    if (watch.failed)
        return std::nullopt;
    return value;
}

std::optional<QString> speedChangeText(float actual, float desired)
{
    if (!(actual > 0))
        return std::nullopt;
    const double a = actual;
    const double d = desired;
    if (a > d)
        return QStringLiteral("-") + formatFixed((1.0 - d / a) * 100.0, 2, 5);
    return QStringLiteral("+") + formatFixed((d / a - 1.0) * 100.0, 2, 5);
}

std::optional<QString> fixedAdaptationText(float actual, float desired)
{
    if (!(actual > 0))
        return std::nullopt;
    const QString number = formatFixed(adaptationPercent(actual, desired), 1, 8);
    // A slower target already carries the minus sign of the negative percent.
    const QString sign = actual > desired ? QString() : QStringLiteral("+");
    return sign + number + QStringLiteral(" %");
}

QString ruleAdaptationText(double actual, const QString& desiredText, Messages& messages)
{
    if (!(actual > 0))
        return QString();
    const int hyphen = desiredText.indexOf('-');
    if (hyphen < 0)
        return rulePercentText(adaptationPercent(actual, textToNumber(desiredText, messages)));
    const double low = textToNumber(desiredText.left(hyphen), messages);
    const double high = textToNumber(desiredText.mid(hyphen + 1).trimmed(), messages);
    return rulePercentText(adaptationPercent(actual, low)) + QStringLiteral(" <-> ") +
           rulePercentText(adaptationPercent(actual, high));
}
