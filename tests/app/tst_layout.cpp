#include "app/DanceSelectionPanel.h"
#include "fade/ProjectorWindow.h"
#include "tempo/CountBeatWindow.h"
#include "widgets/DelimitedListBox.h"
#include "widgets/EmbeddedForm.h"
#include "widgets/ElidedLabel.h"
#include "widgets/RadioGroup.h"
#include "widgets/TextFit.h"
#include "RecordingMessages.h"
#include "TestMainWindow.h"
#include "app/WindowTable.h"
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace {

QString nameOf(const QWidget& widget)
{
    const QString kind = QString::fromLatin1(widget.metaObject()->className());
    return widget.objectName().isEmpty() ? kind : widget.objectName() + " (" + kind + ")";
}

// The toolkit's own parts of a control (a spin box's line edit, a list's
// cells and scroll bars) lay themselves out.
bool partOfAnotherControl(const QWidget& widget)
{
    for (const QWidget* up = widget.parentWidget(); up; up = up->parentWidget())
        if (qobject_cast<const QAbstractSpinBox*>(up) || qobject_cast<const QComboBox*>(up) ||
            qobject_cast<const QAbstractItemView*>(up))
            return true;
    return false;
}

bool isControl(const QWidget& widget)
{
    return qobject_cast<const QAbstractButton*>(&widget) || qobject_cast<const QLabel*>(&widget) ||
           qobject_cast<const QLineEdit*>(&widget) || qobject_cast<const QAbstractSpinBox*>(&widget) ||
           qobject_cast<const QComboBox*>(&widget) || qobject_cast<const QGroupBox*>(&widget);
}

// Where the control's text needs more room than it has, why; empty where it fits.
QString clipped(const QWidget& widget)
{
    const auto tooSmall = [&widget](QSize need) {
        return need.width() > widget.width() || need.height() > widget.height()
                   ? QStringLiteral("needs %1x%2, has %3x%4")
                         .arg(need.width())
                         .arg(need.height())
                         .arg(widget.width())
                         .arg(widget.height())
                   : QString();
    };
    if (const auto* button = qobject_cast<const QPushButton*>(&widget))
        return tooSmall({buttonTextWidth(*button), 0});
    if (qobject_cast<const QCheckBox*>(&widget) || qobject_cast<const QRadioButton*>(&widget) ||
        qobject_cast<const QToolButton*>(&widget))
        return tooSmall({widget.sizeHint().width(), 0});
    if (qobject_cast<const ElidedLabel*>(&widget))
        return {}; // it elides and shows the whole text on hover
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        if (label->text().isEmpty())
            return {};
        if (label->wordWrap())
            return tooSmall({0, label->heightForWidth(label->width())});
        return tooSmall({label->minimumSizeHint().width(), label->fontMetrics().height()});
    }
    if (const auto* box = qobject_cast<const QGroupBox*>(&widget))
        return tooSmall({box->fontMetrics().horizontalAdvance(box->title()), 0});
    if (const auto* edit = qobject_cast<const QLineEdit*>(&widget); edit && !edit->text().isEmpty())
        return textsFit(*edit, {edit->text()}) ? QString() : QStringLiteral("text wider than the field");
    return {};
}

// Every shown control under root: its text fits, it lies inside its parent,
// and it covers none of its shown siblings.
QStringList layoutFaults(const QWidget& root)
{
    QStringList faults;
    for (const QWidget* widget : root.findChildren<QWidget*>()) {
        if (!widget->isVisible() || !isControl(*widget) || partOfAnotherControl(*widget))
            continue;
        if (const QString why = clipped(*widget); !why.isEmpty())
            faults << nameOf(*widget) + " cut: " + why;
        const QWidget* parent = widget->parentWidget();
        if (!parent->rect().contains(widget->geometry()))
            faults << nameOf(*widget) + " outside " + nameOf(*parent);
        for (const QObject* object : parent->children()) {
            const auto* sibling = qobject_cast<const QWidget*>(object);
            if (sibling && sibling < widget && sibling->isVisible() && isControl(*sibling) &&
                sibling->geometry().intersects(widget->geometry()))
                faults << nameOf(*widget) + " overlaps " + nameOf(*sibling);
        }
    }
    return faults;
}

const QSize kScreens[] = {{1024, 600}, {1366, 768}};

} // namespace

