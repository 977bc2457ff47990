#pragma once
#include "common/Clock.h"
#include "widgets/DialogMessages.h"
#include "app/EmbeddedWindow.h"
#include "common/ProgramState.h"
#include "rules/DanceSelection.h"
#include "rules/RuleTables.h"
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
class TFrmInfo;
class TFrmIndividualHelp;
class TFrmCustomizeData;
class TfrmBeamer;
class TFrmAdaptSpeed;
class TFrmAdaptFixSpeed;
class TFrmMusikAusblendenLatein;
class TFrmMusikAuszaehlen;
class EmbeddedForm;
class TFrmStopwatch;
class SoundPlayer;
class ResourceSoundPlayer;
struct StoredSettings;

// What differs between the real program and a test of the main window.
struct MainformOptions {
    QString programFolder;         // empty: the executable's folder
    QString userDataFolder;        // empty: the user's data folder of the system
    QString settingsFile;          // empty: the user's settings store
    int splashMs = 3000;           // 0: no splash
    Messages* messages = nullptr;  // null: real message boxes
    SoundPlayer* sounds = nullptr; // null: the built-in sounds on the default device
};

class TMainform : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainform(const MainformOptions& options = {}, QWidget* parent = nullptr);
    ~TMainform() override;

    // Empty when the start-up succeeded; the text to show otherwise.
    QString startupError() const { return startupError_; }

    ProgramState& state() { return state_; }
    Language Sprache() const { return state_.Sprache; }
    bool StorePosition() const { return storePosition_; }
    bool stayOnTop() const;
    int SelectorSection() const { return selectorSection_; }
    int SelectorItem() const { return selectorItem_; }
    QString headerText() const;
    DisplayArea* displayArea() const { return fd_; }
    EmbeddedForm* embedded(EmbeddedWindow window) const;
    EmbeddedWindow shownWindow() const;
    void showEmbedded(EmbeddedWindow window);
    StatusPanels* statusPanels() const { return statusBar_; }
    SelectorBar* selector() const { return selector_; }
    DanceSelectionPanel* dancePanel() const { return pnlTanz_; }
    QAction* action(const QString& objectName) const;

    void SelectorItemClick(int section, int item);
    void MI_ToGermanClick();
    void MI_ToEnglischClick();
    void MI_anzahlSekundenClick();
    void MI_mmssClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct MenuSet;

    void FormCreate();
    void FormShow();
    void FormDestroy();
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
    void showByMenu(const QString& header, EmbeddedWindow window);
    void setHeader(const QString& text);
    void setTimeFormat(TimeFormat format);
    void showTimeFormatChecks();
    void setCheckedInBothMenus(const QString& germanName, const QString& englishName, bool checked);
    void relabelStatusPanels(const QString& coupleWord, const QString& timeWord);
    void showSelectorCaptions();
    void showLanguage(Language language);
    void tellWindowsLanguage(Language language);

    void Beenden1Click();
    void Musikauszhlen1Click();
    void Zeitbestimmen1Click();
    void Metronom1Click();
    void TaktAnpassung1Click();
    void Musikausblenden1Click();
    void MusikAusblendenStdLateinBoogie1Click();
    void MusikPruefen1Click();
    void MI_RnRInfoClick();
    void MI_BoogieInfoClick();
    void MI_StandardInfoClick();
    void MI_LateinInfoClick();
    void MI_FormationInfoClick();
    void MI_StayOnTopClick();
    void MI_StorePositionClick();
    void MI_ReadmeClick();
    void UeberClick();
    void MI_customizeClick();
    void MenuPaneSplitChange();
    void addBeamerScreenMenu(QMenu& extras, Language language);

    MainformOptions options_;
    ProgramState state_;
    RuleTables rules_;
    DanceSelection selection_{state_};
    SteadyClock clock_;
    DialogMessages dialogMessages_;
    std::unique_ptr<ResourceSoundPlayer> ownSounds_;
    std::unique_ptr<MenuSet> menuGerman_;
    std::unique_ptr<MenuSet> menuEnglish_;

    QString startupError_;
    QString lastLoadError_;
    QString storedBeamerScreen_;
    QString lastLoadErrorEnglish_;
    // The language written at exit: the user's last choice, kept when the
    // stored language could not be loaded at start-up.
    int storedSprache_ = 0;
    bool storePosition_ = false;
    bool stayOnTop_ = false;
    bool firstShow_ = true;
    int selectorSection_ = 0;
    int selectorItem_ = 0;

    StatusPanels* statusBar_ = nullptr;
    QSplitter* LMDSplitterPanel1_ = nullptr;
    QSplitter* MenuPane_ = nullptr;
    QLabel* Image1_ = nullptr;
    SelectorBar* selector_ = nullptr;
    QLabel* Funktion_ = nullptr;
    DisplayArea* fd_ = nullptr;
    DanceSelectionPanel* pnlTanz_ = nullptr;
    QMenuBar* menuBar_ = nullptr;

    TFrmMusikAuszaehlen* countBeat_ = nullptr;
    TFrmMusikAusblendenLatein* fadeCouples_ = nullptr;
    TFrmInfo* frmInfo_ = nullptr;
    TFrmAdaptSpeed* frmAdaptSpeed_ = nullptr;
    TFrmAdaptFixSpeed* frmAdaptFixSpeed_ = nullptr;
    TFrmIndividualHelp* frmHelp_ = nullptr;
    TFrmCustomizeData* frmCustomizeData_ = nullptr;
    TfrmBeamer* frmBeamer_ = nullptr;
};
