#include "app/ManualDialog.h"
#include "app/HelpWindow.h"
#include "common/Messages.h"
#include "widgets/Pictures.h"
#include <QDir>
#include <QIcon>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

QString manualPath(const QString& programFolder, Language language)
{
    const QString folder = language == Language::German ? QStringLiteral("de") : QStringLiteral("en");
    return programFolder + folder + QDir::separator() + QStringLiteral("Vantor.rtf");
}

ManualDialog::ManualDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ManualDialog"));
    setWindowTitle(QStringLiteral("Hilfe"));
    initPictures();
    setWindowIcon(QIcon(HelpIconPicture));
    resize(696, 480);

    textView = new QTextEdit(this);
    textView->setObjectName(QStringLiteral("Edit"));
    textView->setReadOnly(true);
    textView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(textView);
}

bool ManualDialog::loadManual(const QString& programFolder, Language language, Messages& messages)
{
    const bool loaded = loadHelpDocument(manualPath(programFolder, language), textView->document());
    if (loaded)
        textView->moveCursor(QTextCursor::Start);
    else
        messages.warning(QStringLiteral("Hilfedatei wurde nicht gefunden"));
    return loaded;
}

void ManualDialog::showManual(const QString& programFolder, Language language, Messages& messages)
{
    centreOnScreen(*this);
    loadManual(programFolder, language, messages);
    exec();
}
