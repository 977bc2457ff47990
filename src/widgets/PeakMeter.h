#pragma once
#include <QWidget>

// A horizontal level meter with its name on it: the peak in decibels from
// -60 to 0 dBFS, green, amber from -6 and red from -1 (where a louder
// sample would clip), falling back slowly so that short peaks can be seen.
class PeakMeter : public QWidget {
    Q_OBJECT
public:
    static constexpr double FloorDb = -60;
    // How far the shown level falls per reading (at a reading each 50 ms: 24 dB/s).
    static constexpr double FallDb = 1.2;

    explicit PeakMeter(QWidget* parent = nullptr);

    void setName(const QString& name);
    // A new reading: the largest sample since the last one, 0 to 1.
    void showPeak(float peak);
    double shownDb() const { return shownDb_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString name_;
    double shownDb_ = FloorDb;
};
