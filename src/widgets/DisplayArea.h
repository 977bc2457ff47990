#pragma once
#include <QWidget>
#include <vector>

class EmbeddedForm;

// Hosts the embedded windows; exactly one is visible at a time and fills the area.
class DisplayArea : public QWidget {
    Q_OBJECT
public:
    explicit DisplayArea(QWidget* parent = nullptr);

    // Takes ownership; the window becomes an invisible, borderless child.
    // Returns its index, the order of registration.
    int registerWindow(EmbeddedForm* window);
    // Hides the window shown before and shows this one; showing the one
    // already shown does nothing.
    void showWindow(int index);

    // The window registered at index; null for an index never registered.
    EmbeddedForm* embeddedForm(int index) const;
    int count() const { return static_cast<int>(windows_.size()); }
    int currentIndex() const { return current_; }
    // Deletes every window now, ahead of the area itself: the windows' owner
    // calls it while what they refer to still exists.
    void deleteWindows();
    // What the window shown needs: a window whose panel can give up height lets the area shrink.
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    std::vector<EmbeddedForm*> windows_;
    int current_ = -1;
};
