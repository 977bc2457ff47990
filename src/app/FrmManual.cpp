#include "app/FrmManual.h"
#include "app/FrmIndividualHelp.h"
#include "common/Messages.h"
#include "widgets/Pictures.h"
#include <QDir>
#include <QIcon>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

QString ManualPath(const QString& programFolder, Language language)
{
    const QString folder = language == Language::German ? QStringLiteral("de") : QStringLiteral("en");
    return programFolder + folder + QDir::separator() + QStringLiteral("Vantor.rtf");
}

TFrmManual::TFrmManual(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmManual"));
    setWindowTitle(QStringLiteral("Hilfe"));
    InitPictures();
    setWindowIcon(QIcon(HelpIconPicture));
    resize(696, 480);

    Edit = new QTextEdit(this);
    Edit->setObjectName(QStringLiteral("Edit"));
    Edit->setReadOnly(true);
    Edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Edit);
}

bool TFrmManual::LoadManual(const QString& programFolder, Language language, Messages& messages)
{
    const bool loaded = LoadHelpDocument(ManualPath(programFolder, language), Edit->document());
    if (loaded)
        Edit->moveCursor(QTextCursor::Start);
    else
        messages.warning(QStringLiteral("Hilfedatei wurde nicht gefunden"));
    return loaded;
}

void TFrmManual::ShowManual(const QString& programFolder, Language language, Messages& messages)
{
    CentreOnScreen(*this);
    LoadManual(programFolder, language, messages);
    exec();
}
