#include "app/MainWindow.h"
#include "app/WindowTable.h"
#include "widgets/DisplayArea.h"
#include "widgets/SelectorBar.h"
#include "widgets/StatusPanels.h"

#include "tempo/SpeedConversionWindow.h"
#include "tempo/MeasuredTempo.h"
#include "tempo/MetronomeWindow.h"
#include "fade/FadeCouplesWindow.h"
#include "tempo/CountBeatWindow.h"
#include "music/MusicCheckWindow.h"
#include "play/PlayMusicWindow.h"
#include "tempo/AdaptFixedSpeedDialog.h"
#include "tempo/AdaptSpeedDialog.h"

#include "app/DanceSelectionPanel.h"
#include "widgets/Pictures.h"
#include "fade/ProjectorWindow.h"
#include "rules/CustomizeDataDialog.h"
#include "app/HelpWindow.h"
#include "app/AboutDialog.h"
#include "common/Language.h"
#include "rules/DanceCatalogue.h"
#include "widgets/EmbeddedForm.h"
#include "widgets/SystemBell.h"
#include "app/ManualDialog.h"
#include "app/SplashScreen.h"
#include "widgets/RadioGroup.h"
#include "rules/DataFolders.h"
#include "rules/RuleFiles.h"
#include "widgets/ScreenPlacement.h"
#include "widgets/Theme.h"
#include "app/Settings.h"
#include "audio/AudioOutput.h"
#include "audio/ResourceSoundPlayer.h"
#include "common/StopwatchClock.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
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
#include <functional>
#include <map>
#include <optional>
#include <utility>

namespace {

constexpr int ClientWidth = 792;
constexpr int ClientHeight = 554;
constexpr int SelectorColumnWidth = 170;
constexpr int LogoPaneHeight = 76;
constexpr QSize LargestPanel(549, 373);

const char* const Prompt =
    QT_TRANSLATE_NOOP("MainWindow", " Wählen Sie in der Funktionsleiste die gewünschte Funktion");

enum MenuFlag : unsigned {
    Plain = 0,
    Hidden = 1,
    Checkable = 2,
    SeparatorAfter = 4,
    CheckedGerman = 8,   // a language entry, checked in the German menu
    CheckedEnglish = 16, // a language entry, checked in the English menu
};

// One command of the main menu: its menu path (naming the submenus with "|")
// and text in German, translated for the menu of each language, and its
// object name before the language of the menu (menuObjectName).
struct MenuCommand {
    const char* path;
    const char* text;
    const char* name;
    const char* key;
    unsigned flags;
    std::function<void()> run;
};

// Both languages' menus exist at once, so their objects' names end with the
// menu's language to stay apart: "quitActionGerman", "helpMenuEnglish".
QString menuObjectName(const char* name, Language language)
{
    return QString::fromLatin1(name) +
           (language == Language::English ? QLatin1String("English") : QLatin1String("German"));
}

// The name of each submenu, by its German path.
const char* menuName(const QString& path)
{
    static const std::map<QString, const char*> names = {
        {QStringLiteral("&Datei"), "fileMenu"},
        {QStringLiteral("&Messungen"), "measurementsMenu"},
        {QStringLiteral("&Takt-/Zeit-Info"), "beatTimeInfoMenu"},
        {QStringLiteral("&Takt-/Zeit-Info|&International"), "internationalMenu"},
        {QStringLiteral("&Extras"), "extrasMenu"},
        {QStringLiteral("&Extras|&Sprache"), "languageMenu"},
        {QStringLiteral("&Extras|Zeitformat"), "timeFormatMenu"},
        {QStringLiteral("&Hilfe"), "helpMenu"},
    };
    const auto found = names.find(path);
    Q_ASSERT(found != names.end());
    return found != names.end() ? found->second : "";
}

} // namespace

struct MainWindow::MenuSet {
    QList<QMenu*> topMenus;
    std::map<QString, QAction*> actions;
    QAction* hiddenFade = nullptr;
};

