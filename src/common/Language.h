#pragma once
#include <QString>

// The language of the program's texts. German is the language the texts are
// written in; every other language comes from a translation file.
enum class Language { German, English };

// How clocks show a time: whole seconds, or minutes and seconds.
enum class TimeFormat { MinutesSeconds, Seconds };

// The stored settings keep the classic numbers: language 0 German, every other
// value English; time format 1 seconds, every other value minutes and seconds.
Language languageFromStored(int value);
int storedLanguage(Language language);
TimeFormat timeFormatFromStored(int value);
int storedTimeFormat(TimeFormat format);

// Makes tr() answer in the given language from now on. Windows then set their
// texts again; this only switches the translation the application asks.
void useLanguage(Language language);

// A text in the given language, whatever language tr() answers in now: for the
// few places that hold both languages at once, such as the menus of both
// languages that the main window keeps ready. The source is the German text,
// marked for the translation file with QT_TRANSLATE_NOOP(context, ...).
QString textIn(Language language, const char* context, const char* sourceText);
