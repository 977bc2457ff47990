#pragma once
#include <QString>

// Modal user messages: warnings, information and the one-line input box.
// Windows report through this interface so that tests can record the texts
// instead of blocking in a modal loop.
class Messages {
public:
    virtual ~Messages() = default;
    virtual void warning(const QString& text) = 0;
    virtual void information(const QString& text) = 0;
    // Returns false when the user cancels; value holds the default on entry.
    virtual bool inputQuery(const QString& title, const QString& prompt, QString& value) = 0;
    // A question answered with Yes (true) or No; where nobody can answer, No.
    virtual bool question(const QString& text);
};
