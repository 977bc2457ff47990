#pragma once
#include <QString>

class QWidget;

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

// The real dialogs: QMessageBox with one OK button, QInputDialog.
class DialogMessages : public Messages {
public:
    explicit DialogMessages(QWidget* parent = nullptr)
        : parent_(parent)
    {
    }
    void setParent(QWidget* parent) { parent_ = parent; }
    void warning(const QString& text) override;
    void information(const QString& text) override;
    bool inputQuery(const QString& title, const QString& prompt, QString& value) override;
    bool question(const QString& text) override;

private:
    QWidget* parent_;
};
