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
#include <optional>

namespace {

constexpr int ClientWidth = 792;
constexpr int ClientHeight = 554;
constexpr int SelectorColumnWidth = 170;
constexpr int LogoPaneHeight = 76;
constexpr int DancePanelHeight = 163;
constexpr int SelectorItems[3] = {6, 5, 5};
constexpr QSize LargestPanel(549, 389);

const char* const Prompt = QT_TRANSLATE_NOOP("TMainform", " Wählen Sie in der Funktionsleiste die gewünschte Funktion");

struct SelectorChoice {
    const char* header; // German, translated when shown
    EmbeddedWindow window;
};

// Header line and window of each selector item, by section and item.
const SelectorChoice SelectorChoices[3][6] = {
    {{QT_TRANSLATE_NOOP("TMainform", " Musik auszählen"), EmbeddedWindow::CountBeat},
     {QT_TRANSLATE_NOOP("TMainform", " Zeit bestimmen"), EmbeddedWindow::StopTime},
     {QT_TRANSLATE_NOOP("TMainform", " Metronom"), EmbeddedWindow::Metronome},
     {QT_TRANSLATE_NOOP("TMainform", " Takt-Anpassung"), EmbeddedWindow::SpeedConversion},
     {QT_TRANSLATE_NOOP("TMainform", " Musik ausblenden"), EmbeddedWindow::FadeCouples},
     {QT_TRANSLATE_NOOP("TMainform", " Musik prüfen"), EmbeddedWindow::MusicCheck}},
    {{QT_TRANSLATE_NOOP("TMainform", " Takt- und Zeiteinheiten bei Rock'n'Roll"), EmbeddedWindow::RockNRollInfo},
     {QT_TRANSLATE_NOOP("TMainform", " Takt- und Zeiteinheiten bei Boogie-Woogie"), EmbeddedWindow::BoogieWoogieInfo},
     {QT_TRANSLATE_NOOP("TMainform", " Takt- und Zeiteinheiten bei Standardtänzen"), EmbeddedWindow::BallroomInfo},
     {QT_TRANSLATE_NOOP("TMainform", " Takt- und Zeiteinheiten bei Lateintänzen"), EmbeddedWindow::LatinInfo},
     {QT_TRANSLATE_NOOP("TMainform", " Takt- und Zeiteinheiten bei Formationswettbewerben"),
      EmbeddedWindow::FormationInfo}},
    {{QT_TRANSLATE_NOOP("TMainform", " International regulations for Rock'n'Roll"),
      EmbeddedWindow::InternationalRockNRoll},
     {QT_TRANSLATE_NOOP("TMainform", " International regulations for Boogie-Woogie"),
      EmbeddedWindow::InternationalBoogieWoogie},
     {QT_TRANSLATE_NOOP("TMainform", " International regulations for Ballroom"), EmbeddedWindow::InternationalBallroom},
     {QT_TRANSLATE_NOOP("TMainform", " International regulations for Latin"), EmbeddedWindow::InternationalLatin},
     {QT_TRANSLATE_NOOP("TMainform", " International regulations for Formations"),
      EmbeddedWindow::InternationalFormations}},
};

struct SelectorCaptions {
    const char* sections[3];
    const char* items[3][6];
};

// German, translated when shown.
const SelectorCaptions SelectorTexts = {
    {QT_TRANSLATE_NOOP("TMainform", "Messungen"), QT_TRANSLATE_NOOP("TMainform", "Takt- und Zeitdaten"),
     QT_TRANSLATE_NOOP("TMainform", "International")},
    {{QT_TRANSLATE_NOOP("TMainform", "Musik auszählen"), QT_TRANSLATE_NOOP("TMainform", "Zeit bestimmen"),
      QT_TRANSLATE_NOOP("TMainform", "Metronom"), QT_TRANSLATE_NOOP("TMainform", "Takt-Anpassung"),
      QT_TRANSLATE_NOOP("TMainform", "Musik ausblenden"), QT_TRANSLATE_NOOP("TMainform", "Musik prüfen")},
     {QT_TRANSLATE_NOOP("TMainform", "Rock'n'Roll"), QT_TRANSLATE_NOOP("TMainform", "Boogie-Woogie"),
      QT_TRANSLATE_NOOP("TMainform", "Standard"), QT_TRANSLATE_NOOP("TMainform", "Latein"),
      QT_TRANSLATE_NOOP("TMainform", "Formationswettbewerb")},
     {QT_TRANSLATE_NOOP("TMainform", "Rock'n'Roll"), QT_TRANSLATE_NOOP("TMainform", "Boogie Woogie"),
      QT_TRANSLATE_NOOP("TMainform", "Ballroom"), QT_TRANSLATE_NOOP("TMainform", "Latin"),
      QT_TRANSLATE_NOOP("TMainform", "Formations")}}};

enum MenuFlag : unsigned {
    Plain = 0,
    Hidden = 1,
    Checkable = 2,
    SeparatorAfter = 4,
    CheckedGerman = 8,   // a language entry, checked in the German menu
    CheckedEnglish = 16, // a language entry, checked in the English menu
};

// One command of the main menu: its menu path (naming the submenus with "|")
// and text in German, translated for the menu of each language, and the
// object names it has in the German and in the English menu.
struct MenuCommand {
    const char* path;
    const char* text;
    const char* nameGerman;
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
    // The program starts in German and takes the stored language when it first shows.
    UseLanguage(Language::German);
    buildControls();
    buildMenus();
    installMenu(Language::German);
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
        selector_->addSection(tr(SelectorTexts.sections[section]));
        for (int item = 0; item < SelectorItems[section]; ++item) {
            selector_->addItem(section, tr(SelectorTexts.items[section][item]), QIcon(SelectorPicture(section, item)));
        }
    }
    MenuPane_->setSizes({LogoPaneHeight, ClientHeight});
    connect(MenuPane_, &QSplitter::splitterMoved, this, [this] { MenuPaneSplitChange(); });
    connect(selector_, &SelectorBar::itemClicked, this, &TMainform::SelectorItemClick);

