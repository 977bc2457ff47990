#include "FrmBeamer.h"
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <vector>

namespace {

constexpr int kFooterFromBottom = 56;

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

QLabel* clockLabel(const QString& name, QWidget* parent)
{
    QLabel* label = whiteLabel(name, QStringLiteral("00:00"), 150, false, parent);
    QFont font = label->font();
    // A narrow face keeps four digits of 150 points on one screen.
    font.setFamilies({QStringLiteral("Arial Narrow"), QStringLiteral("Liberation Sans Narrow"),
                      QStringLiteral("DejaVu Sans Condensed")});
    font.setStretch(QFont::Condensed);
    label->setFont(font);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
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

int clockPointSize(int mode)
{
    if (mode == 4)
        return 130;
    return mode == 5 ? 90 : 150;
}

} // namespace

bool ModeShowsCouple(int mode, int couple)
{
    switch (couple) {
    case 1:
        return mode == 1 || mode == 4 || mode == 5;
    case 2:
        return mode == 2 || mode == 5;
    case 3:
        return mode == 3 || mode == 4 || mode == 5;
    default:
        return false;
    }
}

TfrmBeamer::TfrmBeamer(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      Label1(whiteLabel(QStringLiteral("Label1"), QStringLiteral("Vantor 2.2"), 10, false, this)),
      lb_time1(clockLabel(QStringLiteral("lb_time1"), this)),
      lb_time2(clockLabel(QStringLiteral("lb_time2"), this)),
      lb_time3(clockLabel(QStringLiteral("lb_time3"), this)),
      lb_1(makeNumberLabel(QStringLiteral("lb_1"), QStringLiteral("1"), this)),
      lb_2(makeNumberLabel(QStringLiteral("lb_2"), QStringLiteral("2"), this)),
      lb_3(makeNumberLabel(QStringLiteral("lb_3"), QStringLiteral("3"), this)),
      lb_schliessen(whiteLabel(QStringLiteral("lb_schliessen"), QString(), 14, true, this)),
      lb_reset(whiteLabel(QStringLiteral("lb_reset"), QString(), 14, false, this)),
      Button1(hiddenButton(QStringLiteral("Button1"), QStringLiteral("Start (&1)"), this)),
      Button2(hiddenButton(QStringLiteral("Button2"), QStringLiteral("Start (&2)"), this)),
      Button3(hiddenButton(QStringLiteral("Button3"), QStringLiteral("Start (&3)"), this)),
      BT_Reset(hiddenButton(QStringLiteral("BT_Reset"), QStringLiteral("Zurücksetzen"), this))
{
    setObjectName(QStringLiteral("frmBeamer"));
    setWindowTitle(QStringLiteral("Beamer"));
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
    resize(953, 613);
    Label1->move(8, 8);
    Label1->adjustSize();
    lb_schliessen->setCursor(Qt::PointingHandCursor);
    for (QLabel* closer : {lb_schliessen, lb_1, lb_2, lb_3})
        closer->installEventFilter(this);
}

void TfrmBeamer::ShowBeamer(int mode, bool inverted, int languageFlag, const std::array<QString, 3>& clockTexts)
{
    LayOut(mode, inverted, languageFlag);
    // A stopped clock shows where it stands, not the "00:00" the layout was measured with.
    for (int couple = 1; couple <= 3; ++couple)
        timeLabel(couple)->setText(clockTexts[couple - 1]);
    exec();
}

void TfrmBeamer::LayOut(int mode, bool inverted, int languageFlag)
{
    const bool english = languageFlag != 0;
    lb_schliessen->setText(english ? QStringLiteral("Close (ESC)") : QStringLiteral("Schließen (ESC)"));
    lb_reset->setText(english ? QStringLiteral("Space = reset") : QStringLiteral("Leertaste = zurücksetzen"));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    setGeometry(screen);
    placeFooter(screen.size());
    placeClocks(mode, inverted, screen.size());
}

void TfrmBeamer::placeFooter(QSize screen)
{
    lb_schliessen->adjustSize();
    lb_schliessen->move(8, screen.height() - kFooterFromBottom);
    lb_reset->adjustSize();
    lb_reset->move((screen.width() - lb_reset->width()) / 2, lb_schliessen->y());
}

void TfrmBeamer::placeClocks(int mode, bool inverted, QSize screen)
{
    std::vector<int> shown;
    for (int couple = 1; couple <= 3; ++couple) {
        QLabel* clock = timeLabel(couple);
        QFont font = clock->font();
        font.setPointSize(clockPointSize(mode));
        clock->setFont(font);
        clock->setText(QStringLiteral("00:00"));
        clock->adjustSize();
        const bool visible = ModeShowsCouple(mode, couple);
        clock->setVisible(visible);
        numberLabel(couple)->setVisible(visible);
        if (visible)
            shown.push_back(couple);
    }
    if (shown.empty())
        return;
    // Inverted, the first couple stands on the right and the last on the left;
    // a single clock stays centred.
    if (inverted)
        std::reverse(shown.begin(), shown.end());
    // The screen is cut into equal columns, one per clock, each clock centred in its column.
    const int columns = static_cast<int>(shown.size());
    const QSize clockSize = timeLabel(shown.front())->size();
    const int offset = (screen.width() / columns - clockSize.width()) / 2;
    const int top = (screen.height() - clockSize.height()) / 2;
    const int numberTop = lb_schliessen->y() - 2 * lb_schliessen->height();
    for (int column = 0; column < columns; ++column) {
        const int couple = shown[column];
        const int left = offset + column * screen.width() / columns;
        timeLabel(couple)->move(left, top);
        QLabel* number = numberLabel(couple);
        number->adjustSize();
        number->setGeometry(left, numberTop, clockSize.width(), number->height());
    }
}

void TfrmBeamer::setClockColor(int couple, const QColor& color)
{
    QLabel* clock = timeLabel(couple);
    QPalette palette = clock->palette();
    palette.setColor(QPalette::WindowText, color);
    clock->setPalette(palette);
}

QColor TfrmBeamer::clockColor(int couple) const
{
    return timeLabel(couple)->palette().color(QPalette::WindowText);
}

void TfrmBeamer::lb_schliessenClick()
{
    reject();
}

void TfrmBeamer::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        lb_schliessenClick();
    else
        FormKeyPress(event->text());
}

void TfrmBeamer::FormKeyPress(const QString& typed)
{
    if (typed == QLatin1String(" ")) {
        BT_Reset->click();
        return;
    }
    for (int couple = 1; couple <= 3; ++couple)
        if (typed == QString::number(couple) && numberLabel(couple)->isVisibleTo(this))
            coupleButton(couple)->click();
}

bool TfrmBeamer::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        lb_schliessenClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
