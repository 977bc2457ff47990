#pragma once
#include <QLocale>
#include <QString>

// The tempo texts follow the user's decimal separator; tests run each case
// with a German and an English default locale.
inline void setDecimalLocale(bool english)
{
    QLocale::setDefault(english ? QLocale(QLocale::English, QLocale::UnitedStates)
                                : QLocale(QLocale::German, QLocale::Germany));
}

// An expected text written with decimal commas, as the given locale shows it.
inline QString localised(QString germanText, bool english)
{
    if (english)
        germanText.replace(',', '.');
    return germanText;
}

inline const char* localeTag(bool english)
{
    return english ? "en" : "de";
}