MainWindow::MainWindow(const MainWindowOptions& options, QWidget* parent)
    : QMainWindow(parent),
      options_(options),
      dialogMessages_(this)
{
    setWindowTitle("Vantor");
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    state_.rules = &rules_;
    state_.selection = &selection_;
    state_.playingHeat = &playingHeat_;
    state_.clock = &clock_;
    state_.messages = options_.messages ? options_.messages : &dialogMessages_;
    if (!options_.sounds) {
        audio_ = std::make_unique<AudioOutput>(clock_);
        ownSounds_ = std::make_unique<ResourceSoundPlayer>(*audio_); // decoded once, before the first beat
        ownSounds_->setSystemBell(systemBell);
        // The output opens once the window is up, so that the first beep is on time.
        QTimer::singleShot(0, this, [this] { ownSounds_->openOutput(); });
    }
    state_.sounds = options_.sounds ? options_.sounds : ownSounds_.get();
    state_.audio = audio_.get();
    if (audio_) {
        prelisten_ = std::make_unique<AudioOutput>(clock_);
        prelisten_->setDevice(std::nullopt);
        state_.prelisten = prelisten_.get();
    }
    // The program starts in German and takes the stored language when it first shows.
    useLanguage(Language::German);
    buildControls();
    buildMenus();
    installMenu(Language::German);
    setUpWindow();
    firstShow_ = true;
    state_.languageFolder = "de" + QString(QDir::separator());
    if (!loadRuleTables()) {
        startupError_ = lastLoadError_;
        return;
    }
    createFreeStandingWindows();
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow()
{
    tearDownWindow();
    // The windows play through the audio output and follow the playing heat,
    // members that are gone before the children would be deleted.
    displayArea_->deleteWindows();
}

void MainWindow::buildControls()
{
    statusBar_ = new StatusPanels(7, 100, this);
    const char* initialPanels[] = {"Paar 1:", "Paar 2:", "Paar 3:", "Time 1:", "Time 2:", "Time 3:", ""};
    for (int i = 0; i < 7; ++i)
        statusBar_->setPanelText(i, QString::fromUtf8(initialPanels[i]));
    fitStatusPanels();
    statusBar_->setFixedHeight(19 + 4);
    setStatusBar(statusBar_);

    mainSplitter_ = new QSplitter(Qt::Horizontal, this);
    mainSplitter_->setObjectName("mainSplitter");
    mainSplitter_->setChildrenCollapsible(false);

    menuPane_ = new QSplitter(Qt::Vertical, mainSplitter_);
    menuPane_->setObjectName("MenuPane");
    menuPane_->setChildrenCollapsible(false);
    logo_ = new QLabel(menuPane_);
    logo_->setObjectName("Image1");
    logo_->setAlignment(Qt::AlignCenter);
    logo_->setMinimumHeight(LogoPaneHeight);
    logo_->setStyleSheet("background: white;");
    initPictures();
    logo_->setPixmap(QIcon(LogoPicture).pixmap(QSize(160, 70)));
    selector_ = new SelectorBar(menuPane_);
    for (int section = 0; section < SelectorSectionCount; ++section) {
        selector_->addSection(tr(SelectorSectionCaptions[section]));
        for (int item = 0; item < selectorItemCount(section); ++item)
            selector_->addItem(section, tr(selectorRow(section, item)->selector->caption),
                               QIcon(selectorPicture(section, item)));
    }
    menuPane_->setSizes({LogoPaneHeight, ClientHeight});
    connect(menuPane_, &QSplitter::splitterMoved, this, [this] { menuPaneSplitMoved(); });
    connect(selector_, &SelectorBar::itemClicked, this, &MainWindow::selectorItemClicked);

    auto* rightPane = new QWidget(mainSplitter_);
    auto* rightLayout = new QVBoxLayout(rightPane);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(0);
    headerLabel_ = new QLabel(tr(Prompt), rightPane);
    headerLabel_->setObjectName("Funktion");
    headerLabel_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    headerLabel_->setAutoFillBackground(true);
    const auto headerColours = [this] {
        QPalette header = headerLabel_->palette();
        header.setColor(QPalette::Window, Theme::instance().colours().header);
        header.setColor(QPalette::WindowText, Theme::instance().colours().headerText);
        headerLabel_->setPalette(header);
    };
    headerColours();
    connect(&Theme::instance(), &Theme::changed, headerLabel_, headerColours);
    // A caption a little larger than the desktop's font, whatever size that is.
    QFont bold = headerLabel_->font();
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    bold.setBold(true);
    headerLabel_->setFont(bold);
    headerLabel_->setFixedHeight(headerLabel_->fontMetrics().height() + 12);
    displayArea_ = new DisplayArea(rightPane);
    dancePanel_ = new DanceSelectionPanel(state_, selection_, rightPane);
    dancePanel_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    rightLayout->addWidget(headerLabel_);
    rightLayout->addWidget(displayArea_, 1);
    rightLayout->addWidget(dancePanel_);

    // On a screen smaller than the window's content (a small laptop, a large
    // scaling) the window still fits the screen, and the content scrolls.
    auto* scroller = new QScrollArea(this);
    scroller->setObjectName("ContentScroller");
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setFocusPolicy(Qt::NoFocus); // scrolled by the focus moving, never a stop of its own
    scroller->setWidgetResizable(true);
    scroller->setWidget(mainSplitter_);
    setCentralWidget(scroller);
}

void MainWindow::fitStatusPanels()
{
    // Each panel's label, as the window that writes it words it in either
    // language, before the longest reading of its clock.
    const auto labelled = [](const char* context, const char* label, const QStringList& readings,
                             std::optional<int> number = std::nullopt) {
        QStringList texts;
        for (Language language : {Language::German, Language::English}) {
            const QString text = textIn(language, context, label);
            for (const QString& reading : readings)
                texts << (number ? text.arg(*number) : text) + reading;
        }
        return texts;
    };
    for (int couple = 1; couple <= 3; ++couple) {
        statusBar_->fitPanel(couple - 1, labelled("StopTimeWindow", "Paar %1: ", longestClockTexts(), couple));
        statusBar_->fitPanel(couple + 2, labelled("FadeCouplesWindow", "Zeit %1: ", longestClockTexts(), couple));
    }
    // The Rock'n'Roll clock always shows seconds.
    statusBar_->fitPanel(6, labelled("FadeRockNRollWindow", "Zeit: ", longestSecondsTexts()));
}

std::unique_ptr<MainWindow::MenuSet> MainWindow::buildMenu(Language language)
{
    const auto command = [this](const char* path, const char* text, const char* name, const char* key, unsigned flags,
                                void (MainWindow::*handler)()) {
        return MenuCommand{path, text, name, key, flags, [this, handler] { (this->*handler)(); }};
    };
    // Both menus, in the order and with the texts, names and keys the users know.
    std::vector<MenuCommand> commands = {command(QT_TRANSLATE_NOOP("MainMenu", "&Datei"),
                                                 QT_TRANSLATE_NOOP("MainMenu", "&Beenden"), "quitAction", "Alt+F4",
                                                 Plain, &MainWindow::quitClicked)};
    for (const WindowRow& row : windowRows()) {
        if (!row.menu)
            continue;
        const MenuEntry& entry = *row.menu;
        const EmbeddedWindow window = row.window;
        const char* header = entry.header;
        commands.push_back({entry.path, entry.text, entry.name, entry.key, entry.hidden ? Hidden : Plain,
                            [this, header, window] { showByMenu(header, window); }});
    }
    commands.insert(
        commands.end(),
        {
            command(QT_TRANSLATE_NOOP("MainMenu", "&Extras"),
                    QT_TRANSLATE_NOOP("MainMenu", "&Position und Größe speichern"), "storePositionAction", "",
                    Checkable, &MainWindow::storePositionClicked),
            command(QT_TRANSLATE_NOOP("MainMenu", "&Extras"), QT_TRANSLATE_NOOP("MainMenu", "Immer im &Vordergrund"),
                    "stayOnTopAction", "", Checkable, &MainWindow::stayOnTopClicked),
            command(QT_TRANSLATE_NOOP("MainMenu", "&Extras"), QT_TRANSLATE_NOOP("MainMenu", "Dunkles &Design"),
                    "darkThemeAction", "", Checkable | SeparatorAfter, &MainWindow::darkThemeClicked),
            // The language entries stand in each menu's own order; the menu's language is checked.
            command(QT_TRANSLATE_NOOP("MainMenu", "&Extras|&Sprache"), QT_TRANSLATE_NOOP("MainMenu", "&Englisch"),
                    "toEnglishAction", "", CheckedEnglish, &MainWindow::toEnglishClicked),
            command(QT_TRANSLATE_NOOP("MainMenu", "&Extras|&Sprache"), QT_TRANSLATE_NOOP("MainMenu", "&Deutsch"),
                    "toGermanAction", "", CheckedGerman, &MainWindow::toGermanClicked),
            command(QT_TRANSLATE_NOOP("MainMenu", "&Extras|Zeitformat"),
                    QT_TRANSLATE_NOOP("MainMenu", "Anzahl Sekunden"), "secondsFormatAction", "", Checkable,
                    &MainWindow::secondsFormatClicked),
            command(QT_TRANSLATE_NOOP("MainMenu", "&Extras|Zeitformat"), QT_TRANSLATE_NOOP("MainMenu", "mm:ss"),
                    "minutesSecondsFormatAction", "", Checkable | SeparatorAfter,
                    &MainWindow::minutesSecondsFormatClicked),
            command(QT_TRANSLATE_NOOP("MainMenu", "&Extras"), QT_TRANSLATE_NOOP("MainMenu", "Daten anpassen..."),
                    "customizeDataAction", "", Plain, &MainWindow::customizeClicked),
            command(QT_TRANSLATE_NOOP("MainMenu", "&Hilfe"), QT_TRANSLATE_NOOP("MainMenu", "&Readme"), "manualAction",
                    "F1", SeparatorAfter, &MainWindow::manualClicked),
            command(QT_TRANSLATE_NOOP("MainMenu", "&Hilfe"), QT_TRANSLATE_NOOP("MainMenu", "Ü&ber"), "aboutAction", "",
                    Plain, &MainWindow::aboutClicked),
        });

    const bool english = language == Language::English;
    const auto text = [language](const char* german) { return textIn(language, "MainMenu", german); };
    auto set = std::make_unique<MenuSet>();
    std::map<QString, QMenu*> menus; // by German path
    auto menuFor = [&](const char* germanPath) {
        const QString path = QString::fromUtf8(germanPath);
        QMenu*& menu = menus[path];
        if (menu)
            return menu;
        const QString shownPath = text(germanPath);
        menu = new QMenu(shownPath.mid(shownPath.lastIndexOf(QLatin1Char('|')) + 1), this);
        menu->setObjectName(menuObjectName(menuName(path), language));
        const int slash = path.lastIndexOf(QLatin1Char('|'));
        if (slash < 0)
            set->topMenus.append(menu);
        else
            menus[path.left(slash)]->addMenu(menu);
        return menu;
    };
    for (const MenuCommand& command : commands) {
        const QString name = menuObjectName(command.name, language);
        auto* action = new QAction(text(command.text), this);
        action->setObjectName(name);
        action->setShortcut(QKeySequence(QString::fromLatin1(command.key)));
        const bool fixedCheck = command.flags & (english ? CheckedEnglish : CheckedGerman);
        action->setCheckable((command.flags & Checkable) || (command.flags & (CheckedGerman | CheckedEnglish)));
        action->setChecked(fixedCheck);
        auto run = command.run;
        const bool languageEntry = command.flags & (CheckedGerman | CheckedEnglish);
        connect(action, &QAction::triggered, this, [action, run, languageEntry, fixedCheck] {
            if (languageEntry)
                action->setChecked(fixedCheck); // each menu always marks its own language
            run();
        });
        set->actions[name] = action;
        if (command.flags & Hidden) {
            // Hidden from the menu, yet its key works while this menu is installed.
            set->hiddenFade = action;
            continue;
        }
        QMenu* menu = menuFor(command.path);
        menu->addAction(action);
        if (command.flags & SeparatorAfter)
            menu->addSeparator();
    }
    addProjectorScreenMenu(*menuFor("&Extras"), language);
    addPrelistenMenu(*menuFor("&Extras"), language);
    return set;
}

void MainWindow::addProjectorScreenMenu(QMenu& extras, Language language)
{
    extras.addSeparator();
    QMenu* screens = extras.addMenu(textIn(language, "MainMenu", QT_TRANSLATE_NOOP("MainMenu", "&Beamer-Bildschirm")));
    screens->setObjectName(menuObjectName("projectorScreenMenu", language));
    // Listed anew at each opening: screens come and go while the program runs.
    connect(screens, &QMenu::aboutToShow, this, [this, screens] {
        if (projector_)
            fillScreenMenu(*screens, *projector_);
    });
}

void MainWindow::addPrelistenMenu(QMenu& extras, Language language)
{
    QMenu* devices = extras.addMenu(textIn(language, "MainMenu", QT_TRANSLATE_NOOP("MainMenu", "Vor&hören")));
    devices->setObjectName(menuObjectName("prelistenMenu", language));
    // Listed anew at each opening: headphones are plugged in and out.
    connect(devices, &QMenu::aboutToShow, this, [this, devices, language] { fillPrelistenMenu(*devices, language); });
}

void MainWindow::fillPrelistenMenu(QMenu& menu, Language language)
{
    const auto text = [language](const char* german) { return textIn(language, "MainMenu", german); };
    menu.clear();
    qDeleteAll(menu.findChildren<QActionGroup*>(QString(), Qt::FindDirectChildrenOnly));
    if (!prelisten_) {
        menu.addAction(text(QT_TRANSLATE_NOOP("MainMenu", "Keine Tonausgabe")))->setEnabled(false);
        return;
    }
    auto* group = new QActionGroup(&menu);
    const std::optional<std::string> chosen = prelisten_->device();
    const auto entry = [&](const QString& shown, const std::optional<std::string>& device) {
        QAction* action = menu.addAction(QString(shown).replace(QLatin1Char('&'), QStringLiteral("&&")));
        action->setCheckable(true);
        action->setChecked(device == chosen);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, device] { choosePrelistenDevice(device); });
        return action;
    };
    entry(text(QT_TRANSLATE_NOOP("MainMenu", "Kein Gerät")), std::nullopt);
    const PortAudioOutput::Devices devices = PortAudioOutput::outputDevices();
    // The hall plays on the default device; the same twice would mix both.
    const std::vector<std::string> others = PortAudioOutput::besidesDefault(devices);
    for (const std::string& name : others)
        entry(QString::fromStdString(name), name);
    if (others.empty())
        menu.addAction(text(QT_TRANSLATE_NOOP("MainMenu", "Kein zweites Gerät gefunden")))->setEnabled(false);
    if (chosen && std::find(devices.names.begin(), devices.names.end(), *chosen) == devices.names.end())
        entry(text(QT_TRANSLATE_NOOP("MainMenu", "%1 (nicht da)")).arg(QString::fromStdString(*chosen)), chosen)
            ->setEnabled(false);
    menu.addSeparator();
    QAction* stops = menu.addAction(text(QT_TRANSLATE_NOOP("MainMenu", "Beim Start eines Durchgangs beenden")));
    stops->setCheckable(true);
    stops->setChecked(state_.prelistenStopsOnHeat);
    connect(stops, &QAction::toggled, this, [this](bool on) { state_.prelistenStopsOnHeat = on; });
}

