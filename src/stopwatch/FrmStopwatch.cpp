#include "widgets/Pictures.h"
#include "stopwatch/FrmStopwatch.h"
#include "common/HelpViewer.h"
#include "stopwatch/PimStopWatch.h"
#include "common/ProgramState.h"
#include "widgets/StatusPanels.h"
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
    const char* germanCaption;
    const char* englishCaption;
};

constexpr CoupleShape kCouples[] = {
    {"SW1", 32, 1, 4, "Paar 1", "First couple"},
    {"SW2", 176, 2, 5, "Paar 2", "Second couple"},
    {"SW3", 320, 3, 6, "Paar 3", "Third couple"},
};

constexpr int kCoupleTop = 48;

QString caption(bool english, const char* germanText, const char* englishText)
{
    return QString::fromUtf8(english ? englishText : germanText);
}

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
    const bool english = languageFlag() != 0;
    BT_Help->setText(caption(english, "H&ilfe", "He&lp"));
    BT_StartAll->setText(caption(english, "alle &starten", "&start all"));
    BT_StopAll->setText(caption(english, "alle a&nhalten", "sto&p all"));
    BT_ResetAll->setText(caption(english, "alle &zurücksetzen", "&reset all"));
    const auto stopwatches = couples();
    for (int couple = 0; couple < 3; ++couple)
        stopwatches[couple]->setTitle(
            caption(english, kCouples[couple].germanCaption, kCouples[couple].englishCaption));
    for (TPimStopWatch* stopwatch : stopwatches)
        stopwatch->setLanguage(english ? 1 : 0);
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
    const QString label = state_.english() ? QStringLiteral("Couple %1: ") : QStringLiteral("Paar %1: ");
    state_.statusBar->setPanelText(panel, label.arg(panel + 1) + Time);
}

void TFrmStopwatch::TimeFormatChanged(int zeitformat)
{
    for (TPimStopWatch* stopwatch : couples())
        stopwatch->setZeitformat(zeitformat);
}

void TFrmStopwatch::BT_HelpClick()
{
    ShowToolHelp(state_, languageFlag(), QStringLiteral("Zeit bestimmen"), QStringLiteral("Stop time"),
                 QStringLiteral("ZeitBestimmenHelp.rtf"));
}
