#include "widgets/Pictures.h"
#include "fade/FrmMusikAusblendenLatein.h"
#include "fade/FrmBeamer.h"
#include "common/HelpViewer.h"
#include "common/Messages.h"
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

// RG_Typ's last item: no dance, no dancing time, no lamps.
constexpr int kTickMs = 100;
constexpr int kCoupleLeft = 16;
constexpr int kCoupleStep = 172;
constexpr int kCoupleTop = 18;

// German, translated when shown.
constexpr const char* kCoupleCaptions[] = {
    QT_TRANSLATE_NOOP("TFrmMusikAusblendenLatein", "erstes Paar"),
    QT_TRANSLATE_NOOP("TFrmMusikAusblendenLatein", "zweites Paar"),
    QT_TRANSLATE_NOOP("TFrmMusikAusblendenLatein", "letztes Paar"),
};

QString startCaption(int couple, bool running)
{
    return (running ? QStringLiteral("Stop (&%1)") : QStringLiteral("Start (&%1)")).arg(couple);
}

QString unitText(TimeFormat zeitformat)
{
    return zeitformat == TimeFormat::Seconds ? QStringLiteral("sec.") : QStringLiteral("mm:ss");
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
      color_(LampOffColor())
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
}

TFrmMusikAusblendenLatein::TFrmMusikAusblendenLatein(ProgramState& state, QWidget* parent)
    : EmbeddedForm("FrmMusikAusblendenLatein", QSize(537, 369), parent),
      state_(state),
      // Created in tab order: the couples' buttons, then the window's.
      couples_{makeCouple(1), makeCouple(2), makeCouple(3)},
      LMDShapeControl1(new RoundedFrame(5, Panel1())),
      BT_Beamer2(named(new QPushButton(Panel1()), QStringLiteral("BT_Beamer2"))),
      BT_BeamerAll(named(new QPushButton(Panel1()), QStringLiteral("BT_BeamerAll"))),
      cbx_inverted(named(new QCheckBox(QStringLiteral("Invertieren"), Panel1()), QStringLiteral("cbx_inverted"))),
      LB_BeamerScreen(named(new QLabel(Panel1()), QStringLiteral("LB_BeamerScreen"))),
      CO_BeamerScreen(named(new QComboBox(Panel1()), QStringLiteral("CO_BeamerScreen"))),
      BT_Reset(named(new QPushButton(Panel1()), QStringLiteral("BT_Reset"))),
      BT_Help(named(new QPushButton(Panel1()), QStringLiteral("BT_Help")))
{
    placeControls();
    connect(BT_Beamer2, &QPushButton::clicked, this, [this] { BeamerClick(4); });
    connect(BT_BeamerAll, &QPushButton::clicked, this, [this] { BeamerClick(5); });
    connect(BT_Reset, &QPushButton::clicked, this, &TFrmMusikAusblendenLatein::BT_ResetClick);
    connect(BT_Help, &QPushButton::clicked, this, &TFrmMusikAusblendenLatein::BT_HelpClick);
    connect(cbx_inverted, &QCheckBox::toggled, this, [this] {
        if (projectorMode_ != -1)
            showOnBeamer();
    });
    connect(CO_BeamerScreen, &QComboBox::activated, this, [this](int index) {
        if (beamer_)
            beamer_->setPreferredScreen(CO_BeamerScreen->itemData(index).toString());
    });
    // The stored time format is known already; the units follow it from the start.
    showUnitLabels(state_.Zeitformat);
    applyLanguage();
}

