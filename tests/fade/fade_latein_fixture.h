#pragma once
#include "fade/FrmBeamer.h"
#include "fade/FrmMusikAusblendenLatein.h"
#include "ManualClock.h"
#include "common/ProgramState.h"
#include "rules/DanceSelection.h"
#include "rules/RuleTables.h"
#include "RecordingMessages.h"
#include "widgets/StatusPanels.h"
#include "RecordingHelp.h"
#include <QGroupBox>
#include <QLineEdit>
#include <QLocale>
#include <QTimer>
#include <memory>

// The three-couple fade window with the main window's parts it reaches:
// the dance selection, the status bar, a set clock and recording seams.
struct FadeLateinFixture {
    ManualClock clock;
    RecordingMessages messages;
    RecordingHelp help;
    ProgramState state;
    RuleTables rules;
    DanceSelection selection{state};
    std::unique_ptr<StatusPanels> statusBar;
    std::unique_ptr<TFrmMusikAusblendenLatein> window;
    std::unique_ptr<TfrmBeamer> beamer;

    static constexpr int Latein = 3;
    static constexpr int NoDance = 5;

    explicit FadeLateinFixture(int zeitformat = 1)
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        UseLanguage(Language::German);
        state.clock = &clock;
        state.messages = &messages;
        state.help = &help;
        state.ProgramFolder = "/opt/vantor/";
        state.Zeitformat = TimeFormatFromStored(zeitformat);
        statusBar = std::make_unique<StatusPanels>(7, 100);
        state.rules = &rules;
        state.selection = &selection;
        window = std::make_unique<TFrmMusikAusblendenLatein>(state);
        QObject::connect(window.get(), &EmbeddedForm::statusTextChanged, statusBar.get(), &StatusPanels::setPanelText);
        beamer = std::make_unique<TfrmBeamer>();
        window->setBeamer(beamer.get());
    }

    void chooseDance(int danceTimeMin, int danceTimeMax)
    {
        selection.chooseType(Latein);
        selection.chooseDance(1);
        state.DanceTimeMin = danceTimeMin;
        state.DanceTimeMax = danceTimeMax;
    }

    QString edit(int couple) const { return window->couple(couple).TimeEdit->text(); }
    bool runs(int couple) const { return window->couple(couple).Timer->isActive(); }

    // Moves the clock on and gives every running couple its tick.
    void tickAfter(double ms)
    {
        clock.advanceMs(ms);
        for (int couple = 1; couple <= 3; ++couple)
            if (runs(couple))
                window->TimerTimer(couple);
    }
};