    auto* rightPane = new QWidget(LMDSplitterPanel1_);
    auto* rightLayout = new QVBoxLayout(rightPane);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(0);
    Funktion_ = new QLabel(tr(Prompt), rightPane);
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
    // Each panel's label, as the window that writes it words it in either
    // language, before the longest reading of its clock.
    const auto labelled = [](const char* context, const char* label, const QStringList& readings,
                             std::optional<int> number = std::nullopt) {
        QStringList texts;
        for (Language language : {Language::German, Language::English}) {
            const QString text = TextIn(language, context, label);
            for (const QString& reading : readings)
                texts << (number ? text.arg(*number) : text) + reading;
        }
        return texts;
    };
    for (int couple = 1; couple <= 3; ++couple) {
        statusBar_->fitPanel(couple - 1, labelled("TFrmStopwatch", "Paar %1: ", LongestClockTexts(), couple));
        statusBar_->fitPanel(couple + 2,
                             labelled("TFrmMusikAusblendenLatein", "Zeit %1: ", LongestClockTexts(), couple));
    }
    // The Rock'n'Roll clock always shows seconds.
    statusBar_->fitPanel(6, labelled("TFrmMusikAusblenden", "Zeit: ", LongestSecondsTexts()));
}

std::unique_ptr<TMainform::MenuSet> TMainform::buildMenu(Language language)
{
    // Both menus, in the order and with the texts, names and keys the users know.
    static const MenuCommand commands[] = {
        {QT_TRANSLATE_NOOP("MainMenu", "&Datei"), QT_TRANSLATE_NOOP("MainMenu", "&Beenden"), "Beenden1", "MenuItem2",
         "Alt+F4", Plain, &TMainform::Beenden1Click},
        {QT_TRANSLATE_NOOP("MainMenu", "&Messungen"), QT_TRANSLATE_NOOP("MainMenu", "Musik &auszählen"),
         "Musikauszhlen1", "MenuItem4", "Ctrl+A", Plain, &TMainform::Musikauszhlen1Click},
        {QT_TRANSLATE_NOOP("MainMenu", "&Messungen"), QT_TRANSLATE_NOOP("MainMenu", "&Zeit bestimmen"),
         "Zeitbestimmen1", "MenuItem5", "Ctrl+Z", Plain, &TMainform::Zeitbestimmen1Click},
        {QT_TRANSLATE_NOOP("MainMenu", "&Messungen"), QT_TRANSLATE_NOOP("MainMenu", "&Metronom"), "Metronom1",
         "MenuItem6", "Ctrl+M", Plain, &TMainform::Metronom1Click},
        {QT_TRANSLATE_NOOP("MainMenu", "&Messungen"), QT_TRANSLATE_NOOP("MainMenu", "&Takt-Anpassung"),
         "TaktAnpassung1", "MenuItem7", "Ctrl+T", Plain, &TMainform::TaktAnpassung1Click},
        {QT_TRANSLATE_NOOP("MainMenu", "&Messungen"), QT_TRANSLATE_NOOP("MainMenu", "Musik aus&blenden Rock'n'Roll"),
         "Musikausblenden1", "MenuItem8", "Ctrl+R", Hidden, &TMainform::Musikausblenden1Click},
        {QT_TRANSLATE_NOOP("MainMenu", "&Messungen"), QT_TRANSLATE_NOOP("MainMenu", "Musik ausblenden"),
         "MusikAusblendenStdLateinBoogie1", "MenuItem9", "Ctrl+S", Plain,
         &TMainform::MusikAusblendenStdLateinBoogie1Click},
        {QT_TRANSLATE_NOOP("MainMenu", "&Messungen"), QT_TRANSLATE_NOOP("MainMenu", "Musik &prüfen"), "MusikPruefen1",
         "MI_CheckMusic", "Ctrl+P", Plain, &TMainform::MusikPruefen1Click},
        {QT_TRANSLATE_NOOP("MainMenu", "&Takt-/Zeit-Info"), QT_TRANSLATE_NOOP("MainMenu", "&Rock'n'Roll"), "MI_RnRInfo",
         "MenuItem11", "", Plain, &TMainform::MI_RnRInfoClick},
        {QT_TRANSLATE_NOOP("MainMenu", "&Takt-/Zeit-Info"), QT_TRANSLATE_NOOP("MainMenu", "&Boogie-Woogie"),
         "MI_BoogieInfo", "MenuItem12", "", Plain, &TMainform::MI_BoogieInfoClick},
        {QT_TRANSLATE_NOOP("MainMenu", "&Takt-/Zeit-Info"), QT_TRANSLATE_NOOP("MainMenu", "&Standard"),
         "MI_StandardInfo", "MenuItem13", "", Plain, &TMainform::MI_StandardInfoClick},
        {QT_TRANSLATE_NOOP("MainMenu", "&Takt-/Zeit-Info"), QT_TRANSLATE_NOOP("MainMenu", "&Latein"), "MI_LateinInfo",
         "MenuItem14", "", Plain, &TMainform::MI_LateinInfoClick},
        {QT_TRANSLATE_NOOP("MainMenu", "&Takt-/Zeit-Info"), QT_TRANSLATE_NOOP("MainMenu", "&Formationen"),
         "MI_FormationInfo", "MenuItem15", "", Plain, &TMainform::MI_FormationInfoClick},
        {QT_TRANSLATE_NOOP("MainMenu", "&Extras"), QT_TRANSLATE_NOOP("MainMenu", "&Position und Größe speichern"),
         "MI_StorePosition", "MenuItem17", "", Checkable, &TMainform::MI_StorePositionClick},
        {QT_TRANSLATE_NOOP("MainMenu", "&Extras"), QT_TRANSLATE_NOOP("MainMenu", "Immer im &Vordergrund"),
         "MI_StayOnTop", "MenuItem18", "", Checkable | SeparatorAfter, &TMainform::MI_StayOnTopClick},
        // The language entries stand in each menu's own order; the menu's language is checked.
        {QT_TRANSLATE_NOOP("MainMenu", "&Extras|&Sprache"), QT_TRANSLATE_NOOP("MainMenu", "&Englisch"), "MI_ToEnglisch",
         "English1", "", CheckedEnglish, &TMainform::MI_ToEnglischClick},
        {QT_TRANSLATE_NOOP("MainMenu", "&Extras|&Sprache"), QT_TRANSLATE_NOOP("MainMenu", "&Deutsch"), "Deutsch1",
         "MI_ToGerman", "", CheckedGerman, &TMainform::MI_ToGermanClick},
        {QT_TRANSLATE_NOOP("MainMenu", "&Extras|Zeitformat"), QT_TRANSLATE_NOOP("MainMenu", "Anzahl Sekunden"),
         "MI_anzahlSekunden", "MI_NumberofSeconds", "", Checkable, &TMainform::MI_anzahlSekundenClick},
        {QT_TRANSLATE_NOOP("MainMenu", "&Extras|Zeitformat"), QT_TRANSLATE_NOOP("MainMenu", "mm:ss"), "MI_mmss",
         "MI_mmss1", "", Checkable | SeparatorAfter, &TMainform::MI_mmssClick},
        {QT_TRANSLATE_NOOP("MainMenu", "&Extras"), QT_TRANSLATE_NOOP("MainMenu", "Daten anpassen..."), "MI_AdaptData",
         "MI_customize", "", Plain, &TMainform::MI_customizeClick},
        {QT_TRANSLATE_NOOP("MainMenu", "&Hilfe"), QT_TRANSLATE_NOOP("MainMenu", "&Readme"), "MI_Readme", "MenuItem20",
         "F1", SeparatorAfter, &TMainform::MI_ReadmeClick},
        {QT_TRANSLATE_NOOP("MainMenu", "&Hilfe"), QT_TRANSLATE_NOOP("MainMenu", "Ü&ber"), "Ueber", "MenuItem22", "",
         Plain, &TMainform::UeberClick},
    };

    const bool english = language == Language::English;
    const auto text = [language](const char* german) { return TextIn(language, "MainMenu", german); };
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
        auto* action = new QAction(text(command.text), this);
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
        QMenu* menu = menuFor(text(command.path));
        menu->addAction(action);
        if (command.flags & SeparatorAfter)
            menu->addSeparator();
    }
    addBeamerScreenMenu(*menuFor(text("&Extras")), language);
    return set;
}

