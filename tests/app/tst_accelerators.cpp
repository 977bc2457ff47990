#include "app/DanceSelectionPanel.h"
#include "widgets/DisplayArea.h"
#include "widgets/EmbeddedForm.h"
#include "widgets/RadioGroup.h"
#include "RecordingMessages.h"
#include "TestMainWindow.h"
#include "app/WindowTable.h"
#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <map>

namespace {

// The Alt key of a control's "&" letter; empty where it has none or the
// letter would not work (a label without a buddy).
QKeySequence mnemonicOf(const QWidget& widget)
{
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget))
        return QKeySequence::mnemonic(button->text());
    if (const auto* box = qobject_cast<const QGroupBox*>(&widget))
        return QKeySequence::mnemonic(box->title());
    if (const auto* label = qobject_cast<const QLabel*>(&widget); label && label->buddy())
        return QKeySequence::mnemonic(label->text());
    return {};
}

QString nameOf(const QObject& object)
{
    return object.objectName().isEmpty() ? QString::fromLatin1(object.metaObject()->className()) : object.objectName();
}

using Letters = std::map<QString, QStringList>; // key text -> who uses it

// The letters of one window's controls, hidden ones included (a round that
// appears with a class, a button shown while a clock runs), except those of
// the embedded windows not shown.
void collect(const QWidget& window, const QWidget* shownEmbedded, const DisplayArea* area, Letters& letters)
{
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->window() != &window)
            continue; // a free-standing window of its own
        bool inHiddenEmbedded = false;
        for (const QWidget* up = widget; up && up != &window; up = up->parentWidget())
            if (area && up->parentWidget() == area && up != shownEmbedded)
                inHiddenEmbedded = true;
        const QKeySequence key = mnemonicOf(*widget);
        if (!inHiddenEmbedded && !key.isEmpty())
            letters[key.toString()] << nameOf(*widget);
    }
}

// Buttons named by signs (−1, +10 s) are worked by the keys their tooltips name.
bool namedBySigns(const QString& text)
{
    return std::count_if(text.begin(), text.end(), [](QChar c) { return c.isLetter(); }) < 2;
}

// The shown buttons and check boxes with a name but no Alt key.
QStringList withoutKey(const QWidget& window)
{
    QStringList faults;
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        const bool named = qobject_cast<const QPushButton*>(button) || qobject_cast<const QCheckBox*>(button);
        if (named && button->isVisible() && !namedBySigns(button->text()) && mnemonicOf(*button).isEmpty())
            faults << nameOf(*button) + " \"" + button->text() + "\"";
    }
    return faults;
}

QStringList usedTwice(const Letters& letters, const Letters& menuBar)
{
    QStringList faults;
    for (const auto& [key, users] : letters) {
        if (users.size() > 1)
            faults << key + " used by " + users.join(", ");
        if (menuBar.count(key))
            faults << key + " of " + users.join(", ") + " taken from the menu " + menuBar.at(key).join(", ");
    }
    return faults;
}

} // namespace

// Every window in both languages: no Alt letter twice in one window, and none
// that the menu bar needs (the menus win).
class TestAccelerators : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    RecordingMessages messages_;
    std::unique_ptr<MainWindow> form_;

    Letters menuBarLetters() const
    {
        Letters letters;
        for (const QAction* action : form_->menuBar()->actions())
            letters[QKeySequence::mnemonic(action->text()).toString()] << action->text();
        return letters;
    }

    void switchLanguage(int language)
    {
        if (language == 0)
            form_->toGermanClicked();
        else
            form_->toEnglishClicked();
    }

private slots:
    void initTestCase()
    {
        form_ = StartTestMainWindow(dir_.filePath("Vantor.conf"), messages_);
        QVERIFY(form_->startupError().isEmpty());
        form_->show();
    }

    void cleanupTestCase() { form_.reset(); }

    void mainWindowWithEachToolWindow_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("discipline"); // the dance panel titles its second box by class or by dance
        QTest::addColumn<EmbeddedWindow>("embedded");
        for (int language : {0, 1})
            for (int discipline : {0, 2})
                for (const WindowRow& row : windowRows())
                    if (row.window != EmbeddedWindow::Empty)
                        QTest::addRow("%s, discipline %d, window %d", language ? "en" : "de", discipline,
                                      int(row.window))
                            << language << discipline << row.window;
    }

    void mainWindowWithEachToolWindow()
    {
        QFETCH(int, language);
        QFETCH(int, discipline);
        QFETCH(EmbeddedWindow, embedded);
        switchLanguage(language);
        form_->dancePanel()->typeGroup->setItemIndex(discipline);
        form_->dancePanel()->typeChanged();
        DisplayArea* area = form_->displayArea();
        form_->showEmbedded(embedded);
        const Letters menuBar = menuBarLetters();
        QCOMPARE(int(menuBar.size()), form_->menuBar()->actions().size()); // the menus among themselves
        Letters letters;
        collect(*form_, form_->embedded(embedded), area, letters);
        const QStringList faults = usedTwice(letters, menuBar);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
        const QStringList keyless = withoutKey(*form_->embedded(embedded));
        QVERIFY2(keyless.isEmpty(), qPrintable("no Alt key: " + keyless.join(", ")));
    }

    void freeStandingWindows_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("de") << 0;
        QTest::newRow("en") << 1;
    }

    void freeStandingWindows()
    {
        QFETCH(int, language);
        switchLanguage(language);
        int windows = 0;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window == form_.get() || !window->parentWidget())
                continue; // menus and other helpers the toolkit makes
            Letters letters;
            collect(*window, nullptr, nullptr, letters);
            const QStringList faults = usedTwice(letters, {});
            QVERIFY2(faults.isEmpty(), qPrintable(nameOf(*window) + ": " + faults.join("; ")));
            ++windows;
        }
        QVERIFY(windows >= 6); // about, two adaptation dialogs, help, customize data, projector
    }
};

QTEST_MAIN(TestAccelerators)
#include "tst_accelerators.moc"
