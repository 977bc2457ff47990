#include "app/Mainform.h"
#include "widgets/DisplayArea.h"
#include "widgets/SelectorBar.h"
#include "widgets/StatusPanels.h"

#include "rules/FrmBoogieWoogieTaktZeitInfo.h"
#include "rules/FrmFormationTaktZeitInfo.h"
#include "tempo/FrmGeschwindigkeitsumrechnung.h"
#include "rules/FrmIntInfoBoogie.h"
#include "rules/FrmIntInfoFormations.h"
#include "rules/FrmIntInfoLatein.h"
#include "rules/FrmIntInfoRockNRoll.h"
#include "rules/FrmIntInfoStandard.h"
#include "rules/FrmLateinTaktZeitInfo.h"
#include "tempo/FrmMetronomFenster.h"
#include "fade/FrmMusikAusblenden.h"
#include "fade/FrmMusikAusblendenLatein.h"
#include "tempo/FrmMusikAuszaehlen.h"
#include "music/FrmMusikPruefen.h"
#include "rules/FrmRnRTaktZeitInfo.h"
#include "rules/FrmStdTaktZeitInfo.h"
#include "stopwatch/FrmStopwatch.h"
#include "tempo/FrmAdaptFixSpeed.h"
#include "tempo/FrmAdaptSpeed.h"

#include "app/DanceSelectionPanel.h"
#include "widgets/Pictures.h"
#include "fade/FrmBeamer.h"
#include "rules/FrmCustomizeData.h"
#include "app/FrmIndividualHelp.h"
#include "app/FrmInfo.h"
#include "common/Language.h"
#include "rules/DanceCatalogue.h"
#include "widgets/EmbeddedForm.h"
#include "widgets/SystemBell.h"
#include "app/FrmManual.h"
#include "app/FrmStartBild.h"
#include "widgets/RadioGroup.h"
#include "rules/DataFolders.h"
#include "rules/RuleFiles.h"
#include "widgets/ScreenPlacement.h"
#include "app/Settings.h"
#include "audio/ResourceSoundPlayer.h"
#include "common/StopwatchClock.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QSplitter>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

namespace {

constexpr int ClientWidth = 792;
constexpr int ClientHeight = 554;
constexpr int SelectorColumnWidth = 170;
constexpr int LogoPaneHeight = 76;
constexpr int DancePanelHeight = 163;
constexpr int SelectorItems[3] = {6, 5, 5};
constexpr QSize LargestPanel(549, 389);

const QString PromptGerman = QStringLiteral(" Wählen Sie in der Funktionsleiste die gewünschte Funktion");
const QString PromptEnglish = QStringLiteral(" Please select the task you want to do");

struct SelectorChoice {
    const char* headerGerman;
    const char* headerEnglish;
    EmbeddedWindow window;
};

// Header line and window of each selector item, by section and item.
const SelectorChoice SelectorChoices[3][6] = {
    {{" Musik auszählen", " Count Beat", EmbeddedWindow::CountBeat},
     {" Zeit bestimmen", " Stop time", EmbeddedWindow::StopTime},
     {" Metronom", " Metronom", EmbeddedWindow::Metronome},
     {" Takt-Anpassung", " Adapt beat", EmbeddedWindow::SpeedConversion},
     {" Musik ausblenden", " Fade music", EmbeddedWindow::FadeCouples},
     {" Musik prüfen", " Check music", EmbeddedWindow::MusicCheck}},
    {{" Takt- und Zeiteinheiten bei Rock'n'Roll", " Beat and time regulations for Rock'n'Roll",
      EmbeddedWindow::RockNRollInfo},
     {" Takt- und Zeiteinheiten bei Boogie-Woogie", " Beat and time regulations for Boogie-Woogie",
      EmbeddedWindow::BoogieWoogieInfo},
     {" Takt- und Zeiteinheiten bei Standardtänzen", " Beat and time regulations for ballroom",
      EmbeddedWindow::BallroomInfo},
     {" Takt- und Zeiteinheiten bei Lateintänzen", " Beat and time regulations for latin", EmbeddedWindow::LatinInfo},
     {" Takt- und Zeiteinheiten bei Formationswettbewerben", " Beat and time regulations for formation competitions",
      EmbeddedWindow::FormationInfo}},
    {{" International regulations for Rock'n'Roll", " International regulations for Rock'n'Roll",
      EmbeddedWindow::InternationalRockNRoll},
     {" International regulations for Boogie-Woogie", " International regulations for Boogie-Woogie",
      EmbeddedWindow::InternationalBoogieWoogie},
     {" International regulations for Ballroom", " International regulations for Ballroom",
      EmbeddedWindow::InternationalBallroom},
     {" International regulations for Latin", " International regulations for Latin",
      EmbeddedWindow::InternationalLatin},
     {" International regulations for Formations", " International regulations for Formations",
      EmbeddedWindow::InternationalFormations}},
};

struct SelectorCaptions {
    const char* sections[3];
    const char* items[3][6];
};

const SelectorCaptions SelectorGerman = {
    {"Messungen", "Takt- und Zeitdaten", "International"},
    {{"Musik auszählen", "Zeit bestimmen", "Metronom", "Takt-Anpassung", "Musik ausblenden", "Musik prüfen"},
     {"Rock'n'Roll", "Boogie-Woogie", "Standard", "Latein", "Formationswettbewerb"},
     {"Rock'n'Roll", "Boogie Woogie", "Ballroom", "Latin", "Formations"}}};

const SelectorCaptions SelectorEnglish = {
    {"Timing", "Beat/Time Info", "International"},
    {{"Count Beat", "Stop time", "Metronom", "Adapt beat", "Fade music", "Check music"},
     {"Rock'n'Roll", "Boogie-Woogie", "Ballroom", "Latin", "Formation competition"},
     {"Rock'n'Roll", "Boogie Woogie", "Ballroom", "Latin", "Formations"}}};

enum MenuFlag : unsigned {
    Plain = 0,
    Hidden = 1,
    Checkable = 2,
    SeparatorAfter = 4,
    CheckedGerman = 8,   // a language entry, checked in the German menu
    CheckedEnglish = 16, // a language entry, checked in the English menu
};

// One command of the main menu, in both languages. The menu path names the
// submenus with "|".
struct MenuCommand {
    const char* pathGerman;
    const char* textGerman;
    const char* nameGerman;
    const char* pathEnglish;
    const char* textEnglish;
    const char* nameEnglish;
    const char* key;
    unsigned flags;
    void (TMainform::*handler)();
};

} // namespace

