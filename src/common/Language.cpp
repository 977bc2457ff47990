#include "common/Language.h"
#include <QCoreApplication>
#include <QTranslator>

namespace {

const char* const EnglishTranslatorName = "vantor_en";

// The translator lives as a child of the application, so that it is found
// again at the next switch and goes with the application.
QTranslator* installedEnglish()
{
    return QCoreApplication::instance()->findChild<QTranslator*>(EnglishTranslatorName, Qt::FindDirectChildrenOnly);
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
    if (QTranslator* translator = installedEnglish()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
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
    if (language == Language::English)
        installEnglish();
    else
        removeEnglish();
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
