#include "stopwatch/StopwatchControl.h"
#include "widgets/EmbeddedForm.h"
#include "widgets/TextFit.h"
#include "common/ThreadTimer.h"
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int kTickMs = 100;
const QString kResetText = QStringLiteral("0.0");

QString digitOr(int number, int fallback)
{
    return QString::number(number == -1 ? fallback : number);
}

QFont boldFont(const QFont& base, int pixelSize)
{
    QFont font = base;
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

} // namespace

StopwatchControl::StopwatchControl(const Clock& clock, QWidget* parent)
    : QGroupBox(parent),
      startButton(new QPushButton(this)),
      resetButton(new QPushButton(this)),
      readingLabel(new QLabel(kResetText, this)),
      unitLabel(new QLabel(QStringLiteral("sec."), this)),
      clockTimer(new ThreadTimer(this)),
      clock_(clock)
{
    placeControls();
    clockTimer->setInterval(kTickMs);
    clockTimer->onTimer = [this](ThreadTimer*) { clockTimerFired(); };
    connect(startButton, &QPushButton::clicked, this, &StopwatchControl::startOrStop);
    connect(resetButton, &QPushButton::clicked, this, &StopwatchControl::resetClock);
}

void StopwatchControl::placeControls()
{
    resize(137, 121);
    // A white box in either theme, with dark texts.
    setPalette(fixedLightPalette(Qt::white));
    setFont(boldFont(font(), 11));
    // A white box sunk into its background, the caption set into its top edge.
    setStyleSheet(QStringLiteral(
        "StopwatchControl { background: white; border: 2px inset rgb(128, 128, 128); margin-top: 6px; }"
        " StopwatchControl::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; background: white; }"));

    readingLabel->setObjectName("MyEdit");
    // The box's whole width, for the longest reading (5999.9) in the large font.
    readingLabel->setGeometry(8, 21, 121, 29);
    readingLabel->setFont(boldFont(font(), 24));
    readingLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    readingLabel->setStyleSheet(QStringLiteral("background: white; color: palette(window-text);"));
    shrinkFontToFit(*readingLabel, longestClockTexts());
    unitLabel->setObjectName("MyLabel");
    unitLabel->setFont(boldFont(font(), 9));
    placeUnitLabel();
    startButton->setObjectName("Start");
    startButton->setGeometry(8, 64, 121, 22);
    resetButton->setObjectName("Reset");
    resetButton->setGeometry(8, 88, 121, 22);
    clockTimer->setObjectName("Timer");
}

void StopwatchControl::placeUnitLabel()
{
    // Under the reading, flush with its right edge, above the Start button.
    unitLabel->adjustSize();
    unitLabel->move(readingLabel->geometry().right() + 1 - unitLabel->width(), readingLabel->geometry().bottom() + 1);
}

void StopwatchControl::setStartButtonNumber(int number)
{
    if (number == startButtonNumber_)
        return;
    startButtonNumber_ = number;
    startButton->setText(QStringLiteral("Start (&%1)").arg(startDigit()));
}

void StopwatchControl::setResetButtonNumber(int number)
{
    if (number == resetButtonNumber_)
        return;
    resetButtonNumber_ = number;
    showResetCaption();
}

void StopwatchControl::setLanguage(Language language)
{
    useLanguage(language);
    showResetCaption();
}

void StopwatchControl::showResetCaption()
{
    resetButton->setText(QStringLiteral("%1 (&%2)").arg(tr("Zurücksetzen"), digitOr(resetButtonNumber_, 2)));
}

QString StopwatchControl::startDigit() const
{
    return digitOr(startButtonNumber_, 1);
}

void StopwatchControl::setTimeFormat(TimeFormat format)
{
    timeFormat_ = format;
    unitLabel->setText(format == TimeFormat::Seconds ? QStringLiteral("sec.") : QStringLiteral("mm:ss"));
    placeUnitLabel();
    // A reading left in the old format would contradict the new unit.
    if (showsReading_)
        showReading();
}

bool StopwatchControl::timing() const
{
    return clockTimer->isEnabled();
}

void StopwatchControl::startOrStop()
{
    const bool wasRunning = timing();
    if (wasRunning)
        clock_.stop();
    else
        clock_.start();
    startButton->setText(QStringLiteral("%1 (&%2)").arg(wasRunning ? "Start" : "Stop", startDigit()));
    resetButton->setEnabled(wasRunning);
    clockTimer->setEnabled(!wasRunning);
    // The display shows the time stopped at, not the last tick before it.
    if (wasRunning)
        showReading();
}

void StopwatchControl::resetClock()
{
    clock_.reset();
    // A stopwatch that has never shown a time has nothing to report.
    if (elapsedMs_ == 0)
        return;
    showsReading_ = false;
    display(kResetText);
}

void StopwatchControl::clockTimerFired()
{
    showReading();
}

void StopwatchControl::showReading()
{
    elapsedMs_ = clock_.readingMs();
    showsReading_ = true;
    display(clockText(elapsedMs_, timeFormat_));
}

void StopwatchControl::display(const QString& text)
{
    readingLabel->setText(text);
    if (onTimeChange)
        onTimeChange(this, text);
}
