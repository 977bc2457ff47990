#include "fade/ProjectorWindow.h"
#include "fade/LampLook.h"
#include <QActionGroup>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QWindow>
#include <algorithm>

namespace {

constexpr int kFooterFromBottom = 56;
// Font size at which a clock's text is measured; the layout scales from it.
constexpr int kMeasurePixels = 100;
// Margin of a clock's field around its digits, per font pixel.
constexpr double kFieldMargin = 0.08;
// The heat's lines, per pixel of screen height: read from the floor, yet
// leaving the clocks most of the room.
constexpr double kDanceShare = 0.1;
constexpr double kNextDanceShare = 0.055;
constexpr int kHeatMargin = 16;

QLabel* whiteLabel(const QString& name, const QString& text, int pointSize, bool underlined, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setUnderline(underlined);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    return label;
}

QLabel* makeNumberLabel(const QString& name, const QString& text, QWidget* parent)
{
    QLabel* label = whiteLabel(name, text, 28, true, parent);
    label->setAlignment(Qt::AlignCenter);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

QPushButton* hiddenButton(const QString& name, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->hide();
    return button;
}

void setPixelSize(QWidget* widget, int pixels)
{
    QFont font = widget->font();
    font.setPixelSize(pixels);
    widget->setFont(font);
}

// Every digit takes the cell of the widest one; other characters their own width.
double digitCell(const QFontMetricsF& metrics)
{
    double widest = 0;
    for (char digit = '0'; digit <= '9'; ++digit)
        widest = std::max(widest, metrics.horizontalAdvance(QChar(digit)));
    return widest;
}

double tabularWidth(const QFontMetricsF& metrics, const QString& text)
{
    const double cell = digitCell(metrics);
    double width = 0;
    for (const QChar c : text)
        width += c.isDigit() ? cell : metrics.horizontalAdvance(c);
    return width;
}

// A line of the heat centred across the screen, as large as its share of the
// height allows and narrowed to the width for a long name; returns its bottom.
int placeHeatLine(QLabel* label, double pixels, int width, int top)
{
    QFont font = label->font();
    font.setPixelSize(std::max(1, int(pixels)));
    const double wide = QFontMetricsF(font).horizontalAdvance(label->text());
    if (wide > width)
        font.setPixelSize(std::max(1, int(font.pixelSize() * width / wide)));
    label->setFont(font);
    const int height = QFontMetrics(font).height();
    label->setGeometry(kHeatMargin, top, width, height);
    return top + height;
}

QRectF digitBox(const QFontMetricsF& metrics)
{
    return metrics.tightBoundingRect(QStringLiteral("0123456789"));
}

ScreenInfo infoOf(const QScreen* screen)
{
    return {screen->name(), screen->geometry().size(), screen == QGuiApplication::primaryScreen()};
}

} // namespace

ProjectorClock::ProjectorClock(const QString& name, QWidget* parent)
    : QLabel(QStringLiteral("00:00"), parent)
{
    setObjectName(name);
    QFont font = this->font();
    // A narrow face gives larger digits in a column of the same width.
    font.setFamilies({QStringLiteral("Arial Narrow"), QStringLiteral("Liberation Sans Narrow"),
                      QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
    font.setStretch(QFont::Condensed);
    font.setBold(true);
    font.setPixelSize(kMeasurePixels);
    setFont(font);
}

void ProjectorClock::setLamp(LampState lamp)
{
    lamp_ = lamp;
    update();
}

ClockTextExtent ProjectorClock::extent() const
{
    QFont measured = font();
    measured.setPixelSize(kMeasurePixels);
    const QFontMetricsF metrics(measured);
    // Minutes and seconds, or seconds with a decimal up to 999,9.
    double width = 0;
    for (const QString& widest : {QStringLiteral("00:00"), QStringLiteral("000,0")})
        width = std::max(width, tabularWidth(metrics, widest));
    const double margin = 2 * kFieldMargin * kMeasurePixels;
    return {(width + margin) / kMeasurePixels, (digitBox(metrics).height() + margin) / kMeasurePixels};
}

void ProjectorClock::paintEvent(QPaintEvent*)
{
    const ProjectorLook look = projectorLookOf(lamp_);
    QPainter painter(this);
    if (look.field.isValid())
        painter.fillRect(rect(), look.field);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont shown = font();
    const double margin = kFieldMargin * shown.pixelSize();
    if (look.frame.isValid()) {
        // Within the margin, clear of the digits.
        const double thickness = std::max(2.0, margin / 2);
        painter.setPen(QPen(look.frame, thickness));
        painter.drawRect(QRectF(rect()).adjusted(thickness / 2, thickness / 2, -thickness / 2, -thickness / 2));
    }
    if (look.underline.isValid()) {
        const double thickness = std::max(2.0, margin / 2);
        painter.fillRect(QRectF(margin, height() - thickness, width() - 2 * margin, thickness), look.underline);
    }
    // A reading longer than the box was laid out for (a clock left running
    // for many minutes) is drawn smaller rather than cut off.
    const double wide = tabularWidth(QFontMetricsF(shown), text());
    if (wide > width() - 2 * margin)
        shown.setPixelSize(std::max(1, int(shown.pixelSize() * (width() - 2 * margin) / wide)));
    painter.setFont(shown);
    painter.setPen(look.digits);
    const QFontMetricsF metrics(shown);
    const double cell = digitCell(metrics);
    const QRectF digits = digitBox(metrics);
    const double baseline = (height() - digits.height()) / 2 - digits.top();
    double x = width() - margin - tabularWidth(metrics, text());
    for (const QChar c : text()) {
        const double advance = metrics.horizontalAdvance(c);
        const double room = c.isDigit() ? cell : advance;
        painter.drawText(QPointF(x + (room - advance) / 2, baseline), QString(c));
        x += room;
    }
}

ProjectorWindow::ProjectorWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      titleLabel(whiteLabel(QStringLiteral("titleLabel"), QStringLiteral("Vantor 2.2"), 10, false, this)),
      clockOne(new ProjectorClock(QStringLiteral("clockOne"), this)),
      clockTwo(new ProjectorClock(QStringLiteral("clockTwo"), this)),
      clockThree(new ProjectorClock(QStringLiteral("clockThree"), this)),
      numberOne(makeNumberLabel(QStringLiteral("numberOne"), QStringLiteral("1"), this)),
      numberTwo(makeNumberLabel(QStringLiteral("numberTwo"), QStringLiteral("2"), this)),
      numberThree(makeNumberLabel(QStringLiteral("numberThree"), QStringLiteral("3"), this)),
      closeLabel(whiteLabel(QStringLiteral("closeLabel"), QString(), 14, true, this)),
      resetLabel(whiteLabel(QStringLiteral("resetLabel"), QString(), 14, false, this)),
      coupleOneButton(hiddenButton(QStringLiteral("coupleOneButton"), QStringLiteral("Start (&1)"), this)),
      coupleTwoButton(hiddenButton(QStringLiteral("coupleTwoButton"), QStringLiteral("Start (&2)"), this)),
      coupleThreeButton(hiddenButton(QStringLiteral("coupleThreeButton"), QStringLiteral("Start (&3)"), this)),
      resetButton(hiddenButton(QStringLiteral("resetButton"), QStringLiteral("Zurücksetzen"), this)),
      danceLabel(whiteLabel(QStringLiteral("danceLabel"), QString(), 10, false, this)),
      nextDanceLabel(whiteLabel(QStringLiteral("nextDanceLabel"), QString(), 10, false, this)),
      clocks_{clockOne, clockTwo, clockThree}
{
    setObjectName(QStringLiteral("frmBeamer"));
    setWindowTitle(QStringLiteral("Beamer"));
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
    resize(953, 613);
    titleLabel->move(8, 8);
    titleLabel->adjustSize();
    QFont bold = danceLabel->font();
    bold.setBold(true);
    danceLabel->setFont(bold);
    for (QLabel* line : {danceLabel, nextDanceLabel}) {
        line->setAlignment(Qt::AlignCenter);
        line->hide();
    }
    closeLabel->setCursor(Qt::PointingHandCursor);
    for (QLabel* closer : {closeLabel, numberOne, numberTwo, numberThree})
        closer->installEventFilter(this);
    // A moving main window may land on the display's screen or leave it.
    if (parent)
        parent->window()->installEventFilter(this);
    // A projector that settles on another resolution changes its screen's geometry.
    const auto watch = [this](QScreen* screen) {
        connect(screen, &QScreen::geometryChanged, this, &ProjectorWindow::followScreens);
    };
    for (QScreen* screen : QGuiApplication::screens())
        watch(screen);
    connect(qApp, &QGuiApplication::screenAdded, this, [this, watch](QScreen* screen) {
        watch(screen);
        followScreens();
    });
    // Deferred: while the signal runs, the screen still counts as connected.
    connect(qApp, &QGuiApplication::screenRemoved, this,
            [this] { QMetaObject::invokeMethod(this, &ProjectorWindow::followScreens, Qt::QueuedConnection); });
}

void ProjectorWindow::showProjector(int mode, bool inverted, const std::array<QString, 3>& clockTexts)
{
    layOut(mode, inverted);
    // A stopped clock shows where it stands, not the "00:00" the layout was measured with.
    for (int couple = 1; couple <= 3; ++couple)
        timeLabel(couple)->setText(clockTexts[couple - 1]);
    present(true);
}

void ProjectorWindow::layOut(int mode, bool inverted)
{
    mode_ = mode;
    inverted_ = inverted;
    closeLabel->setText(tr("Schließen (ESC)"));
    resetLabel->setText(tr("Leertaste = zurücksetzen"));
    const QScreen* screen = targetScreen();
    const QRect area = screen ? screen->geometry() : QRect(QPoint(), size());
    setGeometry(area);
    placeFooter(area.size());
    placeHeat(area.size());
    placeClocks(area.size());
}

void ProjectorWindow::setHeat(const QString& dance, const QString& nextDance)
{
    dance_ = dance;
    nextDance_ = nextDance;
    if (isVisible())
        layOut(mode_, inverted_);
}

void ProjectorWindow::placeHeat(QSize screen)
{
    const bool shown = !dance_.isEmpty();
    danceLabel->setVisible(shown);
    nextDanceLabel->setVisible(shown && !nextDance_.isEmpty());
    if (!shown)
        return;
    danceLabel->setText(dance_);
    nextDanceLabel->setText(tr("Nächster Tanz: %1").arg(nextDance_));
    const int width = screen.width() - 2 * kHeatMargin;
    const int below = placeHeatLine(danceLabel, screen.height() * kDanceShare, width, titleLabel->geometry().bottom());
    placeHeatLine(nextDanceLabel, screen.height() * kNextDanceShare, width, below);
}

void ProjectorWindow::placeFooter(QSize screen)
{
    closeLabel->adjustSize();
    closeLabel->move(8, screen.height() - kFooterFromBottom);
    resetLabel->adjustSize();
    resetLabel->move((screen.width() - resetLabel->width()) / 2, closeLabel->y());
}

void ProjectorWindow::placeClocks(QSize screen)
{
    QLabel* top = titleLabel;
    for (QLabel* line : {danceLabel, nextDanceLabel})
        if (line->isVisibleTo(this))
            top = line;
    const int topBand = top->geometry().bottom() + 8;
    const ProjectorLayout layout =
        layOutProjector(screen, mode_, inverted_, clockOne->extent(), topBand, closeLabel->y() - 8);
    for (int couple = 1; couple <= 3; ++couple) {
        QLabel* clock = timeLabel(couple);
        QLabel* number = numberLabel(couple);
        setPixelSize(clock, layout.clockPixelSize);
        setPixelSize(number, layout.numberPixelSize);
        clock->setGeometry(layout.clocks[couple - 1]);
        number->setGeometry(layout.numbers[couple - 1]);
        const bool visible = modeShowsCouple(mode_, couple);
        clock->setVisible(visible);
        number->setVisible(visible);
    }
}

QVector<ScreenInfo> ProjectorWindow::screens() const
{
    QVector<ScreenInfo> infos;
    for (const QScreen* screen : QGuiApplication::screens())
        infos.append(infoOf(screen));
    return infos;
}

QString ProjectorWindow::operatorScreen() const
{
    const QWidget* operatorWindow = parentWidget() ? parentWidget()->window() : nullptr;
    return operatorWindow && operatorWindow->screen() ? operatorWindow->screen()->name() : QString();
}

int ProjectorWindow::screenIndex() const
{
    return projectorScreenFor(screens(), preferredScreen_, operatorScreen());
}

QScreen* ProjectorWindow::targetScreen() const
{
    const int index = screenIndex();
    return index >= 0 ? QGuiApplication::screens().at(index) : nullptr;
}

bool ProjectorWindow::sharesOperatorScreen() const
{
    return ::sharesOperatorScreen(screens(), screenIndex(), operatorScreen());
}

void ProjectorWindow::setPreferredScreen(const QString& name)
{
    preferredScreen_ = name;
    followScreens();
}

void ProjectorWindow::present(bool takeFocus)
{
    QScreen* screen = targetScreen();
    // On the operator's own screen the display holds the input, as it covers
    // the main window anyway; on a screen of its own the main window stays usable.
    const Qt::WindowModality modality = sharesOperatorScreen() ? Qt::ApplicationModal : Qt::NonModal;
    if (isVisible() && windowModality() != modality)
        hide(); // the modality of a shown window does not change
    setWindowModality(modality);
    if (screen && windowHandle())
        windowHandle()->setScreen(screen);
    layOut(mode_, inverted_);
    placedOn_ = screen ? screen->name() : QString();
    show();
    raise();
    if (takeFocus || modality == Qt::ApplicationModal)
        activateWindow();
}

void ProjectorWindow::followScreens()
{
    emit screenChoiceChanged();
    if (!isVisible())
        return;
    const QScreen* screen = targetScreen();
    if (!screen)
        return;
    const bool modal = windowModality() == Qt::ApplicationModal;
    if (screen->name() != placedOn_ || geometry() != screen->geometry() || modal != sharesOperatorScreen())
        present(false);
}

void ProjectorWindow::setClockLamp(int couple, LampState lamp)
{
    clocks_[couple - 1]->setLamp(lamp);
}

void ProjectorWindow::closeLabelClicked()
{
    reject();
}

void ProjectorWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        closeLabelClicked();
    else
        keyTyped(event->text());
}

void ProjectorWindow::keyTyped(const QString& typed)
{
    if (typed == QLatin1String(" ")) {
        resetButton->click();
        return;
    }
    for (int couple = 1; couple <= 3; ++couple)
        if (typed == QString::number(couple) && numberLabel(couple)->isVisibleTo(this))
            coupleButton(couple)->click();
}

bool ProjectorWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == (parentWidget() ? parentWidget()->window() : nullptr)) {
        const bool placed = event->type() == QEvent::Move || event->type() == QEvent::Show;
        if (placed && operatorScreen() != operatorOn_) {
            operatorOn_ = operatorScreen();
            followScreens();
        }
        return false;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        closeLabelClicked();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void fillScreenMenu(QMenu& menu, ProjectorWindow& projector)
{
    menu.clear();
    qDeleteAll(menu.findChildren<QActionGroup*>(QString(), Qt::FindDirectChildrenOnly));
    auto* group = new QActionGroup(&menu);
    const QVector<ScreenInfo> screens = projector.screens();
    const int current = projector.screenIndex();
    for (int i = 0; i < screens.size(); ++i) {
        QString text = screenEntryText(screens[i]);
        QAction* entry = menu.addAction(text.replace(QLatin1Char('&'), QStringLiteral("&&")));
        entry->setCheckable(true);
        entry->setChecked(i == current);
        group->addAction(entry);
        const QString name = screens[i].name;
        QObject::connect(entry, &QAction::triggered, &projector,
                         [&projector, name] { projector.setPreferredScreen(name); });
    }
}
