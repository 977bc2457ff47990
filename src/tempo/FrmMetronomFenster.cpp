#include "tempo/FrmMetronomFenster.h"
#include "common/Clock.h"
#include "tempo/FrmGeschwindigkeitsumrechnung.h"
#include "common/HelpViewer.h"
#include "common/Messages.h"
#include "common/NumberText.h"
#include "common/ProgramState.h"
#include "widgets/RadioGroup.h"
#include "common/SoundPlayer.h"
#include "widgets/SpinEdit.h"
#include "common/ThreadTimer.h"
#include <QCheckBox>
#include <QLineEdit>
#include <cmath>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

namespace {

constexpr int kFlashMs = 75;
constexpr int kBeatClockMs = 20;
constexpr int kAccentPosition = 100;
constexpr int kBeatPosition = 50;
const QString kAccentSound = QStringLiteral("TOMTOM_HI");
const QString kClickSound = QStringLiteral("drum_stick");

// Holds back the shared conversion's warnings: a tempo that is no number
// gets the same message as one out of range, in the operator's words.
class WarningCounter : public Messages {
public:
    explicit WarningCounter(Messages& inner)
        : inner_(inner)
    {
    }
    void warning(const QString&) override { ++count; }
    void information(const QString& text) override { inner_.information(text); }
    bool inputQuery(const QString& title, const QString& prompt, QString& value) override
    {
        return inner_.inputQuery(title, prompt, value);
    }
    int count = 0;

private:
    Messages& inner_;
};

} // namespace

TFrmMetronomFenster::TFrmMetronomFenster(ProgramState& state, QWidget* parent)
    : EmbeddedForm("FrmMetronomFenster", QSize(545, 369), parent),
      LMDShapeControl1(new RoundedFrame(8, Panel1())),
      Bar(new QProgressBar(Panel1())),
      Takt(new RadioGroup(QString(), Panel1())),
      Label1(new QLabel(Panel1())),
      SE_TakteProMinute(new SpinEdit(Panel1())),
      CB_Beep(new QCheckBox(Panel1())),
      BT_Start(new QPushButton(Panel1())),
      BT_Help(new QPushButton(Panel1())),
      BT_Gemessen(new QPushButton(Panel1())),
      BT_Soll(new QPushButton(Panel1())),
      LB_NoSound(new QLabel(Panel1())),
      BarTimer(new QTimer(this)),
      Timer(new TThreadTimer(this)),
      FlashTimer(new QTimer(this)),
      state_(state)
{
    placeControls();

    Takt->setItems({QString(), QString(), QString()});
    Takt->setItemIndex(1);
    SE_TakteProMinute->setRange(kMinTempo, kMaxTempo);
    SE_TakteProMinute->setValue(46);
    // A tempo typed while running counts once it is complete, not digit by digit.
    SE_TakteProMinute->setKeyboardTracking(false);
    Label1->setBuddy(SE_TakteProMinute);
    BT_Start->setText(QStringLiteral("&Start"));
    BarTimer->setInterval(kFlashMs);
    BarTimer->setSingleShot(true);
    Timer->setInterval(kBeatClockMs);
    FlashTimer->setSingleShot(true);
    FlashTimer->setTimerType(Qt::PreciseTimer);

    connect(BT_Start, &QPushButton::clicked, this, &TFrmMetronomFenster::BT_StartClick);
    connect(BT_Help, &QPushButton::clicked, this, &TFrmMetronomFenster::BT_HelpClick);
    connect(Takt, &RadioGroup::itemChanged, this, &TFrmMetronomFenster::TaktChange);
    connect(SE_TakteProMinute, &QDoubleSpinBox::valueChanged, this, &TFrmMetronomFenster::SE_TakteProMinuteChange);
    connect(BT_Gemessen, &QPushButton::clicked, this, &TFrmMetronomFenster::BT_GemessenClick);
    connect(BT_Soll, &QPushButton::clicked, this, &TFrmMetronomFenster::BT_SollClick);
    connect(BarTimer, &QTimer::timeout, this, &TFrmMetronomFenster::BarTimerTimer);
    connect(FlashTimer, &QTimer::timeout, this, &TFrmMetronomFenster::FlashTimerTimer);
    Timer->OnTimer = [this](TThreadTimer*) { TimerTimer(); };

    applyLanguage();
}

