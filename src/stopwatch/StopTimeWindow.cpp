#include "widgets/Pictures.h"
#include "stopwatch/StopTimeWindow.h"
#include "stopwatch/StopwatchControl.h"
#include "common/ProgramState.h"
#include <QFrame>
#include <QPushButton>
#include <QIcon>
#include <algorithm>

namespace {

// What sets the three couples apart; everything else they share.
struct CoupleShape {
    const char* name;
    int left;
    int startDigit;
    int resetDigit;
    const char* caption; // German, translated when shown
};

constexpr CoupleShape kCouples[] = {
    {"SW1", 32, 1, 4, QT_TRANSLATE_NOOP("StopTimeWindow", "Paar 1")},
    {"SW2", 176, 2, 5, QT_TRANSLATE_NOOP("StopTimeWindow", "Paar 2")},
    {"SW3", 320, 3, 6, QT_TRANSLATE_NOOP("StopTimeWindow", "Paar 3")},
};

constexpr int kCoupleTop = 48;

} // namespace

StopTimeWindow::StopTimeWindow(ProgramState& state, QWidget* parent)
    : EmbeddedForm("StopTimeWindow", QSize(489, 297), parent),
      state_(state),
      // Created in tab order: the couples' buttons, then the window's.
      frame(new RoundedFrame(5, panel())),
      coupleOne(makeCouple(0)),
      coupleTwo(makeCouple(1)),
      coupleThree(makeCouple(2)),
      startAllButton(new QPushButton(panel())),
      stopAllButton(new QPushButton(panel())),
      resetAllButton(new QPushButton(panel())),
      helpButton(new QPushButton(panel()))
{
    placeControls();
    connect(startAllButton, &QPushButton::clicked, this, &StopTimeWindow::startAllClicked);
    connect(stopAllButton, &QPushButton::clicked, this, &StopTimeWindow::stopAllClicked);
    connect(resetAllButton, &QPushButton::clicked, this, &StopTimeWindow::resetAllClicked);
    connect(helpButton, &QPushButton::clicked, this, &EmbeddedForm::helpRequested);
    applyLanguage();
}

StopwatchControl* StopTimeWindow::makeCouple(int couple)
{
    const CoupleShape& shape = kCouples[couple];
    auto* stopwatch = new StopwatchControl(*state_.clock, panel());
    stopwatch->setObjectName(shape.name);
    stopwatch->move(shape.left, kCoupleTop);
    stopwatch->setStartButtonNumber(shape.startDigit);
    stopwatch->setResetButtonNumber(shape.resetDigit);
    // The stored time format is known already; the stopwatches follow it from the start.
    stopwatch->setTimeFormat(state_.timeFormat);
    stopwatch->onTimeChange = [this](StopwatchControl* sender, const QString& time) {
        coupleTimeChanged(sender, time);
    };
    return stopwatch;
}

void StopTimeWindow::placeControls()
{
    frame->setGeometry(16, 24, 457, 249);
    startAllButton->setObjectName("startAllButton");
    startAllButton->setGeometry(28, 184, 143, 33);
    stopAllButton->setObjectName("stopAllButton");
    stopAllButton->setGeometry(176, 184, 143, 33);
    resetAllButton->setObjectName("resetAllButton");
    resetAllButton->setGeometry(324, 184, 143, 33);
    helpButton->setObjectName("helpButton");
    helpButton->setGeometry(381, 224, 75, 25);
    // The program's help glyph, from the pictures the application carries.
    initPictures();
    helpButton->setIcon(QIcon(HelpIconPicture));
}

void StopTimeWindow::applyLanguage()
{
    helpButton->setText(tr("H&ilfe"));
    startAllButton->setText(tr("alle &starten"));
    stopAllButton->setText(tr("alle a&nhalten"));
    resetAllButton->setText(tr("alle &zurücksetzen"));
    const auto stopwatches = couples();
    for (int couple = 0; couple < 3; ++couple)
        stopwatches[couple]->setTitle(tr(kCouples[couple].caption));
    for (StopwatchControl* stopwatch : stopwatches)
        stopwatch->setLanguage(language());
}

void StopTimeWindow::startAllClicked()
{
    for (StopwatchControl* stopwatch : couples())
        if (!stopwatch->timing())
            stopwatch->startOrStop();
}

void StopTimeWindow::stopAllClicked()
{
    for (StopwatchControl* stopwatch : couples())
        if (stopwatch->timing())
            stopwatch->startOrStop();
}

void StopTimeWindow::resetAllClicked()
{
    stopAllClicked();
    for (StopwatchControl* stopwatch : couples())
        stopwatch->resetClock();
}

void StopTimeWindow::coupleTimeChanged(StopwatchControl* Sender, const QString& Time)
{
    const auto stopwatches = couples();
    const auto found = std::find(stopwatches.begin(), stopwatches.end(), Sender);
    if (found == stopwatches.end())
        return;
    const int panel = static_cast<int>(found - stopwatches.begin());
    // The status bar belongs to the main window and speaks the program's language.
    const QString label = tr("Paar %1: ");
    emit statusTextChanged(panel, label.arg(panel + 1) + Time);
}

void StopTimeWindow::timeFormatChanged(TimeFormat format)
{
    for (StopwatchControl* stopwatch : couples())
        stopwatch->setTimeFormat(format);
}
