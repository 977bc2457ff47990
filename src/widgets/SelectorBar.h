#pragma once
#include <QIcon>
#include <QToolBox>
#include <vector>

class QToolButton;

// A bar of sections, one open at a time, each a column of large picture
// buttons. Clicking an item emits itemClicked(section, item).
class SelectorBar : public QToolBox {
    Q_OBJECT
public:
    explicit SelectorBar(QWidget* parent = nullptr);

    int addSection(const QString& caption);
    void addItem(int section, const QString& caption, const QIcon& picture);
    void setSectionCaption(int section, const QString& caption);
    void setItemCaption(int section, int item, const QString& caption);
    QString sectionCaption(int section) const;
    QString itemCaption(int section, int item) const;
    QToolButton* itemButton(int section, int item) const;
    int sectionCount() const { return static_cast<int>(sections_.size()); }

signals:
    void itemClicked(int section, int item);

private:
    std::vector<std::vector<QToolButton*>> sections_;
};
