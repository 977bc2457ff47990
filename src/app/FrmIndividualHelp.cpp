#include "FrmIndividualHelp.h"
#include "FileNames.h"
#include "Messages.h"
#include "Pictures.h"
#include "RtfReader.h"
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>

void CentreOnScreen(QWidget& window)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QSize outer = window.frameGeometry().size();
    // Integer division truncates toward zero, also for a window larger than the screen.
    window.move(area.x() + (area.width() - outer.width()) / 2,
                area.y() + (area.height() - outer.height()) / 2);
}

bool LoadHelpDocument(const QString& path, QTextDocument* document)
{
    return LoadRtfFile(FindPathIgnoringCase(path), document);
}

TFrmIndividualHelp::TFrmIndividualHelp(Messages& messages, QWidget* parent)
    : QWidget(parent, Qt::Window), messages_(messages)
{
    setObjectName(QStringLiteral("FrmIndividualHelp"));
    setWindowTitle(QStringLiteral("FrmIndividualHelp"));
    InitPictures();
    setWindowIcon(QIcon(HelpIconPicture));
    resize(471, 459);

    RichEdit = new QTextEdit(this);
    RichEdit->setObjectName(QStringLiteral("RichEdit"));
    RichEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(RichEdit);
}

bool TFrmIndividualHelp::ShowHelp(const QString& title, const QString& filePath)
{
    setWindowTitle(title);
    CentreOnScreen(*this);
    const bool loaded = LoadHelpDocument(filePath, RichEdit->document());
    if (loaded)
        RichEdit->moveCursor(QTextCursor::Start);
    else
        messages_.warning(QStringLiteral("Die angeforderte Hilfedatei wurde nicht gefunden!"));
    show();
    raise();
    activateWindow();
    return loaded;
}