void MainWindow::choosePrelistenDevice(const std::optional<std::string>& device)
{
    prelisten_->setDevice(device);
    state_.prelistenMissing.clear();
}

// A device chosen last time that is not there now (headphones left at home)
// falls back to none, and the play window says so.
void MainWindow::restorePrelistenDevice(const QString& name)
{
    const std::vector<std::string> present = PortAudioOutput::outputDevices().names;
    if (std::find(present.begin(), present.end(), name.toStdString()) != present.end())
        prelisten_->setDevice(name.toStdString());
    else
        state_.prelistenMissing = name;
}

void MainWindow::buildMenus()
{
    menuBar_ = new QMenuBar(this);
    setMenuBar(menuBar_);
    menuGerman_ = buildMenu(Language::German);
    menuEnglish_ = buildMenu(Language::English);
}

void MainWindow::installMenu(Language language)
{
    const MenuSet& shown = language == Language::English ? *menuEnglish_ : *menuGerman_;
    const MenuSet& other = language == Language::English ? *menuGerman_ : *menuEnglish_;
    menuBar_->clear();
    for (QMenu* menu : shown.topMenus)
        menuBar_->addMenu(menu);
    removeAction(other.hiddenFade);
    addAction(shown.hiddenFade);
}

QAction* MainWindow::action(const QString& objectName) const
{
    for (const MenuSet* set : {menuGerman_.get(), menuEnglish_.get()}) {
        const auto found = set->actions.find(objectName);
        if (found != set->actions.end())
            return found->second;
    }
    return nullptr;
}

