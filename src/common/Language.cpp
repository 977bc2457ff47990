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

void installEnglish()
{
    if (installedEnglish())
        return;
    auto* translator = new QTranslator(QCoreApplication::instance());
    translator->setObjectName(EnglishTranslatorName);
    if (!translator->load(QStringLiteral(":/i18n/vantor_en.qm")))
        qWarning("The English texts are missing from the program's resources");
    QCoreApplication::installTranslator(translator);
}

void removeEnglish()
{
    if (QTranslator* translator = installedEnglish()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

} // namespace

Language LanguageFromStored(int value)
{
    return value == 0 ? Language::German : Language::English;
}

int StoredLanguage(Language language)
{
    return language == Language::German ? 0 : 1;
}

TimeFormat TimeFormatFromStored(int value)
{
    return value == 1 ? TimeFormat::Seconds : TimeFormat::MinutesSeconds;
}

int StoredTimeFormat(TimeFormat format)
{
    return format == TimeFormat::Seconds ? 1 : 2;
}

void UseLanguage(Language language)
{
    if (language == Language::English)
        installEnglish();
    else
        removeEnglish();
}