struct TMainform::MenuSet {
    QList<QMenu*> topMenus;
    std::map<QString, QAction*> actions;
    QAction* hiddenFade = nullptr;
};

// The stand-in for the window that shows nothing.
class TFrmEmptyForm : public EmbeddedForm {
public:
    explicit TFrmEmptyForm(QWidget* parent = nullptr)
        : EmbeddedForm("FrmEmptyForm", QSize(0, 0), parent)
    {
    }
};

TMainform::TMainform(const MainformOptions& options, QWidget* parent)
    : QMainWindow(parent),
      options_(options),
      dialogMessages_(this)
{
    setWindowTitle("Vantor");
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    state_.rules = &rules_;
    state_.selection = &selection_;
    state_.clock = &clock_;
    state_.messages = options_.messages ? options_.messages : &dialogMessages_;
    if (!options_.sounds) {
        ownSounds_ = std::make_unique<ResourceSoundPlayer>(clock_); // decoded once, before the first beat
        ownSounds_->setSystemBell(SystemBell);
        // The output opens once the window is up, so that the first beep is on time.
        QTimer::singleShot(0, this, [this] { ownSounds_->OpenOutput(); });
    }
    state_.sounds = options_.sounds ? options_.sounds : ownSounds_.get();
    buildControls();
    buildMenus();
    installMenu(MenuLanguage::German);
    FormCreate();
    firstShow_ = true;
    state_.LanguageFolder = "de" + QString(QDir::separator());
    if (!loadRuleTables()) {
        startupError_ = lastLoadError_;
        return;
    }
    state_.TempoMin = state_.TempoMax = 0;
    state_.DanceTimeMin = state_.DanceTimeMax = 0;
    state_.TargetTempoText.clear();
    createFreeStandingWindows();
}

TMainform::~TMainform()
{
    FormDestroy();
}

void TMainform::buildControls()
{
    statusBar_ = new StatusPanels(7, 100, this);
    const char* initialPanels[] = {"Paar 1:", "Paar 2:", "Paar 3:", "Time 1:", "Time 2:", "Time 3:", ""};
    for (int i = 0; i < 7; ++i)
        statusBar_->setPanelText(i, QString::fromUtf8(initialPanels[i]));
    fitStatusPanels();
    statusBar_->setFixedHeight(19 + 4);
    setStatusBar(statusBar_);
    state_.statusBar = statusBar_;

    LMDSplitterPanel1_ = new QSplitter(Qt::Horizontal, this);
    LMDSplitterPanel1_->setObjectName("LMDSplitterPanel1");
    LMDSplitterPanel1_->setChildrenCollapsible(false);

    MenuPane_ = new QSplitter(Qt::Vertical, LMDSplitterPanel1_);
    MenuPane_->setObjectName("MenuPane");
    MenuPane_->setChildrenCollapsible(false);
    Image1_ = new QLabel(MenuPane_);
    Image1_->setObjectName("Image1");
    Image1_->setAlignment(Qt::AlignCenter);
    Image1_->setMinimumHeight(LogoPaneHeight);
    Image1_->setStyleSheet("background: white;");
    InitPictures();
    Image1_->setPixmap(QIcon(LogoPicture).pixmap(QSize(160, 70)));
    selector_ = new SelectorBar(MenuPane_);
    for (int section = 0; section < 3; ++section) {
        selector_->addSection(QString::fromUtf8(SelectorGerman.sections[section]));
        for (int item = 0; item < SelectorItems[section]; ++item) {
            selector_->addItem(section, QString::fromUtf8(SelectorGerman.items[section][item]),
                               QIcon(SelectorPicture(section, item)));
        }
    }
    MenuPane_->setSizes({LogoPaneHeight, ClientHeight});
    connect(MenuPane_, &QSplitter::splitterMoved, this, [this] { MenuPaneSplitChange(); });
    connect(selector_, &SelectorBar::itemClicked, this, &TMainform::SelectorItemClick);

    auto* rightPane = new QWidget(LMDSplitterPanel1_);
    auto* rightLayout = new QVBoxLayout(rightPane);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(0);
    Funktion_ = new QLabel(PromptGerman, rightPane);
    Funktion_->setObjectName("Funktion");
    Funktion_->setFixedHeight(33);
    Funktion_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Funktion_->setAutoFillBackground(true);
    QPalette header = Funktion_->palette();
    header.setColor(QPalette::Window, palette().color(QPalette::Inactive, QPalette::Highlight).darker(130));
    header.setColor(QPalette::WindowText, Qt::white);
    Funktion_->setPalette(header);
    QFont bold = Funktion_->font();
    bold.setPointSize(12);
    bold.setBold(true);
    Funktion_->setFont(bold);
    fd_ = new DisplayArea(rightPane);
    // Room for the largest tool panel, so that no window's controls are cut off.
    fd_->setMinimumSize(LargestPanel);
    pnlTanz_ = new DanceSelectionPanel(state_, selection_, rightPane);
    pnlTanz_->setFixedHeight(DancePanelHeight);
    rightLayout->addWidget(Funktion_);
    rightLayout->addWidget(fd_, 1);
    rightLayout->addWidget(pnlTanz_);

    // On a screen smaller than the window's content (a small laptop, a large
    // scaling) the window still fits the screen, and the content scrolls.
    auto* scroller = new QScrollArea(this);
    scroller->setObjectName("ContentScroller");
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    scroller->setWidget(LMDSplitterPanel1_);
    setCentralWidget(scroller);
}

