#include "widgets/RadioGroup.h"
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

namespace {

// On the indicator: a radio button takes clicks on its indicator and text only.
void clickItem(QRadioButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

} // namespace

class TestRadioGroup : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void userClickOnAnotherItemEmitsOnce();
    void choicesFromCodeEmitNothing();
    void clearedChoiceCanBeChosenAgain();
    void indexOutsideTheItemsClears();
    void arrowKeysChooseNeighbour_data();
    void arrowKeysChooseNeighbour();
    void spaceChoosesFocusedItem();
    void onlyChosenItemIsTabStop();
    void mnemonicFocusesChosenItem();
    void mnemonicChoosesFirstItemWhenNoneIsChosen();

private:
    QWidget* window_ = nullptr;
    QLineEdit* other_ = nullptr;
    RadioGroup* group_ = nullptr;
    QSignalSpy* spy_ = nullptr;
};

void TestRadioGroup::init()
{
    window_ = new QWidget;
    auto* layout = new QVBoxLayout(window_);
    other_ = new QLineEdit(window_);
    group_ = new RadioGroup("&Typ", window_);
    group_->setItems({"Rock'n'Roll", "Boogie-Woogie", "Standard"});
    group_->setMinimumHeight(120);
    layout->addWidget(other_);
    layout->addWidget(group_);
    spy_ = new QSignalSpy(group_, &RadioGroup::itemChanged);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_));
}

void TestRadioGroup::cleanup()
{
    delete spy_;
    delete window_;
}

void TestRadioGroup::userClickOnAnotherItemEmitsOnce()
{
    clickItem(group_->button(1));
    QCOMPARE(group_->itemIndex(), 1);
    QCOMPARE(group_->currentText(), QString("Boogie-Woogie"));
    QCOMPARE(spy_->count(), 1);

    clickItem(group_->button(1));
    QCOMPARE(spy_->count(), 1);

    clickItem(group_->button(2));
    QCOMPARE(group_->itemIndex(), 2);
    QCOMPARE(spy_->count(), 2);
}

void TestRadioGroup::choicesFromCodeEmitNothing()
{
    group_->setItemIndex(2);
    QVERIFY(group_->button(2)->isChecked());
    group_->setItemIndex(-1);
    QCOMPARE(group_->itemIndex(), -1);
    for (int i = 0; i < group_->count(); ++i)
        QVERIFY(!group_->button(i)->isChecked());
    group_->setItemIndex(0);
    group_->setItems({"Vor-/Zwischenrunde", "Endrunde"});
    QCOMPARE(group_->itemIndex(), -1);
    QCOMPARE(group_->items(), QStringList({"Vor-/Zwischenrunde", "Endrunde"}));
    group_->setItemText(1, "Final round");
    QCOMPARE(group_->itemText(1), QString("Final round"));
    QCOMPARE(spy_->count(), 0);
}

void TestRadioGroup::clearedChoiceCanBeChosenAgain()
{
    group_->setItemIndex(1);
    group_->setItemIndex(-1);
    clickItem(group_->button(1));
    QCOMPARE(group_->itemIndex(), 1);
    QVERIFY(group_->button(1)->isChecked());
    QCOMPARE(spy_->count(), 1);
}

void TestRadioGroup::indexOutsideTheItemsClears()
{
    group_->setItemIndex(1);
    group_->setItemIndex(3);
    QCOMPARE(group_->itemIndex(), -1);
    QVERIFY(!group_->button(1)->isChecked());
    QCOMPARE(group_->currentText(), QString());
}

void TestRadioGroup::arrowKeysChooseNeighbour_data()
{
    QTest::addColumn<int>("chosen");
    QTest::addColumn<int>("focused");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("emitted");

    QTest::newRow("down") << 1 << 1 << int(Qt::Key_Down) << 2 << 1;
    QTest::newRow("right") << 0 << 0 << int(Qt::Key_Right) << 1 << 1;
    QTest::newRow("up") << 1 << 1 << int(Qt::Key_Up) << 0 << 1;
    QTest::newRow("left") << 2 << 2 << int(Qt::Key_Left) << 1 << 1;
    QTest::newRow("down at the last item") << 2 << 2 << int(Qt::Key_Down) << 2 << 0;
    QTest::newRow("up at the first item") << 0 << 0 << int(Qt::Key_Up) << 0 << 0;
    QTest::newRow("down with nothing chosen") << -1 << 0 << int(Qt::Key_Down) << 1 << 1;
}

void TestRadioGroup::arrowKeysChooseNeighbour()
{
    QFETCH(int, chosen);
    QFETCH(int, focused);
    QFETCH(int, key);
    QFETCH(int, expected);
    QFETCH(int, emitted);

    group_->setItemIndex(chosen);
    group_->button(focused)->setFocus();
    QTest::keyClick(group_->button(focused), Qt::Key(key));
    QCOMPARE(group_->itemIndex(), expected);
    QVERIFY(group_->button(expected)->isChecked());
    QVERIFY(group_->button(expected)->hasFocus());
    QCOMPARE(spy_->count(), emitted);
}

void TestRadioGroup::spaceChoosesFocusedItem()
{
    group_->button(2)->setFocus();
    QTest::keyClick(group_->button(2), Qt::Key_Space);
    QCOMPARE(group_->itemIndex(), 2);
    QCOMPARE(spy_->count(), 1);
}

void TestRadioGroup::onlyChosenItemIsTabStop()
{
    const auto tabStops = [this] {
        QList<int> stops;
        for (int i = 0; i < group_->count(); ++i) {
            if (group_->button(i)->focusPolicy() & Qt::TabFocus)
                stops << i;
        }
        return stops;
    };
    QCOMPARE(tabStops(), QList<int>{0});
    clickItem(group_->button(2));
    QCOMPARE(tabStops(), QList<int>{2});
    group_->setItemIndex(1);
    QCOMPARE(tabStops(), QList<int>{1});
}

void TestRadioGroup::mnemonicFocusesChosenItem()
{
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));
    group_->setItemIndex(2);
    other_->setFocus();
    QTest::keyClick(window_, Qt::Key_T, Qt::AltModifier);
    QVERIFY(group_->button(2)->hasFocus());
    QCOMPARE(spy_->count(), 0);
}

// Entered by its letter, the box must not leave the choice empty behind a focused item.
void TestRadioGroup::mnemonicChoosesFirstItemWhenNoneIsChosen()
{
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));
    other_->setFocus();
    QTest::keyClick(window_, Qt::Key_T, Qt::AltModifier);
    QVERIFY(group_->button(0)->hasFocus());
    QCOMPARE(group_->itemIndex(), 0);
    QCOMPARE(spy_->count(), 1);
}

QTEST_MAIN(TestRadioGroup)
#include "tst_radiogroup.moc"