void MainWindow::setCheckedInBothMenus(const char* name, bool checked)
{
    for (Language language : {Language::German, Language::English})
        action(menuObjectName(name, language))->setChecked(checked);
}

void MainWindow::setUpWindow()
{
    const QString executableFolder =
        options_.programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : options_.programFolder;
    const DataFolders folders = locateDataFolders(
        executableFolder, QDir(executableFolder).filePath(QStringLiteral(VANTOR_INSTALLED_DATA_DIR)),
        options_.userDataFolder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                                          : options_.userDataFolder);
    state_.programFolder = folders.program;
    state_.userDataFolder = folders.user;
    selectorSection_ = 0;
    selectorItem_ = 0;
    const StoredSettings stored = readSettings();
    if (options_.splashMs > 0) {
        SplashScreen splash;
        splash.showSplash(options_.splashMs);
    }
    placeWindow(stored.left, stored.top, stored.width, stored.height);
    registerEmbeddedWindows();
    countBeat_->setCopiesToClipboard(stored.copyTapsToClipboard);
    mainSplitter_->setSizes({SelectorColumnWidth, ClientWidth - SelectorColumnWidth});
    mainSplitter_->handle(1)->setEnabled(false); // the bar is locked
}

StoredSettings MainWindow::readSettings()
{
    const auto store = openSettingsStore(options_.settingsFile);
    const StoredSettings stored = ::readSettings(*store);
    if (stored.onTop)
        stayOnTopClicked();
    if (stored.darkTheme)
        Theme::instance().setDark(true);
    setCheckedInBothMenus("darkThemeAction", Theme::instance().dark());
    state_.savedTypeIndex = stored.savedTypeIndex;
    state_.savedDanceIndex = stored.savedDanceIndex;
    state_.savedRoundIndex = stored.savedRoundIndex;
    state_.language = languageFromStored(stored.language);
    storedLanguage_ = stored.language;
    state_.timeFormat = timeFormatFromStored(stored.timeFormat);
    storedProjectorScreen_ = stored.projectorScreen;
    if (prelisten_ && !stored.prelistenDevice.isEmpty())
        restorePrelistenDevice(stored.prelistenDevice);
    state_.prelistenStopsOnHeat = stored.prelistenStopsOnHeat;
    showTimeFormatChecks();
    return stored;
}

