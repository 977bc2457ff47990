#pragma once
#include "fade/ProjectorLayout.h"
#include "fade/ProjectorScreens.h"
#include "fade/TrafficLight.h"
#include <QDialog>
#include <QLabel>
#include <array>

class QMenu;
class QPushButton;
class QScreen;

// A projector clock: bold digits in fixed cells, so that a running clock
// does not jump whatever the font's figures, right-aligned, in the look of
// its couple's lamp.
class ProjectorClock : public QLabel {
    Q_OBJECT
public:
    explicit ProjectorClock(const QString& name, QWidget* parent);
    void setLamp(LampState lamp);
    LampState lamp() const { return lamp_; }
    // The room of the widest clock text at a font size, per pixel of it.
    ClockTextExtent extent() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    LampState lamp_ = LampState::Null;
};

// "Beamer": the three-couple fade clocks in very large digits across a whole
// screen, for the dancers and the audience. It goes to the chosen screen, by
// default one the main window is not on; there it leaves the main window
// free, and only on the operator's own screen does it hold the input as a
// modal window. It follows screens that come and go while it shows. The fade
// window writes the clock texts and lamps and listens to the hidden buttons,
// which the digit keys and the space bar press while the display has the focus.
class ProjectorWindow : public QDialog {
    Q_OBJECT
public:
    explicit ProjectorWindow(QWidget* parent = nullptr);

    // Lays the display out for the mode, shows the given texts of the three
    // clocks and shows it; laid out anew when it shows already. It emits
    // finished() when the user closes it.
    void showProjector(int mode, bool inverted, const std::array<QString, 3>& clockTexts);
    // The layout that ShowBeamer makes on the display's screen.
    void layOut(int mode, bool inverted);

    // The stored choice of screen, by name; empty for the default.
    QString preferredScreen() const { return preferredScreen_; }
    void setPreferredScreen(const QString& name);
    // The connected screens and, among them, the one the display uses now.
    QVector<ScreenInfo> screens() const;
    int screenIndex() const;
    // Whether the display, where it goes now, covers the operator's window.
    bool sharesOperatorScreen() const;

    QLabel* timeLabel(int couple) const { return clocks_[couple - 1]; }
    QLabel* numberLabel(int couple) const { return std::array{numberOne, numberTwo, numberThree}[couple - 1]; }
    QPushButton* coupleButton(int couple) const
    {
        return std::array{coupleOneButton, coupleTwoButton, coupleThreeButton}[couple - 1];
    }
    // The heat the player plays, over the clocks: its dance as a title and
    // the next dance smaller under it. An empty dance shows none.
    void setHeat(const QString& dance, const QString& nextDance);
    void setClockLamp(int couple, LampState lamp);
    LampState clockLamp(int couple) const { return clocks_[couple - 1]->lamp(); }

    void closeLabelClicked();

    QLabel* const titleLabel;
    ProjectorClock* const clockOne;
    ProjectorClock* const clockTwo;
    ProjectorClock* const clockThree;
    QLabel* const numberOne;
    QLabel* const numberTwo;
    QLabel* const numberThree;
    QLabel* const closeLabel;
    QLabel* const resetLabel;
    // Never shown: the keys press them, the fade window acts on their clicks.
    QPushButton* const coupleOneButton;
    QPushButton* const coupleTwoButton;
    QPushButton* const coupleThreeButton;
    QPushButton* const resetButton;
    QLabel* const danceLabel;
    QLabel* const nextDanceLabel;

signals:
    // The screens or the choice among them changed: lists of them refresh.
    void screenChoiceChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void keyTyped(const QString& typed);
    QScreen* targetScreen() const;
    QString operatorScreen() const;
    void present(bool takeFocus);
    void followScreens();
    void placeFooter(QSize screen);
    void placeHeat(QSize screen);
    void placeClocks(QSize screen);

    std::array<ProjectorClock*, 3> clocks_;
    QString preferredScreen_;
    QString dance_;
    QString nextDance_;
    int mode_ = 1;
    bool inverted_ = false;
    // The screens the display and the main window were last seen on, to notice a move.
    QString placedOn_;
    QString operatorOn_;
};

// Fills a menu with the connected screens, the display's own checked;
// choosing one stores it as the display's screen.
void fillScreenMenu(QMenu& menu, ProjectorWindow& projector);
