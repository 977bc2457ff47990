#include "FrmIndividualHelp.h"
#include "ScreenPlacement.h"
#include "FileNames.h"
#include "Messages.h"
#include "Pictures.h"
#include "RtfReader.h"
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QApplication>
#include <QScreen>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>

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
    // Opened from a modal dialog, the help must be modal too, or it takes no input.
    const Qt::WindowModality modality = QApplication::activeModalWidget() ? Qt::ApplicationModal : Qt::NonModal;
    if (windowModality() != modality) {
        hide(); // modality changes only while hidden
        setWindowModality(modality);
    }
    show();
    raise();
    activateWindow();
    return loaded;
}