void MainWindow::tearDownWindow()
{
    if (!startupError_.isEmpty())
        return; // nothing the user chose is at stake; keep the stored values as they are
    StoredSettings values;
    values.left = storePosition_ ? x() : -1;
    values.top = storePosition_ ? y() : -1;
    values.width = storePosition_ ? width() : -1;
    values.height = storePosition_ ? height() : -1;
    values.onTop = stayOnTop_;
    values.darkTheme = Theme::instance().dark();
    values.savedTypeIndex = state_.savedTypeIndex;
    values.savedDanceIndex = state_.savedDanceIndex;
    values.savedRoundIndex = state_.savedRoundIndex;
    values.language = storedLanguage_;
    values.timeFormat = storedTimeFormat(state_.timeFormat);
    values.copyTapsToClipboard = countBeat_->copiesToClipboard();
    values.projectorScreen = projector_ ? projector_->preferredScreen() : storedProjectorScreen_;
    if (prelisten_ && prelisten_->device())
        values.prelistenDevice = QString::fromStdString(*prelisten_->device());
    values.prelistenStopsOnHeat = state_.prelistenStopsOnHeat;
    const auto store = openSettingsStore(options_.settingsFile);
    writeSettings(*store, values);
}

QSize MainWindow::contentMinimumSize() const
{
    // Room for the largest tool panel, so that no window's controls are cut
    // off; only on a screen too low for it does the area shrink, where the
    // window shown can.
    const QSize missing = (LargestPanel - displayArea_->minimumSizeHint()).expandedTo(QSize(0, 0));
    const QSize right = displayArea_->parentWidget()->minimumSizeHint() + QSize(0, missing.height());
    const QSize split = mainSplitter_->minimumSizeHint();
    const int width = split.width() + std::max(0, LargestPanel.width() - right.width());
    return {std::max(width, statusBar_->minimumSizeHint().width()),
            std::max(split.height(), right.height()) + menuBar_->sizeHint().height() + statusBar_->height()};
}

