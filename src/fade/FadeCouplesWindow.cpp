#include "widgets/Pictures.h"
#include "fade/LampLook.h"
#include "fade/FadeCouplesWindow.h"
#include "fade/ProjectorWindow.h"
#include "common/Messages.h"
#include "common/PlayingHeat.h"
#include "common/ProgramState.h"
#include "rules/DanceSelection.h"
#include "widgets/RoundedFrame.h"
#include "widgets/TextFit.h"
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

namespace {

// typeGroup's last item: no dance, no dancing time, no lamps.
constexpr int kTickMs = 100;
constexpr int kCoupleLeft = 16;
constexpr int kCoupleStep = 172;
constexpr int kCoupleTop = 18;

// German, translated when shown.
constexpr const char* kCoupleCaptions[] = {
    QT_TRANSLATE_NOOP("FadeCouplesWindow", "erstes Paar"),
    QT_TRANSLATE_NOOP("FadeCouplesWindow", "zweites Paar"),
    QT_TRANSLATE_NOOP("FadeCouplesWindow", "letztes Paar"),
};

QString startCaption(int couple, bool running)
{
    return (running ? QStringLiteral("Stop (&%1)") : QStringLiteral("Start (&%1)")).arg(couple);
}

QString unitText(TimeFormat timeFormat)
{
    return timeFormat == TimeFormat::Seconds ? QStringLiteral("sec.") : QStringLiteral("mm:ss");
}

template <typename Widget>
Widget* named(Widget* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

QFont withWeight(QFont font, QFont::Weight weight)
{
    font.setWeight(weight);
    return font;
}

QFrame* redLine(QWidget* parent, const QString& name, int top)
{
    auto* line = named(new QFrame(parent), name);
    line->setGeometry(kCoupleLeft, top, 505, 2);
    line->setStyleSheet(QStringLiteral("background: rgb(220, 0, 0);"));
    return line;
}

} // namespace

LampShape::LampShape(QWidget* parent)
    : QWidget(parent),
      color_(lampOffColor())
{
    setFixedSize(25, 25);
}

void LampShape::setBrushColor(const QColor& color)
{
    color_ = color;
    update();
}

void LampShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(color_);
    painter.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    if (color_ != lampOffColor()) {
        // A lit lamp shows a white ring, so it stands out from the unlit
        // ones even where its colour looks as dark as theirs.
        painter.setPen(QPen(Qt::white, 2.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QRectF(rect()).adjusted(4, 4, -4, -4));
    }
}

FadeCouplesWindow::FadeCouplesWindow(ProgramState& state, QWidget* parent)
    : EmbeddedForm("FadeCouplesWindow", QSize(537, 369), parent),
      state_(state),
      time_(*state.clock, state.playingHeat),
      // Created in tab order: the couples' buttons, then the window's.
      couples_{makeCouple(1), makeCouple(2), makeCouple(3)},
      frame(new RoundedFrame(5, panel())),
      projectorTwoButton(named(new QPushButton(panel()), QStringLiteral("projectorTwoButton"))),
      projectorAllButton(named(new QPushButton(panel()), QStringLiteral("projectorAllButton"))),
      invertedCheck(named(new QCheckBox(QStringLiteral("Invertieren"), panel()), QStringLiteral("invertedCheck"))),
      followCheck(named(new QCheckBox(panel()), QStringLiteral("followCheck"))),
      followTimer(named(new QTimer(this), QStringLiteral("followTimer"))),
      projectorScreenLabel(named(new QLabel(panel()), QStringLiteral("projectorScreenLabel"))),
      projectorScreenCombo(named(new QComboBox(panel()), QStringLiteral("projectorScreenCombo"))),
      resetButton(named(new QPushButton(panel()), QStringLiteral("resetButton"))),
      helpButton(named(new QPushButton(panel()), QStringLiteral("helpButton")))
{
    placeControls();
    connect(projectorTwoButton, &QPushButton::clicked, this, [this] { projectorClicked(4); });
    connect(projectorAllButton, &QPushButton::clicked, this, [this] { projectorClicked(5); });
    connect(resetButton, &QPushButton::clicked, this, &FadeCouplesWindow::resetClicked);
    connect(helpButton, &QPushButton::clicked, this, &EmbeddedForm::helpRequested);
    connect(invertedCheck, &QCheckBox::toggled, this, [this] {
        if (projectorMode_ != -1)
            showOnProjector();
    });
    followCheck->setChecked(time_.following());
    connect(followCheck, &QCheckBox::toggled, &time_, &PlayerTime::setFollowing);
    connect(&time_, &PlayerTime::heatBegun, this, &FadeCouplesWindow::heatBegun);
    connect(&time_, &PlayerTime::heatEnding, this, &FadeCouplesWindow::heatEnding);
    followTimer->setInterval(kTickMs);
    connect(followTimer, &QTimer::timeout, this, &FadeCouplesWindow::followTimerFired);
    connect(projectorScreenCombo, &QComboBox::activated, this, [this](int index) {
        if (projector_)
            projector_->setPreferredScreen(projectorScreenCombo->itemData(index).toString());
    });
    // The stored time format is known already; the units follow it from the start.
    showUnitLabels(state_.timeFormat);
    applyLanguage();
}

std::unique_ptr<FadeCouple> FadeCouplesWindow::makeCouple(int number)
{
    auto couple = std::make_unique<FadeCouple>(time_);
    const QString digit = QString::number(number);
    couple->group = named(new QGroupBox(panel()), QStringLiteral("GB_") + digit);
    couple->group->setGeometry(kCoupleLeft + (number - 1) * kCoupleStep, kCoupleTop, 161, 190);
    couple->group->setFont(withWeight(couple->group->font(), QFont::Bold));
    const QFont normal = withWeight(couple->group->font(), QFont::Normal);

    couple->timeEdit = named(new QLineEdit(couple->group), QStringLiteral("TimeEdit") + digit);
    // The whole width of the box: the longest reading, 5999,9 or 59:59, in the large font.
    couple->timeEdit->setGeometry(8, 26, 145, 46);
    couple->timeEdit->setReadOnly(true);
    couple->timeEdit->setFocusPolicy(Qt::NoFocus);
    couple->timeEdit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont clockFont = couple->group->font();
    clockFont.setPixelSize(32);
    couple->timeEdit->setFont(clockFont);
    shrinkFontToFit(*couple->timeEdit, longestClockTexts());
    // Set before the change handler is wired: the status bar keeps its start-up text.
    couple->timeEdit->setText(clockText(0, state_.timeFormat));
    connect(couple->timeEdit, &QLineEdit::textChanged, this, [this, number] { timeEditChanged(number); });

    couple->unitLabel = named(new QLabel(couple->group), QStringLiteral("Label") + digit);
    couple->unitLabel->setFont(normal);
    // The unit stands in the title line, right, leaving the clock its room.
    couple->unitLabel->setGeometry(105, 0, 48, 18);
    couple->unitLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    addTrafficLight(*couple, number);

    couple->startButton =
        named(new QPushButton(startCaption(number, false), couple->group), QStringLiteral("Start") + digit);
    couple->startButton->setFont(normal);
    couple->startButton->setGeometry(68, 90, 85, 30);
    connect(couple->startButton, &QPushButton::clicked, this, [this, number] { startClicked(number); });

    couple->projectorButton =
        named(new QPushButton(QStringLiteral("Beamer"), couple->group), QStringLiteral("projectorButton") + digit);
    couple->projectorButton->setFont(normal);
    couple->projectorButton->setGeometry(62, 138, 93, 30);
    connect(couple->projectorButton, &QPushButton::clicked, this, [this, number] { projectorClicked(number); });

    couple->clockTimer = named(new QTimer(this), QStringLiteral("Timer") + digit);
    couple->clockTimer->setInterval(kTickMs);
    connect(couple->clockTimer, &QTimer::timeout, this, [this, number] { clockTimerFired(number); });
    return couple;
}

void FadeCouplesWindow::addTrafficLight(FadeCouple& couple, int number)
{
    const QString housing = QStringLiteral("Ampel%1").arg(number);
    couple.lampHousing = named(new QFrame(couple.group), housing);
    couple.lampHousing->setGeometry(8, 82, 49, 97);
    couple.lampHousing->setStyleSheet(
        QStringLiteral("#%1 { background: rgb(24, 24, 24); border-radius: 8px; }").arg(housing));
    // Red above yellow above green.
    couple.redLamp = named(new LampShape(couple.lampHousing), housing + QStringLiteral("_Rot"));
    couple.amberLamp = named(new LampShape(couple.lampHousing), housing + QStringLiteral("_Gelb"));
    couple.greenLamp = named(new LampShape(couple.lampHousing), housing + QStringLiteral("_Gruen"));
    couple.redLamp->move(12, 6);
    couple.amberLamp->move(12, 36);
    couple.greenLamp->move(12, 66);
}

void FadeCouplesWindow::placeControls()
{
    frame->setGeometry(8, 8, 521, 353);
    frame->lower(); // behind the controls, though created after the couples
    redLine(panel(), QStringLiteral("Shape2"), 220);
    projectorTwoButton->setGeometry(kCoupleLeft - 4, 234, 172, 30);
    projectorAllButton->setGeometry(kCoupleLeft + kCoupleStep - 2, 234, 172, 30);
    invertedCheck->setGeometry(kCoupleLeft + 2 * kCoupleStep + 8, 238, 150, 22);
    redLine(panel(), QStringLiteral("Shape3"), 278);
    resetButton->setGeometry(kCoupleLeft, 300, 161, 36);
    projectorScreenLabel->setGeometry(kCoupleLeft + kCoupleStep, 288, 166, 18);
    followCheck->setGeometry(kCoupleLeft + 2 * kCoupleStep, 284, 166, 20);
    projectorScreenLabel->setBuddy(projectorScreenCombo);
    projectorScreenCombo->setGeometry(kCoupleLeft + kCoupleStep, 306, 222, 26);
    resetButton->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    helpButton->setGeometry(kCoupleLeft + 2 * kCoupleStep + 86, 306, 75, 26);
    // The program's help glyph, from the pictures the application carries.
    initPictures();
    helpButton->setIcon(QIcon(HelpIconPicture));
}

void FadeCouplesWindow::applyLanguage()
{
    for (int number = 1; number <= 3; ++number) {
        coupleAt(number).group->setTitle(tr(kCoupleCaptions[number - 1]));
        // The digits after the three start keys: no letter of "Beamer" is free three times.
        coupleAt(number).projectorButton->setText(tr("Beamer &%1").arg(number + 3));
    }
    resetButton->setText(tr("&Zurücksetzen"));
    helpButton->setText(tr("H&ilfe"));
    projectorAllButton->setText(tr("Beamer (a&lle Uhren)"));
    projectorTwoButton->setText(tr("Beamer (z&wei Uhren)"));
    invertedCheck->setText(tr("In&vertieren"));
    projectorScreenLabel->setText(tr("Beamer-Bild&schirm:"));
    invertedCheck->setToolTip(tr("Vertauscht im Beamer-Modus die Position der 1. und 3. Stoppuhr"));
    followCheck->setText(tr("Dem Player &folgen"));
    followCheck->setToolTip(tr("Die Uhr des ersten Paares läuft mit der Musik des Players, "
                               "alle Uhren zählen die Zeit, die der Saal hört"));
}

void FadeCouplesWindow::setProjector(ProjectorWindow* projector)
{
    projector_ = projector;
    for (int number = 1; number <= 3; ++number) {
        connect(projector_->coupleButton(number), &QPushButton::clicked, this,
                [this, number] { toggleCouple(number); });
        showStartCaption(number);
    }
    connect(projector_->resetButton, &QPushButton::clicked, this, &FadeCouplesWindow::resetClicked);
    connect(projector_, &QDialog::finished, this, [this] { projectorMode_ = -1; });
    showHeatOnProjector();
    connect(projector_, &ProjectorWindow::screenChoiceChanged, this, &FadeCouplesWindow::listProjectorScreens);
    listProjectorScreens();
}

void FadeCouplesWindow::listProjectorScreens()
{
    const QSignalBlocker quiet(projectorScreenCombo);
    projectorScreenCombo->clear();
    for (const ScreenInfo& screen : projector_->screens())
        projectorScreenCombo->addItem(screenEntryText(screen), screen.name);
    projectorScreenCombo->setCurrentIndex(projector_->screenIndex());
}

bool FadeCouplesWindow::noDanceChosen() const
{
    return state_.selection->noDance();
}

bool FadeCouplesWindow::danceChosen() const
{
    const DanceSelection& selection = *state_.selection;
    if (selection.noDance())
        return true;
    return selection.type() >= 0 && selection.dance() >= 0 && (!selection.asksForRound() || selection.round() >= 0);
}

void FadeCouplesWindow::startClicked(int couple)
{
    if (!danceChosen()) {
        state_.messages->warning(tr("Sie müssen zuerst einen Tanz auswählen"));
        return;
    }
    toggleCouple(couple);
}

bool FadeCouplesWindow::anyClockRuns() const
{
    for (const auto& couple : couples_)
        if (couple->clockTimer->isActive())
            return true;
    return false;
}

void FadeCouplesWindow::setDanceSelectionEnabled(bool enabled)
{
    state_.selection->setLocked(!enabled);
}

void FadeCouplesWindow::toggleCouple(int number)
{
    FadeCouple& couple = coupleAt(number);
    if (couple.clockTimer->isActive()) {
        couple.clockTimer->stop();
        couple.clock.stop();
        // The time stopped at, not the last tick before it.
        showReading(number, state_.timeFormat);
    }
    else {
        couple.clockTimer->start();
        couple.clock.start();
        // Started by hand before the heat was heard: it counts from the heat's start anyway.
        if (number == 1)
            followTimer->stop();
    }
    showStartCaption(number);
    // The dancing time must not change under a running clock.
    setDanceSelectionEnabled(!anyClockRuns());
}

void FadeCouplesWindow::showStartCaption(int number)
{
    const QString caption = startCaption(number, coupleAt(number).clockTimer->isActive());
    coupleAt(number).startButton->setText(caption);
    if (projector_)
        projector_->coupleButton(number)->setText(caption);
}

void FadeCouplesWindow::clockTimerFired(int number)
{
    FadeCouple& couple = coupleAt(number);
    const std::int64_t readingMs = couple.clock.readingMs();
    couple.timeEdit->setText(clockText(readingMs, state_.timeFormat));
    const DanceTime& danceTime = state_.selection->danceTime();
    // Without a dancing time ("Kein Tanz" before any dance) there is nothing
    // for the lamps to tell.
    if (danceTime.max() <= 0)
        return;
    // A reading that passed more than one threshold since the last tick (a
    // clock joining a heat under way) moves the light on to where it belongs;
    // a light that does not move on (red, or a threshold of 0) ends the walk.
    std::optional<LampState> lamp;
    for (;;) {
        const double threshold = couple.light.nextThreshold();
        const auto next = couple.light.advance(readingMs * 0.001, danceTime.min(), danceTime.max());
        if (!next)
            break;
        lamp = next;
        if (*next == LampState::Red || couple.light.nextThreshold() == threshold)
            break;
    }
    if (lamp)
        setLamp(number, *lamp);
}

void FadeCouplesWindow::heatBegun()
{
    showHeatOnProjector();
    // An incomplete selection would be locked while the clocks ran, and
    // without it there is no dancing time for the lamps.
    if (!danceChosen())
        return;
    // A new heat, new couples: nothing of the last one stays on the clocks.
    resetClicked();
    setDanceSelectionEnabled(false);
    followTimer->start();
    followTimerFired();
}

void FadeCouplesWindow::followTimerFired()
{
    if (!followTimer->isActive() || !time_.heard())
        return;
    followTimer->stop();
    FadeCouple& couple = coupleAt(1);
    couple.clockTimer->start();
    // From the heat's first heard moment, not from this tick.
    couple.clock.startAt(0);
    showStartCaption(1);
    clockTimerFired(1);
}

void FadeCouplesWindow::heatEnding()
{
    followTimer->stop();
    // Read now, while the heat's time still counts: the clocks stop where the hall was.
    for (int number = 1; number <= 3; ++number)
        if (coupleAt(number).clockTimer->isActive())
            toggleCouple(number);
    setDanceSelectionEnabled(!anyClockRuns());
    if (projector_)
        projector_->setHeat(QString(), QString());
}

void FadeCouplesWindow::showHeatOnProjector()
{
    const PlayingHeat* heat = time_.heat();
    if (projector_ && heat)
        projector_->setHeat(heat->dance(), heat->nextDance());
}

void FadeCouplesWindow::setLamp(int couple, LampState state)
{
    // Without a dance there is no dancing time to signal.
    if (noDanceChosen())
        return;
    showLamp(couple, state);
}

void FadeCouplesWindow::showLamp(int number, LampState state)
{
    const LampColors colors = colorsOf(state);
    FadeCouple& couple = coupleAt(number);
    couple.redLamp->setBrushColor(colors.red);
    couple.amberLamp->setBrushColor(colors.yellow);
    couple.greenLamp->setBrushColor(colors.green);
    if (projector_)
        projector_->setClockLamp(number, state);
}

void FadeCouplesWindow::resetClicked()
{
    // Also a first couple still waiting for the heat to be heard.
    followTimer->stop();
    for (int number = 1; number <= 3; ++number) {
        FadeCouple& couple = coupleAt(number);
        couple.clockTimer->stop();
        couple.clock.stop();
        couple.clock.reset();
        couple.light.reset();
        showStartCaption(number);
        showReading(number, state_.timeFormat);
        // Unlike a tick, a reset puts the lights out also without a dance:
        // a lamp left red would signal "fade out" over a clock at zero.
        showLamp(number, LampState::Null);
    }
    setDanceSelectionEnabled(true);
}

void FadeCouplesWindow::showReading(int number, TimeFormat timeFormat)
{
    FadeCouple& couple = coupleAt(number);
    couple.timeEdit->setText(clockText(couple.clock.readingMs(), timeFormat));
}

void FadeCouplesWindow::timeEditChanged(int number)
{
    const QString text = coupleAt(number).timeEdit->text();
    // The status bar belongs to the main window and speaks the program's language.
    const QString label = tr("Zeit %1: ");
    emit statusTextChanged(number + 2, label.arg(number) + text);
    if (projector_ && projectorMode_ != -1 && modeShowsCouple(projectorMode_, number))
        projector_->timeLabel(number)->setText(text);
}

void FadeCouplesWindow::showUnitLabels(TimeFormat timeFormat)
{
    for (const auto& couple : couples_)
        couple->unitLabel->setText(unitText(timeFormat));
}

void FadeCouplesWindow::timeFormatChanged(TimeFormat timeFormat)
{
    showUnitLabels(timeFormat);
    for (int number = 1; number <= 3; ++number) {
        if (coupleAt(number).clockTimer->isActive())
            clockTimerFired(number);
        else
            // A stopped clock shows the reading it will resume from.
            showReading(number, timeFormat);
    }
}

void FadeCouplesWindow::projectorClicked(int mode)
{
    if (!projector_)
        return;
    // Back to -1 when the display closes; on a screen of its own that is
    // later, and another Beamer button meanwhile switches what it shows.
    projectorMode_ = mode;
    showOnProjector();
}

void FadeCouplesWindow::showOnProjector()
{
    std::array<QString, 3> texts;
    for (int number = 1; number <= 3; ++number)
        texts[number - 1] = coupleAt(number).timeEdit->text();
    projector_->showProjector(projectorMode_, invertedCheck->isChecked(), texts);
}
