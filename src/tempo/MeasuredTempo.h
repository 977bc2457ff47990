#pragma once
#include <QObject>
#include <QString>

// The tempo measured last, in bars per minute: the count beat's average, or
// what the operator typed as the actual tempo of the speed conversion. Kept as
// the text shown (one decimal in the user's locale from the count beat), so a
// window that reads it judges what the operator sees.
class MeasuredTempo : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    const QString& text() const { return text_; }
    void setText(const QString& text);

signals:
    void changed(const QString& text);

private:
    QString text_;
};
