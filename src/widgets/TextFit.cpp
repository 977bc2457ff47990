#include "widgets/TextFit.h"
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QAbstractButton>
#include <algorithm>

namespace {

// QLineEdit keeps this much space on either side of its text.
constexpr int kLineEditTextMargin = 2;
constexpr int kSmallestPixelSize = 8;

int lineEditRoom(const QLineEdit& edit)
{
    QStyleOptionFrame option;
    option.initFrom(&edit);
    option.rect = edit.contentsRect();
    option.lineWidth = edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit) : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    const QRect contents = edit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit);
    return contents.marginsRemoved(edit.textMargins()).width() - 2 * kLineEditTextMargin;
}

int labelRoom(const QLabel& label)
{
    int indent = label.indent();
    if (indent < 0)
        indent = label.frameWidth() > 0 ? label.fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 : 0;
    return label.contentsRect().width() - 2 * label.margin() - indent;
}

} // namespace

int textRoom(const QWidget& field)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(&field))
        return lineEditRoom(*edit);
    if (const auto* label = qobject_cast<const QLabel*>(&field))
        return labelRoom(*label);
    return field.contentsRect().width();
}

int widestText(const QWidget& field, const QStringList& texts)
{
    const QFontMetrics metrics(field.font());
    int widest = 0;
    for (const QString& text : texts)
        widest = std::max(widest, metrics.horizontalAdvance(text));
    return widest + 1;
}

bool textsFit(const QWidget& field, const QStringList& texts)
{
    return widestText(field, texts) <= textRoom(field);
}

void shrinkFontToFit(QWidget& field, const QStringList& texts)
{
    QFont font = field.font();
    if (font.pixelSize() < 0)
        font.setPixelSize(QFontInfo(font).pixelSize());
    while (!textsFit(field, texts) && font.pixelSize() > kSmallestPixelSize) {
        font.setPixelSize(font.pixelSize() - 1);
        field.setFont(font);
    }
}

int buttonTextWidth(const QAbstractButton& button)
{
    // The style's own room around a button's contents (as it sizes any button), without its wide minimum.
    QStyleOptionButton option;
    option.initFrom(&button);
    const QStyle* style = button.style();
    const int room = style->pixelMetric(QStyle::PM_ButtonMargin, &option, &button) +
                     2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &button);
    const int text = button.fontMetrics().size(Qt::TextShowMnemonic, button.text()).width();
    const int icon = button.icon().isNull() ? 0 : button.iconSize().width() + 4;
    return text + icon + room;
}

void letButtonsShrinkToText(std::initializer_list<QAbstractButton*> buttons)
{
    for (QAbstractButton* button : buttons)
        button->setMinimumWidth(buttonTextWidth(*button));
}
