#include "common/Language.h"
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

const char* const EnglishTranslatorName = "vantor_en";
const char* const QtGermanTranslatorName = "qtbase_de";

// The translator lives as a child of the application, so that it is found
// again at the next switch and goes with the application.
QTranslator* installed(const char* name)
{
    return QCoreApplication::instance()->findChild<QTranslator*>(name, Qt::FindDirectChildrenOnly);
}

QTranslator* installedEnglish()
{
    return installed(EnglishTranslatorName);
}

void removeTranslator(const char* name)
{
    if (QTranslator* translator = installed(name)) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

// Qt's own dialogs (the file dialog, the buttons of a message box) speak English
// unless Qt's German texts are installed; where the system lacks them they stay English.
void installQtGerman()
{
    if (installed(QtGermanTranslatorName))
        return;
    auto* translator = new QTranslator(QCoreApplication::instance());
    translator->setObjectName(QtGermanTranslatorName);
    if (translator->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
}

QTranslator* loadEnglish(QObject* parent)
{
    auto* translator = new QTranslator(parent);
    if (!translator->load(QStringLiteral(":/i18n/vantor_en.qm")))
        qWarning("The English texts are missing from the program's resources");
    return translator;
}

void installEnglish()
{
    if (installedEnglish())
        return;
    QTranslator* translator = loadEnglish(QCoreApplication::instance());
    translator->setObjectName(EnglishTranslatorName);
    QCoreApplication::installTranslator(translator);
}

// Loaded once and never installed, so that it answers whatever tr() answers.
const QTranslator& englishTexts()
{
    static const QTranslator* const translator = loadEnglish(QCoreApplication::instance());
    return *translator;
}

void removeEnglish()
{
    removeTranslator(EnglishTranslatorName);
}

} // namespace

Language languageFromStored(int value)
{
    return value == 0 ? Language::German : Language::English;
}

int storedLanguage(Language language)
{
    return language == Language::German ? 0 : 1;
}

TimeFormat timeFormatFromStored(int value)
{
    return value == 1 ? TimeFormat::Seconds : TimeFormat::MinutesSeconds;
}

int storedTimeFormat(TimeFormat format)
{
    return format == TimeFormat::Seconds ? 1 : 2;
}

void useLanguage(Language language)
{
    if (language == Language::English) {
        removeTranslator(QtGermanTranslatorName);
        installEnglish();
    }
    else {
        removeEnglish();
        installQtGerman();
    }
}

QString textIn(Language language, const char* context, const char* sourceText)
{
    if (language == Language::English) {
        const QString translated = englishTexts().translate(context, sourceText);
        if (!translated.isEmpty())
            return translated;
    }
    return QString::fromUtf8(sourceText);
}