// Every window of the display area and every dialog, in both languages, at
// the default and a large (11 pt) desktop font, on a small and a common
// screen: nothing cut, nothing outside its box, nothing on top of another,
// and the main window needs no scrolling.
class TestLayout : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    RecordingMessages messages_;
    std::unique_ptr<MainWindow> form_;
    QFont defaultFont_;
    qreal formPointSize_ = 0;

    // The desktop font is known when the program starts, so each font gets a main window of its own.
    void startWith(qreal pointSize)
    {
        if (form_ && formPointSize_ == pointSize)
            return;
        form_.reset();
        QFont font = defaultFont_;
        if (pointSize > 0)
            font.setPointSizeF(pointSize);
        QApplication::setFont(font);
        form_ = StartTestMainWindow(dir_.filePath("Vantor.conf"), messages_);
        formPointSize_ = pointSize;
        form_->show();
    }

    void switchLanguage(int language)
    {
        if (language == 0)
            form_->toGermanClicked();
        else
            form_->toEnglishClicked();
    }

    // The rows of each language and font, after the columns of both and the test's own.
    static void addRows(const std::function<void()>& ownColumns,
                        const std::function<void(const QByteArray& name, int language, qreal pointSize)>& add)
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<qreal>("pointSize"); // 0: the desktop's default
        ownColumns();
        for (qreal pointSize : {0.0, 11.0})
            for (int language : {0, 1})
                add(QByteArray(language ? "en" : "de") + (pointSize > 0 ? ", 11 pt" : ", default font"), language,
                    pointSize);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        defaultFont_ = QApplication::font();
    }

    void init() { useLanguage(Language::German); }

    void cleanupTestCase()
    {
        form_.reset();
        QApplication::setFont(defaultFont_);
    }

    void displayAreaWindows_data()
    {
        const auto columns = [] {
            QTest::addColumn<QSize>("screen");
            QTest::addColumn<EmbeddedWindow>("window");
        };
        addRows(columns, [](const QByteArray& name, int language, qreal pointSize) {
            for (const QSize screen : kScreens)
                for (const WindowRow& row : windowRows())
                    QTest::addRow("%s, %dx%d, window %d", name.constData(), screen.width(), screen.height(),
                                  int(row.window))
                        << language << pointSize << screen << row.window;
        });
    }

    void displayAreaWindows()
    {
        QFETCH(int, language);
        QFETCH(qreal, pointSize);
        QFETCH(QSize, screen);
        QFETCH(EmbeddedWindow, window);
        startWith(pointSize);
        switchLanguage(language);
        // Rock'n'Roll asks for a round too: the widest dance panel.
        form_->dancePanel()->typeGroup->setItemIndex(0);
        form_->dancePanel()->typeChanged();
        form_->dancePanel()->danceGroup->setItemIndex(0);
        form_->dancePanel()->danceChanged();
        form_->showEmbedded(window);
        form_->resize(screen);
        QCoreApplication::processEvents();
        QCOMPARE(form_->size(), screen);

        const QStringList faults = layoutFaults(*form_);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
        const EmbeddedForm* shown = form_->embedded(window);
        const QRect panel = shown->panel()->geometry();
        QVERIFY(panel.isEmpty() || shown->rect().contains(panel)); // the empty window's panel has no size
        const auto* scroller = form_->findChild<QScrollArea*>("ContentScroller");
        QVERIFY(scroller);
        QCOMPARE(scroller->verticalScrollBar()->maximum(), 0);
        QCOMPARE(scroller->horizontalScrollBar()->maximum(), 0);
    }

    // Lower than the panels (a small laptop, a large scaling): the count
    // beat's list gives up height, so that it and the dance choice stay in
    // view together.
    void countBeatOnALowScreen_data()
    {
        addRows([] {}, [](const QByteArray& name, int language,
                          qreal pointSize) { QTest::newRow(name.constData()) << language << pointSize; });
    }

    void countBeatOnALowScreen()
    {
        QFETCH(int, language);
        QFETCH(qreal, pointSize);
        startWith(pointSize);
        switchLanguage(language);
        form_->showEmbedded(EmbeddedWindow::CountBeat);
        form_->setMinimumSize(0, 0); // as the window is placed on a screen this low
        form_->resize(910, 512);     // 1366x768 at a scaling of 1.5
        QCoreApplication::processEvents();

        const auto* scroller = form_->findChild<QScrollArea*>("ContentScroller");
        QCOMPARE(scroller->verticalScrollBar()->maximum(), 0);
        const QWidget* list = form_->findChild<CountBeatWindow*>()->tapList;
        QVERIFY(list->isVisible());
        QVERIFY2(list->height() >= 4 * list->fontMetrics().height(), qPrintable(QString::number(list->height())));
        const QStringList faults = layoutFaults(*form_);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
    }

    void dialogs_data()
    {
        addRows([] {}, [](const QByteArray& name, int language,
                          qreal pointSize) { QTest::newRow(name.constData()) << language << pointSize; });
    }

    void dialogs()
    {
        QFETCH(int, language);
        QFETCH(qreal, pointSize);
        startWith(pointSize);
        switchLanguage(language);
        int dialogs = 0;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window == form_.get() || !window->parentWidget() || qobject_cast<ProjectorWindow*>(window))
                continue; // menus and other helpers of the toolkit; the projector fills its own screen
            window->show();
            QCoreApplication::processEvents();
            const QStringList faults = layoutFaults(*window);
            const QSize size = window->size();
            window->hide();
            QVERIFY2(faults.isEmpty(), qPrintable(nameOf(*window) + ": " + faults.join("; ")));
            QVERIFY2(size.width() <= kScreens[0].width() && size.height() <= kScreens[0].height(),
                     qPrintable(nameOf(*window)));
            ++dialogs;
        }
        QVERIFY(dialogs >= 5); // about, two adaptation dialogs, help, customize data
    }
};

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
