#pragma once
#include <QWidget>

// The rounded rectangle drawn behind a tool's controls; the corner radius is
// a percentage of the shorter side.
class RoundedFrame : public QWidget {
    Q_OBJECT
public:
    RoundedFrame(int roundingPercent, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int roundingPercent_;
};
