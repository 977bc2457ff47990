#pragma once
#include "fade/ProjectorWindow.h"
#include "fade/FadeCouplesWindow.h"
#include "ManualClock.h"
#include "common/ProgramState.h"
#include "rules/DanceSelection.h"
#include "rules/RuleTables.h"
#include "RecordingMessages.h"
#include "widgets/StatusPanels.h"
#include "RecordingHelp.h"
#include "TableWindow.h"
#include <QGroupBox>
#include <QLineEdit>
#include <QLocale>
#include <QTimer>
#include <memory>

// The three-couple fade window with the main window's parts it reaches:
// the dance selection, the status bar, a set clock and recording seams.
struct FadeCouplesFixture {
    ManualClock clock;
    RecordingMessages messages;
    RecordingHelp help;
    ProgramState state;
    RuleTables rules;
    DanceSelection selection{state};
    std::unique_ptr<StatusPanels> statusBar;
    std::unique_ptr<FadeCouplesWindow> window;
    std::unique_ptr<ProjectorWindow> projector;

    static constexpr int Latein = 3;
    static constexpr int NoDance = 5;

    // heat: the player's heat the window may follow; none by default.
    explicit FadeCouplesFixture(int timeFormat = 1, PlayingHeat* heat = nullptr)
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        useLanguage(Language::German);
        state.clock = &clock;
        state.messages = &messages;
        state.help = &help;
        state.programFolder = "/opt/vantor/";
        state.timeFormat = timeFormatFromStored(timeFormat);
        statusBar = std::make_unique<StatusPanels>(7, 100);
        state.rules = &rules;
        state.selection = &selection;
        state.playingHeat = heat;
        window.reset(MakeTableWindow<FadeCouplesWindow>(EmbeddedWindow::FadeCouples, state));
        QObject::connect(window.get(), &EmbeddedForm::statusTextChanged, statusBar.get(), &StatusPanels::setPanelText);
        projector = std::make_unique<ProjectorWindow>();
        window->setProjector(projector.get());
    }

    void chooseDance(int danceTimeMin, int danceTimeMax)
    {
        selection.chooseType(Latein);
        selection.chooseDance(1);
        selection.setDanceTime(DanceTime{QString("%1-%2s").arg(danceTimeMin).arg(danceTimeMax)});
    }

    QString edit(int couple) const { return window->couple(couple).timeEdit->text(); }
    bool runs(int couple) const { return window->couple(couple).clockTimer->isActive(); }

    // Moves the clock on and gives every running couple its tick.
    void tickAfter(double ms)
    {
        clock.advanceMs(ms);
        for (int couple = 1; couple <= 3; ++couple)
            if (runs(couple))
                window->clockTimerFired(couple);
    }
};