std::unique_ptr<FadeCouple> TFrmMusikAusblendenLatein::makeCouple(int number)
{
    auto couple = std::make_unique<FadeCouple>(*state_.clock);
    const QString digit = QString::number(number);
    couple->GB = named(new QGroupBox(Panel1()), QStringLiteral("GB_") + digit);
    couple->GB->setGeometry(kCoupleLeft + (number - 1) * kCoupleStep, kCoupleTop, 161, 190);
    couple->GB->setFont(withWeight(couple->GB->font(), QFont::Bold));
    const QFont normal = withWeight(couple->GB->font(), QFont::Normal);

    couple->TimeEdit = named(new QLineEdit(couple->GB), QStringLiteral("TimeEdit") + digit);
    // The whole width of the box: the longest reading, 5999,9 or 59:59, in the large font.
    couple->TimeEdit->setGeometry(8, 26, 145, 46);
    couple->TimeEdit->setReadOnly(true);
    couple->TimeEdit->setFocusPolicy(Qt::NoFocus);
    couple->TimeEdit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont clockFont = couple->GB->font();
    clockFont.setPixelSize(32);
    couple->TimeEdit->setFont(clockFont);
    ShrinkFontToFit(*couple->TimeEdit, LongestClockTexts());
    // Set before the change handler is wired: the status bar keeps its start-up text.
    couple->TimeEdit->setText(ClockText(0, state_.Zeitformat));
    connect(couple->TimeEdit, &QLineEdit::textChanged, this, [this, number] { TimeEditChange(number); });

    couple->Label = named(new QLabel(couple->GB), QStringLiteral("Label") + digit);
    couple->Label->setFont(normal);
    // The unit stands in the title line, right, leaving the clock its room.
    couple->Label->setGeometry(105, 0, 48, 18);
    couple->Label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    addTrafficLight(*couple, number);

    couple->Start = named(new QPushButton(startCaption(number, false), couple->GB), QStringLiteral("Start") + digit);
    couple->Start->setFont(normal);
    couple->Start->setGeometry(68, 90, 85, 30);
    connect(couple->Start, &QPushButton::clicked, this, [this, number] { StartClick(number); });

    couple->BT_beamer =
        named(new QPushButton(QStringLiteral("Beamer"), couple->GB), QStringLiteral("BT_beamer_") + digit);
    couple->BT_beamer->setFont(normal);
    couple->BT_beamer->setGeometry(68, 138, 85, 30);
    connect(couple->BT_beamer, &QPushButton::clicked, this, [this, number] { BeamerClick(number); });

    couple->Timer = named(new QTimer(this), QStringLiteral("Timer") + digit);
    couple->Timer->setInterval(kTickMs);
    connect(couple->Timer, &QTimer::timeout, this, [this, number] { TimerTimer(number); });
    return couple;
}

void TFrmMusikAusblendenLatein::addTrafficLight(FadeCouple& couple, int number)
{
    const QString housing = QStringLiteral("Ampel%1").arg(number);
    couple.Ampel = named(new QFrame(couple.GB), housing);
    couple.Ampel->setGeometry(8, 82, 49, 97);
    couple.Ampel->setStyleSheet(
        QStringLiteral("#%1 { background: rgb(24, 24, 24); border-radius: 8px; }").arg(housing));
    // Red above yellow above green.
    couple.Rot = named(new LampShape(couple.Ampel), housing + QStringLiteral("_Rot"));
    couple.Gelb = named(new LampShape(couple.Ampel), housing + QStringLiteral("_Gelb"));
    couple.Gruen = named(new LampShape(couple.Ampel), housing + QStringLiteral("_Gruen"));
    couple.Rot->move(12, 6);
    couple.Gelb->move(12, 36);
    couple.Gruen->move(12, 66);
}

void TFrmMusikAusblendenLatein::placeControls()
{
    LMDShapeControl1->setGeometry(8, 8, 521, 353);
    LMDShapeControl1->lower(); // behind the controls, though created after the couples
    redLine(Panel1(), QStringLiteral("Shape2"), 220);
    BT_Beamer2->setGeometry(kCoupleLeft, 234, 161, 30);
    BT_BeamerAll->setGeometry(kCoupleLeft + kCoupleStep, 234, 161, 30);
    cbx_inverted->setGeometry(kCoupleLeft + 2 * kCoupleStep + 8, 238, 150, 22);
    redLine(Panel1(), QStringLiteral("Shape3"), 278);
    BT_Reset->setGeometry(kCoupleLeft, 300, 161, 36);
    LB_BeamerScreen->setGeometry(kCoupleLeft + kCoupleStep, 288, 200, 18);
    LB_BeamerScreen->setBuddy(CO_BeamerScreen);
    CO_BeamerScreen->setGeometry(kCoupleLeft + kCoupleStep, 306, 222, 26);
    BT_Reset->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    BT_Help->setGeometry(kCoupleLeft + 2 * kCoupleStep + 86, 306, 75, 26);
    // The program's help glyph, from the pictures the application carries.
    InitPictures();
    BT_Help->setIcon(QIcon(HelpIconPicture));
}

