#include "FrmIndividualHelp.h"
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

QString FindFileIgnoringCase(const QString& path)
{
    if (QFileInfo::exists(path))
        return path;
    // Walk up to the deepest folder that exists as written ...
    QString existing = QDir::cleanPath(QDir::fromNativeSeparators(path));
    QStringList missing;
    while (!QFileInfo::exists(existing)) {
        const QFileInfo info(existing);
        const QString parent = info.path();
        if (parent == existing)
            return path;
        missing.prepend(info.fileName());
        existing = parent;
    }
    // ... then down again, taking each name in the spelling found on disk.
    for (const QString& name : missing) {
        const QDir dir(existing);
        const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        const auto match = std::find_if(entries.begin(), entries.end(), [&](const QString& entry) {
            return entry.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (match == entries.end())
            return path;
        existing = dir.filePath(*match);
    }
    return existing;
}

bool LoadHelpDocument(const QString& path, QTextDocument* document)
{
    return LoadRtfFile(FindFileIgnoringCase(path), document);
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