void MainWindow::placeWindow(int left, int top, int savedWidth, int savedHeight)
{
    const QSize contentMinimum = contentMinimumSize();
    QSize size = QSize(ClientWidth, ClientHeight).expandedTo(contentMinimum);
    if (savedWidth != -1)
        size.setWidth(savedWidth);
    if (savedHeight != -1) {
        size.setHeight(savedHeight);
        storePosition_ = true;
        setCheckedInBothMenus("storePositionAction", true);
    }
    size = size.expandedTo(contentMinimum);
    // A stored place off every screen (a monitor since unplugged) or a size
    // larger than the screen would leave the title bar out of reach.
    const ScreenAreas screens = currentScreenAreas();
    const QMargins frame = assumedFrame(*this);
    const WindowPlacement centred = ::placeWindow(std::nullopt, size, frame, screens);
    std::optional<QPoint> stored;
    if (left != -1 || top != -1)
        stored = QPoint(left != -1 ? left : centred.frameTopLeft.x(), top != -1 ? top : centred.frameTopLeft.y());
    const WindowPlacement place = ::placeWindow(stored, size, frame, screens);
    setMinimumSize(contentMinimum.boundedTo(place.clientSize));
    resize(place.clientSize);
    move(place.frameTopLeft);
}

void MainWindow::registerEmbeddedWindows()
{
    for (int window = 0; window < EmbeddedWindowCount; ++window)
        displayArea_->registerWindow(makeWindow(rowOf(static_cast<EmbeddedWindow>(window)), state_));
    countBeat_ = qobject_cast<CountBeatWindow*>(embedded(EmbeddedWindow::CountBeat));
    fadeCouples_ = qobject_cast<FadeCouplesWindow*>(embedded(EmbeddedWindow::FadeCouples));
    auto* metronome = qobject_cast<MetronomeWindow*>(embedded(EmbeddedWindow::Metronome));
    auto* speedConversion = qobject_cast<SpeedConversionWindow*>(embedded(EmbeddedWindow::SpeedConversion));
    auto* musicCheck = qobject_cast<MusicCheckWindow*>(embedded(EmbeddedWindow::MusicCheck));

    for (int index = 0; index < displayArea_->count(); ++index)
        connect(displayArea_->embeddedForm(index), &EmbeddedForm::statusTextChanged, statusBar_,
                &StatusPanels::setPanelText);
    speedConversion->setMeasuredTempo(&measuredTempo_);
    countBeat_->setMeasuredTempo(&measuredTempo_);
    metronome->setMeasuredTempo(&measuredTempo_);
    connect(&selection_, &DanceSelection::targetChanged, musicCheck, &MusicCheckWindow::danceChanged);
    auto* playMusic = qobject_cast<PlayMusicWindow*>(embedded(EmbeddedWindow::PlayMusic));
    connect(musicCheck, &MusicCheckWindow::useInRound, playMusic,
            [this, playMusic](const QStringList& paths, const QList<FileAnalysis>& analysed) {
                state_.messages->information(playMusic->useTracks(paths, analysed));
            });
    connect(musicCheck, &MusicCheckWindow::tempoTapped, playMusic, &PlayMusicWindow::analysisChanged);
    connect(musicCheck, &MusicCheckWindow::prelisten, playMusic, [this, playMusic](const FileAnalysis& analysis) {
        const QString problem = playMusic->prelistenFile(analysis);
        if (!problem.isEmpty())
            state_.messages->information(problem);
    });
}

EmbeddedForm* MainWindow::embedded(EmbeddedWindow window) const
{
    return displayArea_->embeddedForm(static_cast<int>(window));
}

EmbeddedWindow MainWindow::shownWindow() const
{
    return static_cast<EmbeddedWindow>(displayArea_->currentIndex());
}

void MainWindow::showEmbedded(EmbeddedWindow window)
{
    displayArea_->showWindow(static_cast<int>(window));
}

void MainWindow::createFreeStandingWindows()
{
    about_ = new AboutDialog(this);
    adaptSpeed_ = new AdaptSpeedDialog(state_, this);
    adaptFixedSpeed_ = new AdaptFixedSpeedDialog(this);
    countBeat_->setAdaptSpeed(adaptSpeed_);
    countBeat_->setAdaptFixSpeed(adaptFixedSpeed_);
    help_ = new HelpWindow(*state_.messages, this);
    state_.help = help_;
    customizeData_ = new CustomizeDataDialog(state_, this);
    projector_ = new ProjectorWindow(this);
    projector_->setPreferredScreen(storedProjectorScreen_);
    fadeCouples_->setProjector(projector_);
}