void TFrmMusikAusblendenLatein::applyLanguage()
{
    for (int number = 1; number <= 3; ++number)
        coupleAt(number).GB->setTitle(tr(kCoupleCaptions[number - 1]));
    BT_Reset->setText(tr("&Zurücksetzen"));
    BT_Help->setText(tr("H&ilfe"));
    BT_BeamerAll->setText(tr("Beamer (alle Uhren)"));
    BT_Beamer2->setText(tr("Beamer (zwei Uhren)"));
    LB_BeamerScreen->setText(tr("Beamer-Bild&schirm:"));
    cbx_inverted->setToolTip(tr("Vertauscht im Beamer-Modus die Position der 1. und 3. Stoppuhr"));
}

void TFrmMusikAusblendenLatein::setBeamer(TfrmBeamer* beamer)
{
    beamer_ = beamer;
    for (int number = 1; number <= 3; ++number) {
        connect(beamer_->coupleButton(number), &QPushButton::clicked, this, [this, number] { ToggleCouple(number); });
        showStartCaption(number);
    }
    connect(beamer_->BT_Reset, &QPushButton::clicked, this, &TFrmMusikAusblendenLatein::BT_ResetClick);
    connect(beamer_, &QDialog::finished, this, [this] { projectorMode_ = -1; });
    connect(beamer_, &TfrmBeamer::screenChoiceChanged, this, &TFrmMusikAusblendenLatein::listBeamerScreens);
    listBeamerScreens();
}

void TFrmMusikAusblendenLatein::listBeamerScreens()
{
    const QSignalBlocker quiet(CO_BeamerScreen);
    CO_BeamerScreen->clear();
    for (const ScreenInfo& screen : beamer_->screens())
        CO_BeamerScreen->addItem(ScreenEntryText(screen), screen.name);
    CO_BeamerScreen->setCurrentIndex(beamer_->screenIndex());
}

bool TFrmMusikAusblendenLatein::noDanceChosen() const
{
    return state_.selection->noDance();
}

bool TFrmMusikAusblendenLatein::danceChosen() const
{
    const DanceSelection& selection = *state_.selection;
    if (selection.noDance())
        return true;
    return selection.type() >= 0 && selection.dance() >= 0 && (!selection.asksForRound() || selection.round() >= 0);
}

void TFrmMusikAusblendenLatein::StartClick(int couple)
{
    if (!danceChosen()) {
        state_.messages->warning(tr("Sie müssen zuerst einen Tanz auswählen"));
        return;
    }
    ToggleCouple(couple);
}

bool TFrmMusikAusblendenLatein::anyClockRuns() const
{
    for (const auto& couple : couples_)
        if (couple->Timer->isActive())
            return true;
    return false;
}

void TFrmMusikAusblendenLatein::setDanceSelectionEnabled(bool enabled)
{
    state_.selection->setLocked(!enabled);
}

void TFrmMusikAusblendenLatein::ToggleCouple(int number)
{
    FadeCouple& couple = coupleAt(number);
    if (couple.Timer->isActive()) {
        couple.Timer->stop();
        couple.clock.stop();
        // The time stopped at, not the last tick before it.
        showReading(number, state_.Zeitformat);
    }
    else {
        couple.Timer->start();
        couple.clock.start();
    }
    showStartCaption(number);
    // The dancing time must not change under a running clock.
    setDanceSelectionEnabled(!anyClockRuns());
}

