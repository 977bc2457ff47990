#include "widgets/SpinEdit.h"
#include <QKeyEvent>
#include <QLineEdit>

SpinEdit::SpinEdit(QWidget* parent)
    : QDoubleSpinBox(parent)
{
    setDecimals(1);
}

QValidator::State SpinEdit::validate(QString& text, int& pos) const
{
    const QValidator::State state = QDoubleSpinBox::validate(text, pos);
    return state == QValidator::Invalid ? QValidator::Intermediate : state;
}

bool SpinEdit::holdsValue() const
{
    QString text = lineEdit()->displayText();
    int pos = lineEdit()->cursorPosition();
    return QDoubleSpinBox::validate(text, pos) == QValidator::Acceptable;
}

void SpinEdit::focusOutEvent(QFocusEvent* event)
{
    if (holdsValue()) {
        QDoubleSpinBox::focusOutEvent(event);
        return;
    }
    // Leave the text as typed; the spin box would put back its last value.
    lineEdit()->event(event);
    QWidget::focusOutEvent(event); // NOLINT(bugprone-parent-virtual-call)
}

void SpinEdit::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !holdsValue()) {
        event->ignore();
        return;
    }
    QDoubleSpinBox::keyPressEvent(event);
}