void TMainform::addBeamerScreenMenu(QMenu& extras, Language language)
{
    extras.addSeparator();
    QMenu* screens = extras.addMenu(TextIn(language, "MainMenu", QT_TRANSLATE_NOOP("MainMenu", "&Beamer-Bildschirm")));
    screens->setObjectName(language == Language::English ? QStringLiteral("MI_ProjectorScreen")
                                                         : QStringLiteral("MI_BeamerScreen"));
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
    menuGerman_ = buildMenu(Language::German);
    menuEnglish_ = buildMenu(Language::English);
}

void TMainform::installMenu(Language language)
{
    const MenuSet& shown = language == Language::English ? *menuEnglish_ : *menuGerman_;
    const MenuSet& other = language == Language::English ? *menuGerman_ : *menuEnglish_;
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
    state_.Sprache = LanguageFromStored(stored.Sprache);
    storedSprache_ = stored.Sprache;
    state_.Zeitformat = TimeFormatFromStored(stored.Zeitformat);
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
    values.Zeitformat = StoredTimeFormat(state_.Zeitformat);
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

    for (int index = 0; index < fd_->count(); ++index)
        connect(fd_->embeddedForm(index), &EmbeddedForm::statusTextChanged, statusBar_, &StatusPanels::setPanelText);
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
    if (state_.Sprache == Language::German) {
        MI_ToGermanClick();
        return;
    }
    if (switchToEnglish(false))
        return;
    const int stored = storedSprache_;
    state_.Sprache = Language::German;
    MI_ToGermanClick();
    storedSprache_ = stored;
    // In both languages: the one the program starts in and the one it could not take.
    const char* const notLoaded = QT_TRANSLATE_NOOP("TMainform", "Die englischen Regeldaten können nicht geladen "
                                                                 "werden: %1.\nDas Programm startet deshalb auf "
                                                                 "Deutsch; gespeichert bleibt Englisch.");
    state_.messages->warning(TextIn(Language::German, "TMainform", notLoaded).arg(lastLoadError_) +
                             QStringLiteral("\n\n") +
                             TextIn(Language::English, "TMainform", notLoaded).arg(lastLoadErrorEnglish_));
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
    setHeader(tr(choice.header));
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
    setTimeFormat(TimeFormat::Seconds);
}