void TFrmMetronomFenster::placeControls()
{
    LMDShapeControl1->setGeometry(16, 16, 513, 337);

    Bar->setObjectName("Bar");
    Bar->setGeometry(48, 40, 449, 36);
    Bar->setRange(0, 100);
    Bar->setValue(0);
    Bar->setTextVisible(false);
    Bar->setStyleSheet(QStringLiteral("QProgressBar { background: silver; border: 1px solid gray; }"
                                      " QProgressBar::chunk { background: rgb(0, 128, 0); }"));

    Takt->setObjectName("Takt");
    Takt->setGeometry(48, 100, 200, 130);
    Label1->setObjectName("Label1");
    Label1->setGeometry(288, 110, 120, 24);
    SE_TakteProMinute->setObjectName("SE_TakteProMinute");
    SE_TakteProMinute->setGeometry(410, 108, 87, 28);
    CB_Beep->setObjectName("CB_Beep");
    CB_Beep->setGeometry(288, 150, 150, 24);
    BT_Gemessen->setObjectName("BT_Gemessen");
    BT_Gemessen->setGeometry(288, 184, 209, 28);
    BT_Soll->setObjectName("BT_Soll");
    BT_Soll->setGeometry(288, 218, 209, 28);
    BT_Start->setObjectName("BT_Start");
    BT_Start->setGeometry(48, 270, 200, 40);
    BT_Help->setObjectName("BT_Help");
    BT_Help->setGeometry(372, 270, 125, 40);
    LB_NoSound->setObjectName("LB_NoSound");
    LB_NoSound->setGeometry(48, 236, 200, 24);
    LB_NoSound->hide();
    BarTimer->setObjectName("BarTimer");
    Timer->setObjectName("Timer");
    FlashTimer->setObjectName("FlashTimer");
}

void TFrmMetronomFenster::applyLanguage()
{
    Takt->setTitle(tr("Ta&kt"));
    const QString scheme = tr("%1/4-Takt");
    for (int item = 0; item < Takt->count(); ++item)
        Takt->setItemText(item, scheme.arg(item + 2));
    Label1->setText(tr("Takte/Mi&nute:"));
    CB_Beep->setText(QStringLiteral("So&und"));
    BT_Help->setText(tr("H&ilfe"));
    BT_Gemessen->setText(tr("&Gemessenes Tempo nehmen"));
    BT_Soll->setText(tr("Solltem&po nehmen"));
    LB_NoSound->setText(tr("Keine Tonausgabe"));
}

bool TFrmMetronomFenster::running() const
{
    return Timer->Enabled();
}

int TFrmMetronomFenster::beatsPerBar() const
{
    return Takt->itemIndex() + 2;
}

std::optional<double> TFrmMetronomFenster::readTempo()
{
    WarningCounter conversion(*state_.messages);
    const double tempo = TextToNumber(SE_TakteProMinute->text(), conversion);
    if (conversion.count > 0 || tempo < kMinTempo || tempo > kMaxTempo) {
        state_.messages->warning(tr("Bitte ein Tempo von 1 bis 200 Takten pro Minute eingeben."));
        return std::nullopt;
    }
    return tempo;
}

void TFrmMetronomFenster::BT_StartClick()
{
    if (running())
        stopMetronome();
    else
        startMetronome();
}

void TFrmMetronomFenster::startMetronome()
{
    const auto tempo = readTempo();
    if (!tempo)
        return;
    beginWithAnAccent(*tempo);
    BT_Start->setText(QStringLiteral("&Stop"));
    Timer->setEnabled(true);
}

void TFrmMetronomFenster::beginWithAnAccent(double tempo)
{
    FlashTimer->stop();
    schedule_.setTempo(tempo, beatsPerBar());
    schedule_.start(state_.clock->nowMs());
    clicksFromOutput_ = CB_Beep->isChecked() && startClicks();
    showSoundNotice(CB_Beep->isChecked() && !clicksFromOutput_);
}

bool TFrmMetronomFenster::startClicks()
{
    const ClickPattern pattern{schedule_.beatSeconds(), beatsPerBar(), kAccentSound, kClickSound};
    return state_.sounds && state_.sounds->StartClicks(pattern);
}

// A sound played on the beat clock's beats found the output again.
bool TFrmMetronomFenster::outputIsBack() const
{
    return CB_Beep->isChecked() && state_.sounds && state_.sounds->HasOutput();
}

void TFrmMetronomFenster::showSoundNotice(bool noSound)
{
    LB_NoSound->setVisible(noSound);
}

void TFrmMetronomFenster::stopMetronome()
{
    if (clicksFromOutput_)
        state_.sounds->StopClicks();
    clicksFromOutput_ = false;
    FlashTimer->stop();
    Timer->setEnabled(false);
    BT_Start->setText(QStringLiteral("&Start"));
}