void TMainform::fitStatusPanels()
{
    // Each panel's label in both languages before the longest reading of its clock.
    const auto labelled = [](const QStringList& labels, const QStringList& readings) {
        QStringList texts;
        for (const QString& label : labels)
            for (const QString& reading : readings)
                texts << label + reading;
        return texts;
    };
    for (int couple = 1; couple <= 3; ++couple) {
        const QString number = QString::number(couple);
        statusBar_->fitPanel(couple - 1,
                             labelled({"Paar " + number + ": ", "Couple " + number + ": "}, LongestClockTexts()));
        statusBar_->fitPanel(couple + 2,
                             labelled({"Zeit " + number + ": ", "Time " + number + ": "}, LongestClockTexts()));
    }
    // The Rock'n'Roll clock always shows seconds.
    statusBar_->fitPanel(6, labelled({"Zeit: ", "Time: "}, LongestSecondsTexts()));
}

std::unique_ptr<TMainform::MenuSet> TMainform::buildMenu(MenuLanguage language)
{
    // Both menus, in the order and with the texts, names and keys the users know.
    static const MenuCommand commands[] = {
        {"&Datei", "&Beenden", "Beenden1", "&File", "&Exit", "MenuItem2", "Alt+F4", Plain, &TMainform::Beenden1Click},
        {"&Messungen", "Musik &auszählen", "Musikauszhlen1", "&Timing", "&Count Beat", "MenuItem4", "Ctrl+A", Plain,
         &TMainform::Musikauszhlen1Click},
        {"&Messungen", "&Zeit bestimmen", "Zeitbestimmen1", "&Timing", "&Stop time", "MenuItem5", "Ctrl+Z", Plain,
         &TMainform::Zeitbestimmen1Click},
        {"&Messungen", "&Metronom", "Metronom1", "&Timing", "&Metronom", "MenuItem6", "Ctrl+M", Plain,
         &TMainform::Metronom1Click},
        {"&Messungen", "&Takt-Anpassung", "TaktAnpassung1", "&Timing", "&Adapt beat", "MenuItem7", "Ctrl+T", Plain,
         &TMainform::TaktAnpassung1Click},
        {"&Messungen", "Musik aus&blenden Rock'n'Roll", "Musikausblenden1", "&Timing", "Fade music (Rock'n'Roll)",
         "MenuItem8", "Ctrl+R", Hidden, &TMainform::Musikausblenden1Click},
        {"&Messungen", "Musik ausblenden", "MusikAusblendenStdLateinBoogie1", "&Timing",
         "Fade music (&Std/Latin/Boogie)", "MenuItem9", "Ctrl+S", Plain,
         &TMainform::MusikAusblendenStdLateinBoogie1Click},
        {"&Messungen", "Musik &prüfen", "MusikPruefen1", "&Timing", "Check m&usic", "MI_CheckMusic", "Ctrl+P", Plain,
         &TMainform::MusikPruefen1Click},
        {"&Takt-/Zeit-Info", "&Rock'n'Roll", "MI_RnRInfo", "&Beat/Time Info", "&Rock'n'Roll", "MenuItem11", "", Plain,
         &TMainform::MI_RnRInfoClick},
        {"&Takt-/Zeit-Info", "&Boogie-Woogie", "MI_BoogieInfo", "&Beat/Time Info", "&Boogie-Woogie", "MenuItem12", "",
         Plain, &TMainform::MI_BoogieInfoClick},
        {"&Takt-/Zeit-Info", "&Standard", "MI_StandardInfo", "&Beat/Time Info", "&Standard", "MenuItem13", "", Plain,
         &TMainform::MI_StandardInfoClick},
        {"&Takt-/Zeit-Info", "&Latein", "MI_LateinInfo", "&Beat/Time Info", "&Latin", "MenuItem14", "", Plain,
         &TMainform::MI_LateinInfoClick},
        {"&Takt-/Zeit-Info", "&Formationen", "MI_FormationInfo", "&Beat/Time Info", "&Formations", "MenuItem15", "",
         Plain, &TMainform::MI_FormationInfoClick},
        {"&Extras", "&Position und Größe speichern", "MI_StorePosition", "&Extras", "&Save Position and Size",
         "MenuItem17", "", Checkable, &TMainform::MI_StorePositionClick},
        {"&Extras", "Immer im &Vordergrund", "MI_StayOnTop", "&Extras", "&Always Stay On Top", "MenuItem18", "",
         Checkable | SeparatorAfter, &TMainform::MI_StayOnTopClick},
        // The language entries stand in each menu's own order; the menu's language is checked.
        {"&Extras|&Sprache", "&Englisch", "MI_ToEnglisch", "&Extras|&Language", "&English", "English1", "",
         CheckedEnglish, &TMainform::MI_ToEnglischClick},
        {"&Extras|&Sprache", "&Deutsch", "Deutsch1", "&Extras|&Language", "&German", "MI_ToGerman", "", CheckedGerman,
         &TMainform::MI_ToGermanClick},
        {"&Extras|Zeitformat", "Anzahl Sekunden", "MI_anzahlSekunden", "&Extras|Time format", "Number of Seconds",
         "MI_NumberofSeconds", "", Checkable, &TMainform::MI_anzahlSekundenClick},
        {"&Extras|Zeitformat", "mm:ss", "MI_mmss", "&Extras|Time format", "mm:ss", "MI_mmss1", "",
         Checkable | SeparatorAfter, &TMainform::MI_mmssClick},
        {"&Extras", "Daten anpassen...", "MI_AdaptData", "&Extras", "Customize Data...", "MI_customize", "", Plain,
         &TMainform::MI_customizeClick},
        {"&Hilfe", "&Readme", "MI_Readme", "&Help", "&Readme", "MenuItem20", "F1", SeparatorAfter,
         &TMainform::MI_ReadmeClick},
        {"&Hilfe", "Ü&ber", "Ueber", "&Help", "I&nfo", "MenuItem22", "", Plain, &TMainform::UeberClick},
    };

    const bool english = language == MenuLanguage::English;
    auto set = std::make_unique<MenuSet>();
    std::map<QString, QMenu*> menus;
    auto menuFor = [&](const QString& path) {
        QMenu*& menu = menus[path];
        if (menu)
            return menu;
        const int slash = path.lastIndexOf(QLatin1Char('|'));
        menu = new QMenu(path.mid(slash + 1), this);
        if (slash < 0)
            set->topMenus.append(menu);
        else
            menus[path.left(slash)]->addMenu(menu);
        return menu;
    };
    for (const MenuCommand& command : commands) {
        const QString name = QString::fromUtf8(english ? command.nameEnglish : command.nameGerman);
        auto* action = new QAction(QString::fromUtf8(english ? command.textEnglish : command.textGerman), this);
        action->setObjectName(name);
        action->setShortcut(QKeySequence(QString::fromLatin1(command.key)));
        const bool fixedCheck = command.flags & (english ? CheckedEnglish : CheckedGerman);
        action->setCheckable((command.flags & Checkable) || (command.flags & (CheckedGerman | CheckedEnglish)));
        action->setChecked(fixedCheck);
        auto handler = command.handler;
        const bool languageEntry = command.flags & (CheckedGerman | CheckedEnglish);
        connect(action, &QAction::triggered, this, [this, action, handler, languageEntry, fixedCheck] {
            if (languageEntry)
                action->setChecked(fixedCheck); // each menu always marks its own language
            (this->*handler)();
        });
        set->actions[name] = action;
        if (command.flags & Hidden) {
            // Hidden from the menu, yet its key works while this menu is installed.
            set->hiddenFade = action;
            continue;
        }
        QMenu* menu = menuFor(QString::fromUtf8(english ? command.pathEnglish : command.pathGerman));
        menu->addAction(action);
        if (command.flags & SeparatorAfter)
            menu->addSeparator();
    }
    addBeamerScreenMenu(*menuFor(QStringLiteral("&Extras")), language);
    return set;
}

