#pragma once
#include <QObject>
#include <QString>
#include <optional>

// The tempo measured last, in bars per minute: the count beat's average, or
// what the operator typed as the actual tempo of the speed conversion.
class MeasuredTempo : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    std::optional<double> barsPerMinute() const { return barsPerMinute_; }
    void setBarsPerMinute(std::optional<double> barsPerMinute);
    // As the windows show it: one decimal in the user's locale; empty while
    // nothing is measured.
    QString text() const;

signals:
    void changed();

private:
    std::optional<double> barsPerMinute_;
};
