#include "tempo/MetronomeWindow.h"
#include "common/Clock.h"
#include "tempo/MeasuredTempo.h"
#include "common/Messages.h"
#include "common/NumberText.h"
#include "common/ProgramState.h"
#include "rules/DanceSelection.h"
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

} // namespace

MetronomeWindow::MetronomeWindow(ProgramState& state, QWidget* parent)
    : EmbeddedForm("MetronomeWindow", QSize(545, 369), parent),
      frame(new RoundedFrame(8, panel())),
      beatBar(new QProgressBar(panel())),
      metreGroup(new RadioGroup(QString(), panel())),
      tempoLabel(new QLabel(panel())),
      tempoSpin(new SpinEdit(panel())),
      beepCheck(new QCheckBox(panel())),
      startButton(new QPushButton(panel())),
      helpButton(new QPushButton(panel())),
      measuredButton(new QPushButton(panel())),
      targetButton(new QPushButton(panel())),
      noSoundLabel(new QLabel(panel())),
      barTimer(new QTimer(this)),
      beatTimer(new ThreadTimer(this)),
      flashTimer(new QTimer(this)),
      state_(state)
{
    placeControls();

    metreGroup->setItems({QString(), QString(), QString()});
    metreGroup->setItemIndex(1);
    tempoSpin->setRange(kMinTempo, kMaxTempo);
    tempoSpin->setValue(46);
    // A tempo typed while running counts once it is complete, not digit by digit.
    tempoSpin->setKeyboardTracking(false);
    tempoLabel->setBuddy(tempoSpin);
    startButton->setText(QStringLiteral("&Start"));
    barTimer->setInterval(kFlashMs);
    barTimer->setSingleShot(true);
    beatTimer->setInterval(kBeatClockMs);
    flashTimer->setSingleShot(true);
    flashTimer->setTimerType(Qt::PreciseTimer);

    connect(startButton, &QPushButton::clicked, this, &MetronomeWindow::startClicked);
    connect(helpButton, &QPushButton::clicked, this, &EmbeddedForm::helpRequested);
    connect(metreGroup, &RadioGroup::itemChanged, this, &MetronomeWindow::metreChanged);
    connect(beepCheck, &QCheckBox::toggled, this, &MetronomeWindow::soundToggled);
    connect(tempoSpin, &QDoubleSpinBox::valueChanged, this, &MetronomeWindow::tempoChanged);
    connect(measuredButton, &QPushButton::clicked, this, &MetronomeWindow::measuredClicked);
    connect(targetButton, &QPushButton::clicked, this, &MetronomeWindow::targetClicked);
    connect(barTimer, &QTimer::timeout, this, &MetronomeWindow::barTimerFired);
    connect(flashTimer, &QTimer::timeout, this, &MetronomeWindow::flashTimerFired);
    beatTimer->onTimer = [this](ThreadTimer*) { beatTimerFired(); };

    applyLanguage();
}

void MetronomeWindow::placeControls()
{
    frame->setGeometry(16, 16, 513, 337);

    beatBar->setObjectName("Bar");
    beatBar->setGeometry(48, 40, 449, 36);
    beatBar->setRange(0, 100);
    beatBar->setValue(0);
    beatBar->setTextVisible(false);
    beatBar->setStyleSheet(QStringLiteral("QProgressBar { background: silver; border: 1px solid gray; }"
                                          " QProgressBar::chunk { background: rgb(0, 128, 0); }"));

    metreGroup->setObjectName("Takt");
    metreGroup->setGeometry(48, 100, 200, 130);
    tempoLabel->setObjectName("tempoLabel");
    tempoLabel->setGeometry(288, 110, 120, 24);
    tempoSpin->setObjectName("tempoSpin");
    tempoSpin->setGeometry(410, 108, 87, 28);
    beepCheck->setObjectName("beepCheck");
    beepCheck->setGeometry(288, 150, 150, 24);
    measuredButton->setObjectName("measuredButton");
    measuredButton->setGeometry(288, 184, 225, 28);
    targetButton->setObjectName("targetButton");
    targetButton->setGeometry(288, 218, 225, 28);
    startButton->setObjectName("startButton");
    startButton->setGeometry(48, 270, 200, 40);
    helpButton->setObjectName("helpButton");
    helpButton->setGeometry(372, 270, 125, 40);
    noSoundLabel->setObjectName("noSoundLabel");
    noSoundLabel->setGeometry(48, 236, 200, 24);
    noSoundLabel->hide();
    barTimer->setObjectName("BarTimer");
    beatTimer->setObjectName("Timer");
    flashTimer->setObjectName("FlashTimer");
}

void MetronomeWindow::applyLanguage()
{
    metreGroup->setTitle(tr("Ta&kt"));
    const QString scheme = tr("%1/4-Takt");
    for (int item = 0; item < metreGroup->count(); ++item)
        metreGroup->setItemText(item, scheme.arg(item + 2));
    tempoLabel->setText(tr("Takte/Mi&nute:"));
    beepCheck->setText(QStringLiteral("So&und"));
    helpButton->setText(tr("H&ilfe"));
    measuredButton->setText(tr("&Gemessenes Tempo nehmen"));
    targetButton->setText(tr("Solltem&po nehmen"));
    noSoundLabel->setText(tr("Keine Tonausgabe"));
}

bool MetronomeWindow::running() const
{
    return beatTimer->isEnabled();
}

int MetronomeWindow::beatsPerBar() const
{
    return metreGroup->itemIndex() + 2;
}