void TMainform::MI_mmssClick()
{
    setTimeFormat(TimeFormat::MinutesSeconds);
}

void TMainform::showTimeFormatChecks()
{
    const bool seconds = state_.Zeitformat == TimeFormat::Seconds;
    setCheckedInBothMenus("MI_anzahlSekunden", "MI_NumberofSeconds", seconds);
    setCheckedInBothMenus("MI_mmss", "MI_mmss1", !seconds);
}

void TMainform::setTimeFormat(TimeFormat format)
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
    state_.Sprache = Language::German;
    storedSprache_ = 0;
    showLanguage(Language::German);
    pnlTanz_->SetLanguage(Language::German);
}

void TMainform::MI_ToEnglischClick()
{
    switchToEnglish(true);
}

bool TMainform::switchToEnglish(bool reportFailure)
{
    if (!reloadRuleTablesForLanguage(QStringLiteral("en"), reportFailure))
        return false;
    state_.Sprache = Language::English;
    storedSprache_ = 1;
    showLanguage(Language::English);
    // The shown information window comes back with its English header.
    if (selectorSection_ == 1 || selectorSection_ == 2)
        SelectorItemClick(selectorSection_, selectorItem_);
    pnlTanz_->SetLanguage(Language::English);
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
                tr("Die Sprache wird nicht gewechselt, weil die Regeldaten nicht geladen werden können: %1")
                    .arg(result.text(state_.Sprache)));
        }
        lastLoadError_ = result.text(Language::German);
        lastLoadErrorEnglish_ = result.text(Language::English);
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

