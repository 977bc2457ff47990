#pragma once
#include "common/Clock.h"
#include "widgets/DialogMessages.h"
#include "app/EmbeddedWindow.h"
#include "common/PlayingHeat.h"
#include "common/ProgramState.h"
#include "rules/DanceSelection.h"
#include "tempo/MeasuredTempo.h"
#include "rules/RuleTables.h"
#include "rules/RuleFiles.h"
#include <QList>
#include <QMainWindow>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QSplitter;
class QSettings;
class DisplayArea;
class SelectorBar;
class StatusPanels;
class DanceSelectionPanel;
class AboutDialog;
class HelpWindow;
class CustomizeDataDialog;
class ProjectorWindow;
class AdaptSpeedDialog;
class AdaptFixedSpeedDialog;
class FadeCouplesWindow;
class CountBeatWindow;
class EmbeddedForm;
class StopTimeWindow;
class SoundPlayer;
class AudioOutput;
class ResourceSoundPlayer;
struct StoredSettings;

// What differs between the real program and a test of the main window.
struct MainWindowOptions {
    QString programFolder;         // empty: the executable's folder
    QString userDataFolder;        // empty: the user's data folder of the system
    QString settingsFile;          // empty: the user's settings store
    int splashMs = 3000;           // 0: no splash
    Messages* messages = nullptr;  // null: real message boxes
    SoundPlayer* sounds = nullptr; // null: the built-in sounds on the default device
};

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(const MainWindowOptions& options = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Empty when the start-up succeeded; the text to show otherwise.
    QString startupError() const { return startupError_; }

    ProgramState& state() { return state_; }
    Language language() const { return state_.language; }
    bool storesPosition() const { return storePosition_; }
    bool stayOnTop() const;
    int selectorSection() const { return selectorSection_; }
    int selectorItem() const { return selectorItem_; }
    QString headerText() const;
    DisplayArea* displayArea() const { return displayArea_; }
    EmbeddedForm* embedded(EmbeddedWindow window) const;
    EmbeddedWindow shownWindow() const;
    void showEmbedded(EmbeddedWindow window);
    StatusPanels* statusPanels() const { return statusBar_; }
    SelectorBar* selector() const { return selector_; }
    DanceSelectionPanel* dancePanel() const { return dancePanel_; }
    QAction* action(const QString& objectName) const;

    void selectorItemClicked(int section, int item);
    void toGermanClicked();
    void toEnglishClicked();
    void secondsFormatClicked();
    void minutesSecondsFormatClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct MenuSet;

    void setUpWindow();
    void windowShown();
    void tearDownWindow();
    void buildControls();
    void fitStatusPanels();
    void buildMenus();
    std::unique_ptr<MenuSet> buildMenu(Language language);
    void installMenu(Language language);
    void registerEmbeddedWindows();
    void createFreeStandingWindows();
    StoredSettings readSettings();
    void placeWindow(int left, int top, int savedWidth, int savedHeight);
    QSize contentMinimumSize() const;
    bool loadRuleTables();
    bool reloadRuleTablesForLanguage(const QString& language, bool reportFailure);
    bool switchToEnglish(bool reportFailure);
    void applyStoredLanguage();
    void showByMenu(const char* header, EmbeddedWindow window);
    void focusShownWindow(bool always);
    void setHeader(const QString& text);
    void setTimeFormat(TimeFormat format);
    void showTimeFormatChecks();
    void setCheckedInBothMenus(const char* name, bool checked);
    void relabelStatusPanels(const QString& coupleWord, const QString& timeWord);
    void showSelectorCaptions();
    void showLanguage(Language language);
    void tellWindowsLanguage(Language language);

    void quitClicked();
    void stayOnTopClicked();
    void darkThemeClicked();
    void storePositionClicked();
    void manualClicked();
    void aboutClicked();
    void customizeClicked();
    void menuPaneSplitMoved();
    void addProjectorScreenMenu(QMenu& extras, Language language);
    void addPrelistenMenu(QMenu& extras, Language language);
    void fillPrelistenMenu(QMenu& menu, Language language);
    void restorePrelistenDevice(const QString& name);
    void choosePrelistenDevice(const std::optional<std::string>& device);

    MainWindowOptions options_;
    ProgramState state_;
    RuleTables rules_;
    DanceSelection selection_{state_};
    PlayingHeat playingHeat_;
    MeasuredTempo measuredTempo_;
    SteadyClock clock_;
    DialogMessages dialogMessages_;
    std::unique_ptr<AudioOutput> audio_;
    std::unique_ptr<AudioOutput> prelisten_;
    std::unique_ptr<ResourceSoundPlayer> ownSounds_;
    std::unique_ptr<MenuSet> menuGerman_;
    std::unique_ptr<MenuSet> menuEnglish_;

    QString startupError_;
    QString lastLoadError_;
    QList<FileResult> cutSaveNotes_; // what the start did with a cut-off save of the rule files
    QString storedProjectorScreen_;
    QString lastLoadErrorEnglish_;
    // The language written at exit: the user's last choice, kept when the
    // stored language could not be loaded at start-up.
    int storedLanguage_ = 0;
    bool storePosition_ = false;
    bool stayOnTop_ = false;
    bool firstShow_ = true;
    int selectorSection_ = 0;
    int selectorItem_ = 0;

    StatusPanels* statusBar_ = nullptr;
    QSplitter* mainSplitter_ = nullptr;
    QSplitter* menuPane_ = nullptr;
    QLabel* logo_ = nullptr;
    SelectorBar* selector_ = nullptr;
    const char* headerSource_ = nullptr; // the shown header's German text, translated anew on a language switch
    QLabel* headerLabel_ = nullptr;
    DisplayArea* displayArea_ = nullptr;
    DanceSelectionPanel* dancePanel_ = nullptr;
    QMenuBar* menuBar_ = nullptr;

    CountBeatWindow* countBeat_ = nullptr;
    FadeCouplesWindow* fadeCouples_ = nullptr;
    AboutDialog* about_ = nullptr;
    AdaptSpeedDialog* adaptSpeed_ = nullptr;
    AdaptFixedSpeedDialog* adaptFixedSpeed_ = nullptr;
    HelpWindow* help_ = nullptr;
    CustomizeDataDialog* customizeData_ = nullptr;
    ProjectorWindow* projector_ = nullptr;
};
