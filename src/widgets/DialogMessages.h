#pragma once
#include "common/Messages.h"

class QWidget;

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
