#include "widgets/DisplayArea.h"
#include "widgets/EmbeddedForm.h"

DisplayArea::DisplayArea(QWidget* parent)
    : QWidget(parent)
{
    setObjectName("fd");
}

int DisplayArea::registerWindow(EmbeddedForm* window)
{
    window->setParent(this);
    window->setWindowFlags(Qt::Widget);
    window->setFocusPolicy(Qt::NoFocus);
    window->hide();
    windows_.push_back(window);
    return count() - 1;
}

EmbeddedForm* DisplayArea::embeddedForm(int index) const
{
    return index >= 0 && index < count() ? windows_[static_cast<size_t>(index)] : nullptr;
}

void DisplayArea::showWindow(int index)
{
    QWidget* next = embeddedForm(index);
    if (!next || index == current_)
        return;
    if (QWidget* previous = embeddedForm(current_))
        previous->hide();
    current_ = index;
    next->setGeometry(rect());
    next->show();
    updateGeometry();
}

QSize DisplayArea::minimumSizeHint() const
{
    // A little room around the panel, so that its edge never touches the area's.
    constexpr QSize kRoom(4, 4);
    const EmbeddedForm* shown = embeddedForm(current_);
    return shown ? shown->minimumSizeHint() + kRoom : QSize();
}

void DisplayArea::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (QWidget* shown = embeddedForm(current_))
        shown->setGeometry(rect());
}

void DisplayArea::deleteWindows()
{
    const std::vector<EmbeddedForm*> windows = std::move(windows_);
    windows_.clear();
    current_ = -1;
    for (EmbeddedForm* window : windows)
        delete window;
}