void TMainform::addBeamerScreenMenu(QMenu& extras, MenuLanguage language)
{
    extras.addSeparator();
    const bool english = language == MenuLanguage::English;
    QMenu* screens =
        extras.addMenu(english ? QStringLiteral("&Projector screen") : QStringLiteral("&Beamer-Bildschirm"));
    screens->setObjectName(english ? QStringLiteral("MI_ProjectorScreen") : QStringLiteral("MI_BeamerScreen"));
    // Listed anew at each opening: screens come and go while the program runs.
    connect(screens, &QMenu::aboutToShow, this, [this, screens] {
        if (frmBeamer_)
            FillScreenMenu(*screens, *frmBeamer_);
    });
}

void TMainform::buildMenus()
{
    menuBar_ = new QMenuBar(this);
    setMenuBar(menuBar_);
    menuGerman_ = buildMenu(MenuLanguage::German);
    menuEnglish_ = buildMenu(MenuLanguage::English);
}

void TMainform::installMenu(MenuLanguage language)
{
    const MenuSet& shown = language == MenuLanguage::English ? *menuEnglish_ : *menuGerman_;
    const MenuSet& other = language == MenuLanguage::English ? *menuGerman_ : *menuEnglish_;
    menuBar_->clear();
    for (QMenu* menu : shown.topMenus)
        menuBar_->addMenu(menu);
    removeAction(other.hiddenFade);
    addAction(shown.hiddenFade);
}

