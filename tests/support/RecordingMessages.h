#pragma once
#include "common/Messages.h"
#include <QStringList>

// Records every message instead of showing it; answers input boxes from a queue.
class RecordingMessages : public Messages {
public:
    void warning(const QString& text) override { warnings << text; }
    void information(const QString& text) override { infos << text; }
    bool inputQuery(const QString& title, const QString& prompt, QString& value) override
    {
        prompts << title + "|" + prompt;
        if (answers.isEmpty())
            return false;
        value = answers.takeFirst();
        return true;
    }
    bool question(const QString& text) override
    {
        questions << text;
        return !questionAnswers.isEmpty() && questionAnswers.takeFirst();
    }
    void clear()
    {
        warnings.clear();
        infos.clear();
        prompts.clear();
        questions.clear();
    }

    QStringList warnings;
    QStringList infos;
    QStringList prompts;
    QStringList answers; // each input box takes the first; none left = Cancel
    QStringList questions;
    QList<bool> questionAnswers; // each question takes the first; none left = No
};