void TMainform::showSelectorCaptions()
{
    for (int section = 0; section < 3; ++section) {
        selector_->setSectionCaption(section, tr(SelectorTexts.sections[section]));
        for (int item = 0; item < SelectorItems[section]; ++item)
            selector_->setItemCaption(section, item, tr(SelectorTexts.items[section][item]));
    }
}

// The application answers in the language from here on; then the main
// window's own texts and every window's follow.
void TMainform::showLanguage(Language language)
{
    UseLanguage(language);
    installMenu(language);
    // The prompt, in whichever language it shows, comes in the new one.
    for (Language shown : {Language::German, Language::English}) {
        if (Funktion_->text() == TextIn(shown, "TMainform", Prompt))
            setHeader(tr(Prompt));
    }
    relabelStatusPanels(tr("Paar"), tr("Zeit"));
    showSelectorCaptions();
    tellWindowsLanguage(language);
}

void TMainform::tellWindowsLanguage(Language language)
{
    frmAdaptSpeed_->SetLanguage(language);
    frmAdaptFixSpeed_->SetLanguage(language);
    frmInfo_->SetLanguage(language);
    // The international windows have English texts only.
    for (EmbeddedWindow window :
         {EmbeddedWindow::CountBeat, EmbeddedWindow::StopTime, EmbeddedWindow::Metronome,
          EmbeddedWindow::SpeedConversion, EmbeddedWindow::FadeRockNRoll, EmbeddedWindow::FadeCouples,
          EmbeddedWindow::RockNRollInfo, EmbeddedWindow::BoogieWoogieInfo, EmbeddedWindow::BallroomInfo,
          EmbeddedWindow::LatinInfo, EmbeddedWindow::FormationInfo, EmbeddedWindow::MusicCheck})
        embedded(window)->SetLanguage(language);
}