QAction* TMainform::action(const QString& objectName) const
{
    for (const MenuSet* set : {menuGerman_.get(), menuEnglish_.get()}) {
        const auto found = set->actions.find(objectName);
        if (found != set->actions.end())
            return found->second;
    }
    return nullptr;
}

void TMainform::setCheckedInBothMenus(const QString& germanName, const QString& englishName, bool checked)
{
    action(germanName)->setChecked(checked);
    action(englishName)->setChecked(checked);
}

void TMainform::FormCreate()
{
    const QString executableFolder =
        options_.programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : options_.programFolder;
    const DataFolders folders = LocateDataFolders(
        executableFolder, QDir(executableFolder).filePath(QStringLiteral(VANTOR_INSTALLED_DATA_DIR)),
        options_.userDataFolder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                                          : options_.userDataFolder);
    state_.ProgramFolder = folders.program;
    state_.UserDataFolder = folders.user;
    selectorSection_ = 0;
    selectorItem_ = 0;
    const StoredSettings stored = readSettings();
    if (options_.splashMs > 0) {
        TFrmStartBild splash;
        splash.ShowSplash(options_.splashMs);
    }
    placeWindow(stored.left, stored.top, stored.width, stored.height);
    registerEmbeddedWindows();
    countBeat_->setCopiesToClipboard(stored.copyTapsToClipboard);
    LMDSplitterPanel1_->setSizes({SelectorColumnWidth, ClientWidth - SelectorColumnWidth});
    LMDSplitterPanel1_->handle(1)->setEnabled(false); // the bar is locked
}

StoredSettings TMainform::readSettings()
{
    const auto store = OpenSettingsStore(options_.settingsFile);
    const StoredSettings stored = ReadSettings(*store);
    if (stored.onTop)
        MI_StayOnTopClick();
    state_.SavedTypIndex = stored.SavedTypIndex;
    state_.SavedTanzIndex = stored.SavedTanzIndex;
    state_.SavedRundeIndex = stored.SavedRundeIndex;
    state_.Sprache = stored.Sprache;
    storedSprache_ = stored.Sprache;
    state_.Zeitformat = stored.Zeitformat;
    storedBeamerScreen_ = stored.beamerScreen;
    showTimeFormatChecks();
    return stored;
}

void TMainform::FormDestroy()
{
    if (!startupError_.isEmpty())
        return; // nothing the user chose is at stake; keep the stored values as they are
    StoredSettings values;
    values.left = storePosition_ ? x() : -1;
    values.top = storePosition_ ? y() : -1;
    values.width = storePosition_ ? width() : -1;
    values.height = storePosition_ ? height() : -1;
    values.onTop = stayOnTop_;
    values.SavedTypIndex = state_.SavedTypIndex;
    values.SavedTanzIndex = state_.SavedTanzIndex;
    values.SavedRundeIndex = state_.SavedRundeIndex;
    values.Sprache = storedSprache_;
    values.Zeitformat = state_.Zeitformat;
    values.copyTapsToClipboard = countBeat_->copiesToClipboard();
    values.beamerScreen = frmBeamer_ ? frmBeamer_->preferredScreen() : storedBeamerScreen_;
    const auto store = OpenSettingsStore(options_.settingsFile);
    WriteSettings(*store, values);
}

QSize TMainform::contentMinimumSize() const
{
    const QSize content = LMDSplitterPanel1_->minimumSizeHint();
    return {std::max(content.width(), statusBar_->minimumSizeHint().width()),
            content.height() + menuBar_->sizeHint().height() + statusBar_->height()};
}

void TMainform::placeWindow(int left, int top, int savedWidth, int savedHeight)
{
    const QSize contentMinimum = contentMinimumSize();
    QSize size = QSize(ClientWidth, ClientHeight).expandedTo(contentMinimum);
    if (savedWidth != -1)
        size.setWidth(savedWidth);
    if (savedHeight != -1) {
        size.setHeight(savedHeight);
        storePosition_ = true;
        setCheckedInBothMenus("MI_StorePosition", "MenuItem17", true);
    }
    size = size.expandedTo(contentMinimum);
    // A stored place off every screen (a monitor since unplugged) or a size
    // larger than the screen would leave the title bar out of reach.
    const ScreenAreas screens = CurrentScreenAreas();
    const QMargins frame = AssumedFrame(*this);
    const WindowPlacement centred = PlaceWindow(std::nullopt, size, frame, screens);
    std::optional<QPoint> stored;
    if (left != -1 || top != -1)
        stored = QPoint(left != -1 ? left : centred.frameTopLeft.x(), top != -1 ? top : centred.frameTopLeft.y());
    const WindowPlacement place = PlaceWindow(stored, size, frame, screens);
    setMinimumSize(contentMinimum.boundedTo(place.clientSize));
    resize(place.clientSize);
    move(place.frameTopLeft);
}