std::optional<double> MetronomeWindow::readTempo()
{
    // A tempo that is no number gets the same message as one out of range, in the operator's words.
    const std::optional<double> tempo = decimalValue(tempoSpin->text());
    if (!tempo || *tempo < kMinTempo || *tempo > kMaxTempo) {
        state_.messages->warning(tr("Bitte ein Tempo von 1 bis 200 Takten pro Minute eingeben."));
        return std::nullopt;
    }
    return tempo;
}

void MetronomeWindow::startClicked()
{
    if (running())
        stopMetronome();
    else
        startMetronome();
}

void MetronomeWindow::startMetronome()
{
    const auto tempo = readTempo();
    if (!tempo)
        return;
    beginWithAnAccent(*tempo);
    startButton->setText(QStringLiteral("&Stop"));
    beatTimer->setEnabled(true);
}

void MetronomeWindow::beginWithAnAccent(double tempo)
{
    flashTimer->stop();
    schedule_.setTempo(tempo, beatsPerBar());
    schedule_.start(state_.clock->nowMs());
    clicksFromOutput_ = beepCheck->isChecked() && startClicks();
    showSoundNotice(beepCheck->isChecked() && !clicksFromOutput_);
}

bool MetronomeWindow::startClicks()
{
    const ClickPattern pattern{schedule_.beatSeconds(), beatsPerBar(), kAccentSound, kClickSound};
    return state_.sounds && state_.sounds->startClicks(pattern);
}

// A sound played on the beat clock's beats found the output again.
bool MetronomeWindow::outputIsBack() const
{
    return beepCheck->isChecked() && state_.sounds && state_.sounds->hasOutput();
}

void MetronomeWindow::showSoundNotice(bool noSound)
{
    noSoundLabel->setVisible(noSound);
}

void MetronomeWindow::stopMetronome()
{
    if (clicksFromOutput_)
        state_.sounds->stopClicks();
    clicksFromOutput_ = false;
    flashTimer->stop();
    beatTimer->setEnabled(false);
    startButton->setText(QStringLiteral("&Start"));
}

void MetronomeWindow::beatTimerFired()
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
    if (beepCheck->isChecked() && state_.sounds)
        state_.sounds->playResourceSound(beat->accent ? kAccentSound : kClickSound);
}

// Arms the flash of the next click once it is heard within the next tick;
// ticks come every 20 ms, the flash timer hits the millisecond.
void MetronomeWindow::followHeardClicks()
{
    const std::int64_t nowNs = state_.clock->nowNs();
    if (!state_.sounds->hasOutput()) {
        // The output went away: the beat clock takes over, beginning a new bar now.
        clicksFromOutput_ = false;
        showSoundNotice(true);
        flashTimer->stop();
        schedule_.start(nowNs / 1000000);
        return;
    }
    if (flashTimer->isActive())
        return;
    const auto heardNs = state_.sounds->clickHeardNs(schedule_.beatCount());
    if (!heardNs)
        return;
    const std::int64_t waitMs = (*heardNs - nowNs + 500000) / 1000000;
    if (waitMs > kBeatClockMs)
        return;
    pendingFlash_ = schedule_.countBeat();
    flashTimer->start(int(std::max<std::int64_t>(waitMs, 0)));
}

void MetronomeWindow::flashTimerFired()
{
    flash(pendingFlash_);
}

void MetronomeWindow::flash(const Beat& beat)
{
    beatBar->setValue(beat.accent ? kAccentPosition : kBeatPosition);
    // Every beat gets its whole flash, also when beats are as short as the flash.
    barTimer->start();
}

void MetronomeWindow::barTimerFired()
{
    beatBar->setValue(0);
    barTimer->stop();
}

void MetronomeWindow::metreChanged()
{
    if (running()) {
        changeWhileRunning();
        return;
    }
    if (const auto tempo = readTempo())
        schedule_.setTempo(*tempo, beatsPerBar());
}

void MetronomeWindow::soundToggled()
{
    const bool wanted = beepCheck->isChecked();
    if (!running()) {
        if (!wanted)
            showSoundNotice(false);
        return;
    }
    if (wanted) {
        // The beat clock hands over at its next bar line (beatTimerFired).
        showSoundNotice(!(state_.sounds && state_.sounds->hasOutput()));
        return;
    }
    showSoundNotice(false);
    if (!clicksFromOutput_)
        return;
    // Read before the clicks stop: where the next one would have been heard.
    const auto nextHeardNs = state_.sounds->clickHeardNs(schedule_.beatCount());
    state_.sounds->stopClicks();
    clicksFromOutput_ = false;
    if (nextHeardNs)
        schedule_.continueAt(*nextHeardNs / 1000000);
    else
        schedule_.start(state_.clock->nowMs());
}

void MetronomeWindow::tempoChanged()
{
    if (running())
        changeWhileRunning();
}

void MetronomeWindow::changeWhileRunning()
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

void MetronomeWindow::measuredClicked()
{
    takeOverTempo(measured_ ? measured_->barsPerMinute() : std::nullopt, tr("Es wurde noch kein Tempo gemessen."));
}

void MetronomeWindow::targetClicked()
{
    std::optional<double> target;
    if (const TempoRange& range = state_.selection->tempoRange(); range.valid())
        target = (range.min + range.max) / 2;
    takeOverTempo(target, tr("Es ist kein Solltempo gewählt."));
}

void MetronomeWindow::takeOverTempo(std::optional<double> tempo, const QString& missing)
{
    if (!tempo || *tempo < kMinTempo || *tempo > kMaxTempo) {
        state_.messages->warning(missing);
        return;
    }
    // One decimal, as the field shows it; a running metronome follows from the next bar.
    tempoSpin->setValue(std::round(*tempo * 10) / 10);
    tempoChanged();
}
