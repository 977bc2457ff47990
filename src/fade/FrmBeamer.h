#pragma once
#include <QDialog>
#include <array>

class QLabel;
class QPushButton;

// Whether a projector mode shows a couple's clock: modes 1 to 3 that couple
// alone, 4 the first and the last couple, 5 all three.
bool ModeShowsCouple(int mode, int couple);

// "Beamer": the three-couple fade clocks in very large digits across the
// whole primary screen, for the dancers and the audience. The fade window
// writes the clock texts and colours and listens to the hidden buttons, which
// the digit keys and the space bar press while the display is up.
class TfrmBeamer : public QDialog {
    Q_OBJECT
public:
    explicit TfrmBeamer(QWidget* parent = nullptr);

    // Lays the display out for the mode, shows the given texts of the three
    // clocks and shows it modally; returns when the user closes it.
    void ShowBeamer(int mode, bool inverted, int languageFlag, const std::array<QString, 3>& clockTexts);
    // The layout that ShowBeamer makes before it shows the display.
    void LayOut(int mode, bool inverted, int languageFlag);

    QLabel* timeLabel(int couple) const { return std::array{lb_time1, lb_time2, lb_time3}[couple - 1]; }
    QLabel* numberLabel(int couple) const { return std::array{lb_1, lb_2, lb_3}[couple - 1]; }
    QPushButton* coupleButton(int couple) const { return std::array{Button1, Button2, Button3}[couple - 1]; }
    void setClockColor(int couple, const QColor& color);
    QColor clockColor(int couple) const;

    void lb_schliessenClick();

    QLabel* const Label1;
    QLabel* const lb_time1;
    QLabel* const lb_time2;
    QLabel* const lb_time3;
    QLabel* const lb_1;
    QLabel* const lb_2;
    QLabel* const lb_3;
    QLabel* const lb_schliessen;
    QLabel* const lb_reset;
    // Never shown: the keys press them, the fade window acts on their clicks.
    QPushButton* const Button1;
    QPushButton* const Button2;
    QPushButton* const Button3;
    QPushButton* const BT_Reset;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormKeyPress(const QString& typed);
    void placeClocks(int mode, bool inverted, QSize screen);
    void placeFooter(QSize screen);
};