void TMainform::registerEmbeddedWindows()
{
    // In the order of EmbeddedWindow.
    countBeat_ = new TFrmMusikAuszaehlen(state_);
    fd_->registerWindow(countBeat_);
    fd_->registerWindow(new TFrmStopwatch(state_));
    auto* metronome = new TFrmMetronomFenster(state_);
    fd_->registerWindow(metronome);
    auto* speedConversion = new TFrmGeschwindigkeitsumrechnung(state_);
    fd_->registerWindow(speedConversion);
    fd_->registerWindow(new TFrmMusikAusblenden(state_));
    fadeCouples_ = new TFrmMusikAusblendenLatein(state_);
    fd_->registerWindow(fadeCouples_);
    fd_->registerWindow(new TFrmRnRTaktZeitInfo(state_));
    fd_->registerWindow(new TFrmBoogieWoogieTaktZeitInfo(state_));
    fd_->registerWindow(new TFrmStdTaktZeitInfo(state_));
    fd_->registerWindow(new TFrmLateinTaktZeitInfo(state_));
    fd_->registerWindow(new TFrmFormationTaktZeitInfo(state_));
    fd_->registerWindow(new TFrmIntInfoRockNRoll(state_));
    fd_->registerWindow(new TFrmIntInfoBoogie(state_));
    fd_->registerWindow(new TFrmIntInfoStandard(state_));
    fd_->registerWindow(new TFrmIntInfoLatein(state_));
    fd_->registerWindow(new TFrmIntInfoFormations(state_));
    fd_->registerWindow(new TFrmEmptyForm);
    auto* musicCheck = new TFrmMusikPruefen(state_);
    fd_->registerWindow(musicCheck);

    countBeat_->setSpeedConversion(speedConversion);
    metronome->setSpeedConversion(speedConversion);
    connect(&selection_, &DanceSelection::targetChanged, musicCheck, &TFrmMusikPruefen::DanceChanged);
}

EmbeddedForm* TMainform::embedded(EmbeddedWindow window) const
{
    return fd_->embeddedForm(static_cast<int>(window));
}

EmbeddedWindow TMainform::shownWindow() const
{
    return static_cast<EmbeddedWindow>(fd_->currentIndex());
}

void TMainform::showEmbedded(EmbeddedWindow window)
{
    fd_->showWindow(static_cast<int>(window));
}

void TMainform::createFreeStandingWindows()
{
    frmInfo_ = new TFrmInfo(this);
    frmAdaptSpeed_ = new TFrmAdaptSpeed(state_, this);
    frmAdaptFixSpeed_ = new TFrmAdaptFixSpeed(this);
    countBeat_->setAdaptSpeed(frmAdaptSpeed_);
    countBeat_->setAdaptFixSpeed(frmAdaptFixSpeed_);
    frmHelp_ = new TFrmIndividualHelp(*state_.messages, this);
    state_.help = frmHelp_;
    frmCustomizeData_ = new TFrmCustomizeData(state_, this);
    frmBeamer_ = new TfrmBeamer(this);
    frmBeamer_->setPreferredScreen(storedBeamerScreen_);
    fadeCouples_->setBeamer(frmBeamer_);
}

bool TMainform::loadRuleTables()
{
    const DataFolders folders = DataFoldersOf(state_);
    // What a save cut off by the end of the program left behind.
    for (const char* language : {"de", "en"}) {
        const QString languageFolder = language + QString(QDir::separator());
        RemoveLeftoverSaveFiles(folders.program + languageFolder);
        if (!folders.user.isEmpty())
            RemoveLeftoverSaveFiles(folders.user + languageFolder);
    }
    lastLoadError_ = LoadRuleTables(rules_, RuleFolderToRead(folders, state_.LanguageFolder)).error;
    return lastLoadError_.isEmpty();
}

void TMainform::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TMainform::FormShow()
{
    if (firstShow_) {
        applyStoredLanguage();
        firstShow_ = false;
    }
    pnlTanz_->FillInfoLine();
    pnlTanz_->RG_Typ->setItemIndex(static_cast<int>(DanceType::NoDance));
    pnlTanz_->RG_TypChange();
    SelectorItemClick(0, 0);
}

// A stored English whose rule data cannot be read starts the program in
// German; English stays the stored language until the user chooses one.
void TMainform::applyStoredLanguage()
{
    if (state_.Sprache == 0) {
        MI_ToGermanClick();
        return;
    }
    if (switchToEnglish(false))
        return;
    const int stored = storedSprache_;
    state_.Sprache = 0;
    MI_ToGermanClick();
    storedSprache_ = stored;
    state_.messages->warning(
        QStringLiteral("Die englischen Regeldaten können nicht geladen werden: %1.\nDas Programm startet deshalb auf "
                       "Deutsch; gespeichert bleibt Englisch.\n\nThe English rule data cannot be loaded: %2.\nThe "
                       "program therefore starts in German; English stays the stored language.")
            .arg(lastLoadError_, lastLoadErrorEnglish_));
}

