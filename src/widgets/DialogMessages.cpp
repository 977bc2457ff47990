#include "widgets/DialogMessages.h"
#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

void DialogMessages::warning(const QString& text)
{
    QMessageBox::warning(parent_, QApplication::applicationName(), text, QMessageBox::Ok);
}

void DialogMessages::information(const QString& text)
{
    QMessageBox::information(parent_, QApplication::applicationName(), text, QMessageBox::Ok);
}

bool DialogMessages::inputQuery(const QString& title, const QString& prompt, QString& value)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(parent_, title, prompt, QLineEdit::Normal, value, &ok);
    if (ok)
        value = answer;
    return ok;
}

bool DialogMessages::question(const QString& text)
{
    return QMessageBox::question(parent_, QApplication::applicationName(), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}
