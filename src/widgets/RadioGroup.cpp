#include "widgets/RadioGroup.h"
#include <QButtonGroup>
#include <QKeyEvent>
#include <QRadioButton>
#include <QGridLayout>
#include <algorithm>

namespace {

// -1 for the keys that move to the previous item, +1 for the next, 0 otherwise.
int arrowStep(const QKeyEvent& event)
{
    if (event.modifiers() & ~Qt::KeypadModifier)
        return 0;
    switch (event.key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
        return -1;
    case Qt::Key_Down:
    case Qt::Key_Right:
        return 1;
    default:
        return 0;
    }
}

} // namespace

RadioGroup::RadioGroup(const QString& title, QWidget* parent)
    : QGroupBox(title, parent),
      group_(new QButtonGroup(this))
{
    layout_ = new QGridLayout(this);
    layout_->setContentsMargins(8, 0, 4, 2);
    layout_->setVerticalSpacing(0);
    connect(group_, &QButtonGroup::idClicked, this, &RadioGroup::onUserChoice);
}

void RadioGroup::setItems(const QStringList& items)
{
    clearItems();
    for (const QString& text : items)
        addItem(text);
}

void RadioGroup::clearItems()
{
    // Deleted later: the caller may be running inside a click of one of them.
    for (QRadioButton* button : buttons_) {
        group_->removeButton(button);
        layout_->removeWidget(button);
        button->hide();
        button->deleteLater();
    }
    buttons_.clear();
    index_ = -1;
}

void RadioGroup::addItem(const QString& text)
{
    auto* button = new QRadioButton(text, this);
    // Equal shares of the box's height, as the items of a radio group stand.
    button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    button->installEventFilter(this);
    const int index = static_cast<int>(buttons_.size());
    group_->addButton(button, index);
    // Down the first column, then down the next.
    layout_->addWidget(button, index % maxRows_, index / maxRows_);
    buttons_.push_back(button);
    updateTabStop();
}

void RadioGroup::setMaxRows(int rows)
{
    maxRows_ = std::max(1, rows);
    const QStringList texts = items();
    const int chosen = index_;
    setItems(texts);
    setItemIndex(chosen);
}

void RadioGroup::setItemText(int index, const QString& text)
{
    if (QRadioButton* b = button(index))
        b->setText(text);
}

QStringList RadioGroup::items() const
{
    QStringList texts;
    for (const QRadioButton* b : buttons_)
        texts << b->text();
    return texts;
}

int RadioGroup::count() const
{
    return static_cast<int>(buttons_.size());
}

QString RadioGroup::itemText(int index) const
{
    const QRadioButton* b = button(index);
    return b ? b->text() : QString();
}

void RadioGroup::setItemIndex(int index)
{
    index_ = button(index) ? index : -1;
    checkButtonOf(index_);
    updateTabStop();
}

QString RadioGroup::currentText() const
{
    return itemText(index_);
}

QRadioButton* RadioGroup::button(int index) const
{
    return index >= 0 && index < count() ? buttons_[static_cast<size_t>(index)] : nullptr;
}

bool RadioGroup::event(QEvent* event)
{
    const bool handled = QGroupBox::event(event);
    // The items have no letters of their own, so a shortcut here is the
    // title's; focus alone on an unchosen item would leave the choice empty.
    if (event->type() == QEvent::Shortcut && index_ < 0) {
        const auto focused = std::find(buttons_.begin(), buttons_.end(), focusWidget());
        QRadioButton* item = focused != buttons_.end() ? *focused : button(0);
        if (item && item->isEnabled()) {
            item->setFocus(Qt::ShortcutFocusReason);
            item->click();
        }
    }
    return handled;
}

bool RadioGroup::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QGroupBox::eventFilter(watched, event);
    const int step = arrowStep(*static_cast<QKeyEvent*>(event));
    const auto it = std::find(buttons_.begin(), buttons_.end(), watched);
    if (step == 0 || it == buttons_.end())
        return QGroupBox::eventFilter(watched, event);
    // The arrow keys choose the neighbouring item (stopping at the ends), also
    // when nothing is chosen yet; the button's own handling only moves focus then.
    QRadioButton* next = button(static_cast<int>(it - buttons_.begin()) + step);
    if (next && next->isEnabled()) {
        next->setFocus(Qt::TabFocusReason);
        next->click();
    }
    return true;
}

void RadioGroup::onUserChoice(int index)
{
    if (index == index_)
        return;
    index_ = index;
    updateTabStop();
    emit itemChanged();
}

void RadioGroup::checkButtonOf(int index)
{
    if (QRadioButton* b = button(index)) {
        b->setChecked(true);
        return;
    }
    // An exclusive group refuses to uncheck its checked button.
    if (QAbstractButton* checked = group_->checkedButton()) {
        group_->setExclusive(false);
        checked->setChecked(false);
        group_->setExclusive(true);
    }
}

void RadioGroup::updateTabStop()
{
    // Only one item is a Tab stop, so Tab enters and leaves the box in one step.
    const int tabStop = index_ >= 0 ? index_ : 0;
    for (int i = 0; i < count(); ++i)
        button(i)->setFocusPolicy(i == tabStop ? Qt::StrongFocus : Qt::ClickFocus);
}