void TMainform::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
    // Help and other free windows must not keep the program alive.
    if (event->isAccepted())
        QCoreApplication::quit();
}

void TMainform::SelectorItemClick(int section, int item)
{
    if (section < 0 || section > 2 || item < 0 || item >= SelectorItems[section])
        return;
    selectorSection_ = section;
    selectorItem_ = item;
    // Showing the empty window first makes a repeated choice show its window anew.
    showEmbedded(EmbeddedWindow::Empty);
    const SelectorChoice& choice = SelectorChoices[section][item];
    setHeader(QString::fromUtf8(state_.Sprache == 0 ? choice.headerGerman : choice.headerEnglish));
    showEmbedded(choice.window);
}

void TMainform::showByMenu(const QString& header, EmbeddedWindow window)
{
    setHeader(header);
    showEmbedded(window);
}

void TMainform::setHeader(const QString& text)
{
    Funktion_->setText(text);
}

QString TMainform::headerText() const
{
    return Funktion_->text();
}

// Menu commands write their own German header in both languages.
void TMainform::Musikauszhlen1Click()
{
    showByMenu(QStringLiteral(" Musik auszählen"), EmbeddedWindow::CountBeat);
}
void TMainform::Zeitbestimmen1Click()
{
    showByMenu(QStringLiteral(" Zeitmessung"), EmbeddedWindow::StopTime);
}
void TMainform::Metronom1Click()
{
    showByMenu(QStringLiteral(" Metronom"), EmbeddedWindow::Metronome);
}
void TMainform::TaktAnpassung1Click()
{
    showByMenu(QStringLiteral(" Takt-Anpassung"), EmbeddedWindow::SpeedConversion);
}
void TMainform::Musikausblenden1Click()
{
    showByMenu(QStringLiteral(" Musik ausblenden Rock'n'Roll"), EmbeddedWindow::FadeRockNRoll);
}
void TMainform::MusikAusblendenStdLateinBoogie1Click()
{
    showByMenu(QStringLiteral(" Musik ausblenden Standard/Latein/Boogie"), EmbeddedWindow::FadeCouples);
}
void TMainform::MusikPruefen1Click()
{
    showByMenu(QStringLiteral(" Musik prüfen"), EmbeddedWindow::MusicCheck);
}
void TMainform::MI_RnRInfoClick()
{
    showByMenu(QStringLiteral(" Takt- und Zeiteinheiten bei Rock'n'Roll"), EmbeddedWindow::RockNRollInfo);
}
void TMainform::MI_BoogieInfoClick()
{
    showByMenu(QStringLiteral(" Takt- und Zeiteinheiten bei Boogie-Woogie"), EmbeddedWindow::BoogieWoogieInfo);
}
void TMainform::MI_StandardInfoClick()
{
    showByMenu(QStringLiteral(" Takt- und Zeiteinheiten bei Standardtänzen"), EmbeddedWindow::BallroomInfo);
}
void TMainform::MI_LateinInfoClick()
{
    showByMenu(QStringLiteral(" Takt- und Zeiteinheiten bei Lateintänzen"), EmbeddedWindow::LatinInfo);
}
void TMainform::MI_FormationInfoClick()
{
    showByMenu(QStringLiteral(" Takt- und Zeiteinheiten bei Formationswettbewerben"), EmbeddedWindow::FormationInfo);
}

void TMainform::Beenden1Click()
{
    close();
}

bool TMainform::stayOnTop() const
{
    return stayOnTop_;
}

void TMainform::MI_StayOnTopClick()
{
    stayOnTop_ = !stayOnTop_;
    setCheckedInBothMenus("MI_StayOnTop", "MenuItem18", stayOnTop_);
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, stayOnTop_);
    if (wasVisible)
        show(); // changing a window flag hides the window
}

void TMainform::MI_StorePositionClick()
{
    storePosition_ = !storePosition_;
    setCheckedInBothMenus("MI_StorePosition", "MenuItem17", storePosition_);
}

void TMainform::MI_ReadmeClick()
{
    TFrmManual manual(this);
    manual.ShowManual(state_.ProgramFolder, state_.Sprache, *state_.messages);
}

void TMainform::UeberClick()
{
    frmInfo_->ShowCentered();
}

void TMainform::MI_customizeClick()
{
    frmCustomizeData_->ShowModal();
}

void TMainform::MenuPaneSplitChange()
{
    const QList<int> sizes = MenuPane_->sizes();
    MenuPane_->setSizes({LogoPaneHeight, sizes.value(0) + sizes.value(1) - LogoPaneHeight});
}

void TMainform::MI_anzahlSekundenClick()
{
    setTimeFormat(1);
}

void TMainform::MI_mmssClick()
{
    setTimeFormat(2);
}