bool MainWindow::loadRuleTables()
{
    const DataFolders folders = dataFoldersOf(state_);
    // A save cut off by the end of the program is finished or dropped whole,
    // and the user told, before anything is read.
    for (const char* language : {"de", "en"}) {
        const QString languageFolder = language + QString(QDir::separator());
        for (const QString& base : {folders.program, folders.user}) {
            if (base.isEmpty())
                continue;
            if (const FileResult settled = finishCutSave(base + languageFolder); !settled.ok())
                cutSaveNotes_ << settled;
        }
    }
    lastLoadError_ = ::loadRuleTables(rules_, ruleFolderToRead(folders, state_.languageFolder)).error;
    return lastLoadError_.isEmpty();
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        windowShown();
}

void MainWindow::windowShown()
{
    if (firstShow_) {
        applyStoredLanguage();
        firstShow_ = false;
        for (const FileResult& note : std::exchange(cutSaveNotes_, {}))
            state_.messages->information(note.text(state_.language));
    }
    dancePanel_->fillInfoLine();
    dancePanel_->typeGroup->setItemIndex(static_cast<int>(DanceType::NoDance));
    dancePanel_->typeChanged();
    selectorItemClicked(0, 0);
}

// A stored English whose rule data cannot be read starts the program in
// German; English stays the stored language until the user chooses one.
void MainWindow::applyStoredLanguage()
{
    if (state_.language == Language::German) {
        toGermanClicked();
        return;
    }
    if (switchToEnglish(false))
        return;
    const int stored = storedLanguage_;
    state_.language = Language::German;
    toGermanClicked();
    storedLanguage_ = stored;
    // In both languages: the one the program starts in and the one it could not take.
    const char* const notLoaded = QT_TRANSLATE_NOOP("MainWindow", "Die englischen Regeldaten können nicht geladen "
                                                                  "werden: %1.\nDas Programm startet deshalb auf "
                                                                  "Deutsch; gespeichert bleibt Englisch.");
    state_.messages->warning(textIn(Language::German, "MainWindow", notLoaded).arg(lastLoadError_) +
                             QStringLiteral("\n\n") +
                             textIn(Language::English, "MainWindow", notLoaded).arg(lastLoadErrorEnglish_));
}

// The tool keys lead between the windows; a text field's own Ctrl+A (select
// all) or Ctrl+Z (undo) must not swallow them once the focus is in one.
bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->window() != this)
        return QMainWindow::eventFilter(watched, event);
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    for (const WindowRow& row : windowRows()) {
        if (row.menu && *row.menu->key && QKeySequence(QString::fromLatin1(row.menu->key)) == pressed)
            return true; // not accepted: the shortcut goes to the menu command
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
    // Help and other free windows must not keep the program alive.
    if (event->isAccepted())
        QCoreApplication::quit();
}

void MainWindow::selectorItemClicked(int section, int item)
{
    const WindowRow* row = selectorRow(section, item);
    if (!row)
        return;
    selectorSection_ = section;
    selectorItem_ = item;
    const bool focusInWindow = displayArea_->isAncestorOf(QApplication::focusWidget());
    // Showing the empty window first makes a repeated choice show its window anew.
    showEmbedded(EmbeddedWindow::Empty);
    setHeader(tr(row->selector->header));
    headerSource_ = row->selector->header;
    showEmbedded(row->window);
    focusShownWindow(focusInWindow);
}

void MainWindow::showByMenu(const char* header, EmbeddedWindow window)
{
    setHeader(tr(header));
    headerSource_ = header;
    showEmbedded(window);
    // A key pressed anywhere leads on into the window it opened.
    focusShownWindow(true);
}

