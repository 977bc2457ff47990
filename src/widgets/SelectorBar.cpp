#include "widgets/SelectorBar.h"
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

SelectorBar::SelectorBar(QWidget* parent)
    : QToolBox(parent)
{
    setObjectName("Selector");
}

int SelectorBar::addSection(const QString& caption)
{
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    layout->addStretch();
    sections_.emplace_back();
    const int section = QToolBox::addItem(page, caption);
    // The scroll area the box wraps each section in would be a Tab stop that shows nothing.
    for (auto* area : findChildren<QScrollArea*>())
        area->setFocusPolicy(Qt::NoFocus);
    return section;
}

void SelectorBar::addItem(int section, const QString& caption, const QIcon& picture)
{
    auto* page = widget(section);
    auto* button = new QToolButton(page);
    button->setText(caption);
    button->setIcon(picture);
    button->setIconSize(QSize(36, 36));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    auto& items = sections_[static_cast<size_t>(section)];
    const int item = static_cast<int>(items.size());
    button->setObjectName(QString("selector_%1_%2").arg(section).arg(item));
    items.push_back(button);
    auto* layout = static_cast<QVBoxLayout*>(page->layout());
    layout->insertWidget(layout->count() - 1, button);
    connect(button, &QToolButton::clicked, this, [this, section, item] { emit itemClicked(section, item); });
}

void SelectorBar::setSectionCaption(int section, const QString& caption)
{
    setItemText(section, caption);
}

void SelectorBar::setItemCaption(int section, int item, const QString& caption)
{
    if (QToolButton* button = itemButton(section, item))
        button->setText(caption);
}

QString SelectorBar::sectionCaption(int section) const
{
    return itemText(section);
}

QString SelectorBar::itemCaption(int section, int item) const
{
    const QToolButton* button = itemButton(section, item);
    return button ? button->text() : QString();
}

QToolButton* SelectorBar::itemButton(int section, int item) const
{
    if (section < 0 || section >= sectionCount())
        return nullptr;
    const auto& items = sections_[static_cast<size_t>(section)];
    return item >= 0 && item < static_cast<int>(items.size()) ? items[static_cast<size_t>(item)] : nullptr;
}
