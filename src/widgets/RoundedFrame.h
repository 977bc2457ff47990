#pragma once
#include <QMargins>
#include <QWidget>

// The rounded rectangle drawn behind a tool's controls; the corner radius is
// a percentage of the shorter side.
class RoundedFrame : public QWidget {
    Q_OBJECT
public:
    RoundedFrame(int roundingPercent, QWidget* parent);
    // Keeps the frame this far inside its parent as the parent changes size.
    void followParent(const QMargins& inset);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int roundingPercent_;
    QMargins inset_;
};