void TFrmMetronomFenster::TimerTimer()
{
    if (clicksFromOutput_) {
        followHeardClicks();
        return;
    }
    const auto beat = schedule_.nextBeat(state_.clock->nowMs());
    if (!beat)
        return;
    if (beat->accent && outputIsBack() && startClicks()) {
        // Its clicks take over from this bar on, heard a latency from now.
        schedule_.start(state_.clock->nowMs());
        clicksFromOutput_ = true;
        showSoundNotice(false);
        return;
    }
    flash(*beat);
    if (CB_Beep->isChecked() && state_.sounds)
        state_.sounds->PlayResourceSound(beat->accent ? kAccentSound : kClickSound);
}

// Arms the flash of the next click once it is heard within the next tick;
// ticks come every 20 ms, the flash timer hits the millisecond.
void TFrmMetronomFenster::followHeardClicks()
{
    const std::int64_t nowNs = state_.clock->nowNs();
    if (!state_.sounds->HasOutput()) {
        // The output went away: the beat clock takes over, beginning a new bar now.
        clicksFromOutput_ = false;
        showSoundNotice(true);
        FlashTimer->stop();
        schedule_.start(nowNs / 1000000);
        return;
    }
    if (FlashTimer->isActive())
        return;
    const auto heardNs = state_.sounds->ClickHeardNs(schedule_.beatCount());
    if (!heardNs)
        return;
    const std::int64_t waitMs = (*heardNs - nowNs + 500000) / 1000000;
    if (waitMs > kBeatClockMs)
        return;
    pendingFlash_ = schedule_.countBeat();
    FlashTimer->start(int(std::max<std::int64_t>(waitMs, 0)));
}

void TFrmMetronomFenster::FlashTimerTimer()
{
    flash(pendingFlash_);
}

void TFrmMetronomFenster::flash(const Beat& beat)
{
    Bar->setValue(beat.accent ? kAccentPosition : kBeatPosition);
    // Every beat gets its whole flash, also when beats are as short as the flash.
    BarTimer->start();
}

void TFrmMetronomFenster::BarTimerTimer()
{
    Bar->setValue(0);
    BarTimer->stop();
}

void TFrmMetronomFenster::TaktChange()
{
    if (running()) {
        changeWhileRunning();
        return;
    }
    if (const auto tempo = readTempo())
        schedule_.setTempo(*tempo, beatsPerBar());
}

void TFrmMetronomFenster::SE_TakteProMinuteChange()
{
    if (running())
        changeWhileRunning();
}

void TFrmMetronomFenster::changeWhileRunning()
{
    const auto tempo = readTempo();
    if (!tempo)
        return;
    // The output has its clicks queued a latency ahead, past the bar line the
    // listener expects next: it begins a new run, a new bar at once.
    if (clicksFromOutput_) {
        beginWithAnAccent(*tempo);
        return;
    }
    // No Stop/Start: the beats go on, the new bar length from the next bar line.
    schedule_.changeAtNextBar(*tempo, beatsPerBar());
}

void TFrmMetronomFenster::BT_GemessenClick()
{
    std::optional<double> measured;
    const TFrmGeschwindigkeitsumrechnung* conversion = speedConversion_;
    if (conversion && !conversion->ED_Ist->text().trimmed().isEmpty()) {
        WarningCounter conversionErrors(*state_.messages);
        const double tempo = TextToNumber(conversion->ED_Ist->text(), conversionErrors);
        if (conversionErrors.count == 0)
            measured = tempo;
    }
    takeOverTempo(measured, tr("Es wurde noch kein Tempo gemessen."));
}

void TFrmMetronomFenster::BT_SollClick()
{
    std::optional<double> target;
    if (state_.hasTargetTempo())
        target = (state_.TempoMin + state_.TempoMax) / 2;
    takeOverTempo(target, tr("Es ist kein Solltempo gewählt."));
}

void TFrmMetronomFenster::takeOverTempo(std::optional<double> tempo, const QString& missing)
{
    if (!tempo || *tempo < kMinTempo || *tempo > kMaxTempo) {
        state_.messages->warning(missing);
        return;
    }
    // One decimal, as the field shows it; a running metronome follows from the next bar.
    SE_TakteProMinute->setValue(std::round(*tempo * 10) / 10);
    SE_TakteProMinuteChange();
}

void TFrmMetronomFenster::BT_HelpClick()
{
    ShowToolHelp(state_, language(), tr("Metronom"), QStringLiteral("MetronomHelp.rtf"));
}
