#include "stopwatch/PimStopWatch.h"
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

TPimStopWatch::TPimStopWatch(const Clock& clock, QWidget* parent)
    : QGroupBox(parent),
      Start(new QPushButton(this)),
      Reset(new QPushButton(this)),
      MyEdit(new QLabel(kResetText, this)),
      MyLabel(new QLabel(QStringLiteral("sec."), this)),
      Timer(new TThreadTimer(this)),
      clock_(clock)
{
    placeControls();
    Timer->setInterval(kTickMs);
    Timer->OnTimer = [this](TThreadTimer*) { TimerTimer(); };
    connect(Start, &QPushButton::clicked, this, &TPimStopWatch::DoStartStop);
    connect(Reset, &QPushButton::clicked, this, &TPimStopWatch::DoReset);
}

void TPimStopWatch::placeControls()
{
    resize(137, 121);
    setFont(boldFont(font(), 11));
    // A white box sunk into its background, the caption set into its top edge.
    setStyleSheet(QStringLiteral(
        "TPimStopWatch { background: white; border: 2px inset rgb(128, 128, 128); margin-top: 6px; }"
        " TPimStopWatch::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; background: white; }"));

    MyEdit->setObjectName("MyEdit");
    // The box's whole width, for the longest reading (5999.9) in the large font.
    MyEdit->setGeometry(8, 21, 121, 29);
    MyEdit->setFont(boldFont(font(), 24));
    MyEdit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    MyEdit->setStyleSheet(QStringLiteral("background: white; color: palette(window-text);"));
    ShrinkFontToFit(*MyEdit, LongestClockTexts());
    MyLabel->setObjectName("MyLabel");
    MyLabel->setFont(boldFont(font(), 9));
    placeUnitLabel();
    Start->setObjectName("Start");
    Start->setGeometry(16, 64, 105, 22);
    Reset->setObjectName("Reset");
    Reset->setGeometry(16, 88, 105, 22);
    Timer->setObjectName("Timer");
}

void TPimStopWatch::placeUnitLabel()
{
    // Under the reading, flush with its right edge, above the Start button.
    MyLabel->adjustSize();
    MyLabel->move(MyEdit->geometry().right() + 1 - MyLabel->width(), MyEdit->geometry().bottom() + 1);
}

void TPimStopWatch::setStartButtonNumber(int number)
{
    if (number == startButtonNumber_)
        return;
    startButtonNumber_ = number;
    Start->setText(QStringLiteral("Start (&%1)").arg(startDigit()));
}

void TPimStopWatch::setResetButtonNumber(int number)
{
    if (number == resetButtonNumber_)
        return;
    resetButtonNumber_ = number;
    showResetCaption();
}

void TPimStopWatch::setLanguage(Language language)
{
    UseLanguage(language);
    showResetCaption();
}

void TPimStopWatch::showResetCaption()
{
    Reset->setText(QStringLiteral("%1 (&%2)").arg(tr("Zurücksetzen"), digitOr(resetButtonNumber_, 2)));
}

QString TPimStopWatch::startDigit() const
{
    return digitOr(startButtonNumber_, 1);
}

void TPimStopWatch::setZeitformat(TimeFormat format)
{
    zeitformat_ = format;
    MyLabel->setText(format == TimeFormat::Seconds ? QStringLiteral("sec.") : QStringLiteral("mm:ss"));
    placeUnitLabel();
    // A reading left in the old format would contradict the new unit.
    if (showsReading_)
        showReading();
}

bool TPimStopWatch::timing() const
{
    return Timer->Enabled();
}

void TPimStopWatch::DoStartStop()
{
    const bool wasRunning = timing();
    if (wasRunning)
        clock_.stop();
    else
        clock_.start();
    Start->setText(QStringLiteral("%1 (&%2)").arg(wasRunning ? "Start" : "Stop", startDigit()));
    Reset->setEnabled(wasRunning);
    Timer->setEnabled(!wasRunning);
    // The display shows the time stopped at, not the last tick before it.
    if (wasRunning)
        showReading();
}

void TPimStopWatch::DoReset()
{
    clock_.reset();
    // A stopwatch that has never shown a time has nothing to report.
    if (elapsedMs_ == 0)
        return;
    showsReading_ = false;
    display(kResetText);
}

void TPimStopWatch::TimerTimer()
{
    showReading();
}

void TPimStopWatch::showReading()
{
    elapsedMs_ = clock_.readingMs();
    showsReading_ = true;
    display(ClockText(elapsedMs_, zeitformat_));
}

void TPimStopWatch::display(const QString& text)
{
    MyEdit->setText(text);
    if (OnTimeChange)
        OnTimeChange(this, text);
}
