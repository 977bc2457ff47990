#include "widgets/Pictures.h"
#include "stopwatch/FrmStopwatch.h"
#include "common/HelpViewer.h"
#include "stopwatch/PimStopWatch.h"
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
    {"SW1", 32, 1, 4, QT_TRANSLATE_NOOP("TFrmStopwatch", "Paar 1")},
    {"SW2", 176, 2, 5, QT_TRANSLATE_NOOP("TFrmStopwatch", "Paar 2")},
    {"SW3", 320, 3, 6, QT_TRANSLATE_NOOP("TFrmStopwatch", "Paar 3")},
};

constexpr int kCoupleTop = 48;

} // namespace

TFrmStopwatch::TFrmStopwatch(ProgramState& state, QWidget* parent)
    : EmbeddedForm("FrmStopwatch", QSize(489, 297), parent),
      state_(state),
      // Created in tab order: the couples' buttons, then the window's.
      LMDShapeControl1(new RoundedFrame(5, Panel1())),
      SW1(makeCouple(0)),
      SW2(makeCouple(1)),
      SW3(makeCouple(2)),
      BT_StartAll(new QPushButton(Panel1())),
      BT_StopAll(new QPushButton(Panel1())),
      BT_ResetAll(new QPushButton(Panel1())),
      BT_Help(new QPushButton(Panel1()))
{
    placeControls();
    connect(BT_StartAll, &QPushButton::clicked, this, &TFrmStopwatch::BT_StartAllClick);
    connect(BT_StopAll, &QPushButton::clicked, this, &TFrmStopwatch::BT_StopAllClick);
    connect(BT_ResetAll, &QPushButton::clicked, this, &TFrmStopwatch::BT_ResetAllClick);
    connect(BT_Help, &QPushButton::clicked, this, &TFrmStopwatch::BT_HelpClick);
    applyLanguage();
}

TPimStopWatch* TFrmStopwatch::makeCouple(int couple)
{
    const CoupleShape& shape = kCouples[couple];
    auto* stopwatch = new TPimStopWatch(*state_.clock, Panel1());
    stopwatch->setObjectName(shape.name);
    stopwatch->move(shape.left, kCoupleTop);
    stopwatch->setStartButtonNumber(shape.startDigit);
    stopwatch->setResetButtonNumber(shape.resetDigit);
    // The stored time format is known already; the stopwatches follow it from the start.
    stopwatch->setZeitformat(state_.Zeitformat);
    stopwatch->OnTimeChange = [this](TPimStopWatch* sender, const QString& time) { SW1TimeChange(sender, time); };
    return stopwatch;
}

void TFrmStopwatch::placeControls()
{
    LMDShapeControl1->setGeometry(16, 24, 457, 249);
    BT_StartAll->setObjectName("BT_StartAll");
    BT_StartAll->setGeometry(32, 184, 137, 33);
    BT_StopAll->setObjectName("BT_StopAll");
    BT_StopAll->setGeometry(176, 184, 137, 33);
    BT_ResetAll->setObjectName("BT_ResetAll");
    BT_ResetAll->setGeometry(320, 184, 137, 33);
    BT_Help->setObjectName("BT_Help");
    BT_Help->setGeometry(381, 224, 75, 25);
    // The program's help glyph, from the pictures the application carries.
    InitPictures();
    BT_Help->setIcon(QIcon(HelpIconPicture));
}

void TFrmStopwatch::applyLanguage()
{
    BT_Help->setText(tr("H&ilfe"));
    BT_StartAll->setText(tr("alle &starten"));
    BT_StopAll->setText(tr("alle a&nhalten"));
    BT_ResetAll->setText(tr("alle &zurücksetzen"));
    const auto stopwatches = couples();
    for (int couple = 0; couple < 3; ++couple)
        stopwatches[couple]->setTitle(tr(kCouples[couple].caption));
    for (TPimStopWatch* stopwatch : stopwatches)
        stopwatch->setLanguage(language());
}

void TFrmStopwatch::BT_StartAllClick()
{
    for (TPimStopWatch* stopwatch : couples())
        if (!stopwatch->timing())
            stopwatch->DoStartStop();
}

void TFrmStopwatch::BT_StopAllClick()
{
    for (TPimStopWatch* stopwatch : couples())
        if (stopwatch->timing())
            stopwatch->DoStartStop();
}

void TFrmStopwatch::BT_ResetAllClick()
{
    BT_StopAllClick();
    for (TPimStopWatch* stopwatch : couples())
        stopwatch->DoReset();
}

void TFrmStopwatch::SW1TimeChange(TPimStopWatch* Sender, const QString& Time)
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

void TFrmStopwatch::TimeFormatChanged(TimeFormat format)
{
    for (TPimStopWatch* stopwatch : couples())
        stopwatch->setZeitformat(format);
}

void TFrmStopwatch::BT_HelpClick()
{
    ShowToolHelp(state_, language(), tr("Zeit bestimmen"), QStringLiteral("ZeitBestimmenHelp.rtf"));
}
