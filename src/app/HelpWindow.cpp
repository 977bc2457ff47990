#include "app/HelpWindow.h"
#include "widgets/ScreenPlacement.h"
#include "common/FileNames.h"
#include "common/Messages.h"
#include "widgets/Pictures.h"
#include "widgets/RtfReader.h"
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QApplication>
#include <QCloseEvent>
#include <QShortcut>
#include <QScreen>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

bool loadHelpDocument(const QString& path, QTextDocument* document)
{
    return loadRtfFile(findPathIgnoringCase(path), document);
}

HelpWindow::HelpWindow(Messages& messages, QWidget* parent)
    : QWidget(parent, Qt::Window),
      messages_(messages)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("HelpWindow"));
    initPictures();
    setWindowIcon(QIcon(HelpIconPicture));
    resize(471, 459);

    textView = new QTextEdit(this);
    textView->setObjectName(QStringLiteral("RichEdit"));
    textView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    textView->setReadOnly(true);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(textView);
}

bool HelpWindow::showHelp(const QString& title, const QString& filePath)
{
    rememberOpener();
    setWindowTitle(title);
    centreOnScreen(*this);
    const bool loaded = loadHelpDocument(filePath, textView->document());
    if (loaded)
        textView->moveCursor(QTextCursor::Start);
    else
        messages_.warning(QStringLiteral("Die angeforderte Hilfedatei wurde nicht gefunden!"));
    // Opened from a modal dialog, the help must be modal too, or it takes no input.
    const Qt::WindowModality modality = QApplication::activeModalWidget() ? Qt::ApplicationModal : Qt::NonModal;
    if (windowModality() != modality) {
        hide(); // modality changes only while hidden
        setWindowModality(modality);
    }
    show();
    raise();
    activateWindow();
    // A window manager may place a freshly mapped window by its own rule and
    // only then tell its frame; centring again once shown wins over that.
    QTimer::singleShot(0, this, [this] {
        if (isVisible())
            centreOnScreen(*this);
    });
    return loaded;
}

void HelpWindow::rememberOpener()
{
    QWidget* active = QApplication::activeWindow();
    if (!active || active == this)
        return; // opened again from its own keys: the first opener stays
    openerWindow_ = active;
    openerFocus_ = QApplication::focusWidget();
}

void HelpWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (!event->isAccepted() || !openerWindow_ || !openerWindow_->isVisible())
        return;
    openerWindow_->activateWindow();
    if (openerFocus_ && openerFocus_->window() == openerWindow_)
        openerFocus_->setFocus(Qt::ActiveWindowFocusReason);
}