// The focus left in a window now hidden would otherwise fall on a stop that
// shows nothing.
void MainWindow::focusShownWindow(bool always)
{
    EmbeddedForm* shown = embedded(shownWindow());
    QWidget* focus = QApplication::focusWidget();
    if (focus && shown->isAncestorOf(focus))
        return;
    if (!always && focus && focus->isVisible())
        return;
    for (QWidget* next = shown->nextInFocusChain(); next != shown; next = next->nextInFocusChain()) {
        if (shown->isAncestorOf(next) && next->isVisible() && next->isEnabled() &&
            (next->focusPolicy() & Qt::TabFocus)) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void MainWindow::setHeader(const QString& text)
{
    headerLabel_->setText(text);
}

QString MainWindow::headerText() const
{
    return headerLabel_->text();
}

void MainWindow::quitClicked()
{
    close();
}

bool MainWindow::stayOnTop() const
{
    return stayOnTop_;
}

void MainWindow::stayOnTopClicked()
{
    stayOnTop_ = !stayOnTop_;
    setCheckedInBothMenus("stayOnTopAction", stayOnTop_);
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, stayOnTop_);
    if (wasVisible)
        show(); // changing a window flag hides the window
}

void MainWindow::darkThemeClicked()
{
    Theme::instance().setDark(!Theme::instance().dark());
    setCheckedInBothMenus("darkThemeAction", Theme::instance().dark());
}

void MainWindow::storePositionClicked()
{
    storePosition_ = !storePosition_;
    setCheckedInBothMenus("storePositionAction", storePosition_);
}

void MainWindow::manualClicked()
{
    ManualDialog manual(this);
    manual.showManual(state_.programFolder, state_.language, *state_.messages);
}

void MainWindow::aboutClicked()
{
    about_->showCentered();
}

void MainWindow::customizeClicked()
{
    customizeData_->showModal();
}

void MainWindow::menuPaneSplitMoved()
{
    const QList<int> sizes = menuPane_->sizes();
    menuPane_->setSizes({LogoPaneHeight, sizes.value(0) + sizes.value(1) - LogoPaneHeight});
}

void MainWindow::secondsFormatClicked()
{
    setTimeFormat(TimeFormat::Seconds);
}

void MainWindow::minutesSecondsFormatClicked()
{
    setTimeFormat(TimeFormat::MinutesSeconds);
}

void MainWindow::showTimeFormatChecks()
{
    const bool seconds = state_.timeFormat == TimeFormat::Seconds;
    setCheckedInBothMenus("secondsFormatAction", seconds);
    setCheckedInBothMenus("minutesSecondsFormatAction", !seconds);
}

void MainWindow::setTimeFormat(TimeFormat format)
{
    state_.timeFormat = format;
    showTimeFormatChecks();
    // The three-couple fade clocks first, then the stopwatches.
    for (EmbeddedWindow window :
         {EmbeddedWindow::FadeCouples, EmbeddedWindow::StopTime, EmbeddedWindow::MusicCheck, EmbeddedWindow::PlayMusic})
        embedded(window)->timeFormatChanged(format);
}

void MainWindow::toGermanClicked()
{
    if (!reloadRuleTablesForLanguage(QStringLiteral("de"), true))
        return;
    state_.language = Language::German;
    storedLanguage_ = 0;
    showLanguage(Language::German);
    dancePanel_->setLanguage(Language::German);
}

void MainWindow::toEnglishClicked()
{
    switchToEnglish(true);
}

bool MainWindow::switchToEnglish(bool reportFailure)
{
    if (!reloadRuleTablesForLanguage(QStringLiteral("en"), reportFailure))
        return false;
    state_.language = Language::English;
    storedLanguage_ = 1;
    showLanguage(Language::English);
    // The shown information window comes back with its English header.
    if (selectorSection_ == 1 || selectorSection_ == 2)
        selectorItemClicked(selectorSection_, selectorItem_);
    dancePanel_->setLanguage(Language::English);
    return true;
}

// All four tables of the language are read before anything switches, so a
// broken file leaves the program wholly in the language it was in.
bool MainWindow::reloadRuleTablesForLanguage(const QString& language, bool reportFailure)
{
    const QString languageFolder = language + QDir::separator();
    const FileResult result = ::loadRuleTables(rules_, ruleFolderToRead(dataFoldersOf(state_), languageFolder));
    if (!result.ok()) {
        if (reportFailure) {
            state_.messages->warning(
                tr("Die Sprache wird nicht gewechselt, weil die Regeldaten nicht geladen werden können: %1")
                    .arg(result.text(state_.language)));
        }
        lastLoadError_ = result.text(Language::German);
        lastLoadErrorEnglish_ = result.text(Language::English);
        return false;
    }
    state_.languageFolder = languageFolder;
    return true;
}

void MainWindow::relabelStatusPanels(const QString& coupleWord, const QString& timeWord)
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

void MainWindow::showSelectorCaptions()
{
    for (int section = 0; section < SelectorSectionCount; ++section) {
        selector_->setSectionCaption(section, tr(SelectorSectionCaptions[section]));
        for (int item = 0; item < selectorItemCount(section); ++item)
            selector_->setItemCaption(section, item, tr(selectorRow(section, item)->selector->caption));
    }
}

// The application answers in the language from here on; then the main
// window's own texts and every window's follow.
void MainWindow::showLanguage(Language language)
{
    useLanguage(language);
    installMenu(language);
    // The prompt, in whichever language it shows, comes in the new one.
    for (Language shown : {Language::German, Language::English}) {
        if (headerLabel_->text() == textIn(shown, "MainWindow", Prompt))
            setHeader(tr(Prompt));
    }
    // A window's header follows at once, without showing the window anew:
    // its clocks may be running.
    if (headerSource_)
        setHeader(tr(headerSource_));
    relabelStatusPanels(tr("Paar"), tr("Zeit"));
    showSelectorCaptions();
    tellWindowsLanguage(language);
}

void MainWindow::tellWindowsLanguage(Language language)
{
    adaptSpeed_->setLanguage(language);
    adaptFixedSpeed_->setLanguage(language);
    about_->setLanguage(language);
    // The international windows have English texts only.
    for (EmbeddedWindow window :
         {EmbeddedWindow::CountBeat, EmbeddedWindow::StopTime, EmbeddedWindow::Metronome,
          EmbeddedWindow::SpeedConversion, EmbeddedWindow::FadeRockNRoll, EmbeddedWindow::FadeCouples,
          EmbeddedWindow::RockNRollInfo, EmbeddedWindow::BoogieWoogieInfo, EmbeddedWindow::BallroomInfo,
          EmbeddedWindow::LatinInfo, EmbeddedWindow::FormationInfo, EmbeddedWindow::MusicCheck,
          EmbeddedWindow::PlayMusic})
        embedded(window)->setLanguage(language);
}
