#pragma once
#include <QGroupBox>
#include <QStringList>
#include <vector>

class QRadioButton;

// A titled box of radio buttons. itemChanged (the OnChange of the forms) is
// emitted only when the user chooses an item other than the chosen one;
// setting the index or the items from code emits nothing.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit RadioGroup(const QString& title = QString(), QWidget* parent = nullptr);

    void setItems(const QStringList& items); // clears the choice
    void clearItems();
    void addItem(const QString& text);
    void setItemText(int index, const QString& text);
    QStringList items() const;
    int count() const;
    QString itemText(int index) const;

    int itemIndex() const { return index_; } // -1: nothing chosen
    void setItemIndex(int index);             // from code; -1 clears
    QString currentText() const;              // empty when nothing chosen

signals:
    void itemChanged();

private:
    void onUserChoice(int index);

    std::vector<QRadioButton*> buttons_;
    int index_ = -1;
};