void TMainform::showTimeFormatChecks()
{
    const bool seconds = state_.Zeitformat == 1;
    setCheckedInBothMenus("MI_anzahlSekunden", "MI_NumberofSeconds", seconds);
    setCheckedInBothMenus("MI_mmss", "MI_mmss1", !seconds);
}

void TMainform::setTimeFormat(int format)
{
    state_.Zeitformat = format;
    showTimeFormatChecks();
    // The three-couple fade clocks first, then the stopwatches.
    for (EmbeddedWindow window : {EmbeddedWindow::FadeCouples, EmbeddedWindow::StopTime, EmbeddedWindow::MusicCheck})
        embedded(window)->TimeFormatChanged(format);
}

void TMainform::MI_ToGermanClick()
{
    if (!reloadRuleTablesForLanguage(QStringLiteral("de"), true))
        return;
    state_.Sprache = 0;
    storedSprache_ = 0;
    installMenu(MenuLanguage::German);
    if (Funktion_->text() == PromptEnglish)
        setHeader(PromptGerman);
    relabelStatusPanels(QStringLiteral("Paar"), QStringLiteral("Zeit"));
    showSelectorCaptions(false);
    tellWindowsLanguage(0);
    pnlTanz_->SetLanguage(0);
}

void TMainform::MI_ToEnglischClick()
{
    switchToEnglish(true);
}

bool TMainform::switchToEnglish(bool reportFailure)
{
    if (!reloadRuleTablesForLanguage(QStringLiteral("en"), reportFailure))
        return false;
    state_.Sprache = 1;
    storedSprache_ = 1;
    installMenu(MenuLanguage::English);
    if (Funktion_->text() == PromptGerman)
        setHeader(PromptEnglish);
    relabelStatusPanels(QStringLiteral("Couple"), QStringLiteral("Time"));
    showSelectorCaptions(true);
    tellWindowsLanguage(1);
    // The shown information window comes back with its English header.
    if (selectorSection_ == 1 || selectorSection_ == 2)
        SelectorItemClick(selectorSection_, selectorItem_);
    pnlTanz_->SetLanguage(1);
    return true;
}

// All four tables of the language are read before anything switches, so a
// broken file leaves the program wholly in the language it was in.
bool TMainform::reloadRuleTablesForLanguage(const QString& language, bool reportFailure)
{
    const QString languageFolder = language + QDir::separator();
    const FileResult result = LoadRuleTables(rules_, RuleFolderToRead(DataFoldersOf(state_), languageFolder));
    if (!result.ok()) {
        if (reportFailure) {
            state_.messages->warning(
                state_.Sprache == 0
                    ? QStringLiteral("Die Sprache wird nicht gewechselt, weil die Regeldaten nicht geladen werden "
                                     "können: %1")
                          .arg(result.text(0))
                    : QStringLiteral("The language is not switched because the rule data cannot be loaded: %1")
                          .arg(result.text(1)));
        }
        lastLoadError_ = result.text(0);
        lastLoadErrorEnglish_ = result.text(1);
        return false;
    }
    state_.LanguageFolder = languageFolder;
    return true;
}

void TMainform::relabelStatusPanels(const QString& coupleWord, const QString& timeWord)
{
    for (int panel = 0; panel < 3; ++panel) {
        const QString text = statusBar_->panelText(panel);
        const int blank = text.indexOf(' ');
        statusBar_->setPanelText(panel, coupleWord + (blank < 0 ? QString() : text.mid(blank, 10)));
    }
    // The fade clocks: "Zeit 1: " to "Zeit 3: ", and the Rock'n'Roll clock's "Zeit: " once it has run.
    for (int panel = 3; panel < 7; ++panel) {
        const QString text = statusBar_->panelText(panel);
        if (!text.isEmpty())
            statusBar_->setPanelText(panel, timeWord + text.mid(4, 10));
    }
}

void TMainform::showSelectorCaptions(bool english)
{
    const SelectorCaptions& captions = english ? SelectorEnglish : SelectorGerman;
    for (int section = 0; section < 3; ++section) {
        selector_->setSectionCaption(section, QString::fromUtf8(captions.sections[section]));
        for (int item = 0; item < SelectorItems[section]; ++item)
            selector_->setItemCaption(section, item, QString::fromUtf8(captions.items[section][item]));
    }
}

void TMainform::tellWindowsLanguage(int flag)
{
    UseLanguage(LanguageFromStored(flag));
    frmAdaptSpeed_->SetLanguage(flag);
    frmAdaptFixSpeed_->SetLanguage(flag);
    frmInfo_->SetLanguage(LanguageFromStored(flag));
    // The international windows have English texts only.
    for (EmbeddedWindow window :
         {EmbeddedWindow::CountBeat, EmbeddedWindow::StopTime, EmbeddedWindow::Metronome,
          EmbeddedWindow::SpeedConversion, EmbeddedWindow::FadeRockNRoll, EmbeddedWindow::FadeCouples,
          EmbeddedWindow::RockNRollInfo, EmbeddedWindow::BoogieWoogieInfo, EmbeddedWindow::BallroomInfo,
          EmbeddedWindow::LatinInfo, EmbeddedWindow::FormationInfo, EmbeddedWindow::MusicCheck})
        embedded(window)->SetLanguage(flag);
}
