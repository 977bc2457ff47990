#pragma once
#include <QGroupBox>
#include <QStringList>
#include <vector>

class QButtonGroup;
class QGridLayout;
class QRadioButton;

// A titled box of radio buttons laid out vertically (in further columns past
// setMaxRows), each button taking an equal share of the height. itemChanged (the OnChange of the forms) is
// emitted only when the user chooses an item other than the chosen one, by
// mouse or keyboard; setting the index or the items from code emits nothing.
// Keyboard: the arrow keys move the choice to the neighbouring item, Tab
// enters the box at the chosen item (the first one when none is chosen), and
// the title's "&" mnemonic enters it there too, choosing the first item when
// none is chosen, as an arrow key would.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit RadioGroup(const QString& title = QString(), QWidget* parent = nullptr);

    void setItems(const QStringList& items); // clears the choice
    void clearItems();
    void addItem(const QString& text);
    // Items past this many stand in a further column, for a box that must stay low.
    void setMaxRows(int rows);
    void setItemText(int index, const QString& text);
    QStringList items() const;
    int count() const;
    QString itemText(int index) const;

    int itemIndex() const { return index_; } // -1: nothing chosen
    // From code; -1 clears. An index outside the items also clears, so a
    // stale stored index never chooses an unrelated item.
    void setItemIndex(int index);
    QString currentText() const; // empty when nothing chosen

    // The button of an item, for tests and for focus handling by forms.
    QRadioButton* button(int index) const;

signals:
    void itemChanged();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onUserChoice(int index);
    void checkButtonOf(int index);
    void updateTabStop();

    QButtonGroup* group_;
    QGridLayout* layout_;
    int maxRows_ = 1000;
    std::vector<QRadioButton*> buttons_;
    int index_ = -1;
};