void TFrmMusikAusblendenLatein::showStartCaption(int number)
{
    const QString caption = startCaption(number, coupleAt(number).Timer->isActive());
    coupleAt(number).Start->setText(caption);
    if (beamer_)
        beamer_->coupleButton(number)->setText(caption);
}

void TFrmMusikAusblendenLatein::TimerTimer(int number)
{
    FadeCouple& couple = coupleAt(number);
    const std::int64_t readingMs = couple.clock.readingMs();
    couple.TimeEdit->setText(ClockText(readingMs, state_.Zeitformat));
    if (const auto lamp = couple.light.advance(readingMs * 0.001, state_.DanceTimeMin, state_.DanceTimeMax))
        SetAmpel(number, *lamp);
}

void TFrmMusikAusblendenLatein::SetAmpel(int couple, LampState state)
{
    // Without a dance there is no dancing time to signal.
    if (noDanceChosen())
        return;
    showLamp(couple, state);
}

void TFrmMusikAusblendenLatein::showLamp(int number, LampState state)
{
    const LampColors colors = ColorsOf(state);
    FadeCouple& couple = coupleAt(number);
    couple.Rot->setBrushColor(colors.red);
    couple.Gelb->setBrushColor(colors.yellow);
    couple.Gruen->setBrushColor(colors.green);
    if (beamer_)
        beamer_->setClockLamp(number, state);
}

void TFrmMusikAusblendenLatein::BT_ResetClick()
{
    for (int number = 1; number <= 3; ++number) {
        FadeCouple& couple = coupleAt(number);
        couple.Timer->stop();
        couple.clock.stop();
        couple.clock.reset();
        couple.light.reset();
        showStartCaption(number);
        showReading(number, state_.Zeitformat);
        // Unlike a tick, a reset puts the lights out also without a dance:
        // a lamp left red would signal "fade out" over a clock at zero.
        showLamp(number, LampState::Null);
    }
    setDanceSelectionEnabled(true);
}

void TFrmMusikAusblendenLatein::showReading(int number, TimeFormat zeitformat)
{
    FadeCouple& couple = coupleAt(number);
    couple.TimeEdit->setText(ClockText(couple.clock.readingMs(), zeitformat));
}

void TFrmMusikAusblendenLatein::TimeEditChange(int number)
{
    const QString text = coupleAt(number).TimeEdit->text();
    // The status bar belongs to the main window and speaks the program's language.
    const QString label = tr("Zeit %1: ");
    emit statusTextChanged(number + 2, label.arg(number) + text);
    if (beamer_ && projectorMode_ != -1 && ModeShowsCouple(projectorMode_, number))
        beamer_->timeLabel(number)->setText(text);
}

void TFrmMusikAusblendenLatein::showUnitLabels(TimeFormat zeitformat)
{
    for (const auto& couple : couples_)
        couple->Label->setText(unitText(zeitformat));
}

void TFrmMusikAusblendenLatein::TimeFormatChanged(TimeFormat zeitformat)
{
    showUnitLabels(zeitformat);
    for (int number = 1; number <= 3; ++number) {
        if (coupleAt(number).Timer->isActive())
            TimerTimer(number);
        else
            // A stopped clock shows the reading it will resume from.
            showReading(number, zeitformat);
    }
}

void TFrmMusikAusblendenLatein::BeamerClick(int mode)
{
    if (!beamer_)
        return;
    // Back to -1 when the display closes; on a screen of its own that is
    // later, and another Beamer button meanwhile switches what it shows.
    projectorMode_ = mode;
    showOnBeamer();
}

void TFrmMusikAusblendenLatein::showOnBeamer()
{
    std::array<QString, 3> texts;
    for (int number = 1; number <= 3; ++number)
        texts[number - 1] = coupleAt(number).TimeEdit->text();
    beamer_->ShowBeamer(projectorMode_, cbx_inverted->isChecked(), texts);
}

void TFrmMusikAusblendenLatein::BT_HelpClick()
{
    ShowToolHelp(state_, language(), tr("Latein/Standard/Boogie ausblenden"),
                 QStringLiteral("LateinAusblendenHelp.rtf"));
}
