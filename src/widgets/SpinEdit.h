#pragma once
#include <QDoubleSpinBox>

// A spin edit for numbers (one decimal unless set otherwise) that keeps what the user typed, also a text
// that is no number in its range (nothing, 0, letters), so that the window
// reading it can refuse it with its own message. A plain spin box would put
// back the last good value when the field is left, and the window would go
// on with a number the user did not choose.
class SpinEdit : public QDoubleSpinBox {
    Q_OBJECT
public:
    explicit SpinEdit(QWidget* parent = nullptr);

protected:
    QValidator::State validate(QString& text, int& pos) const override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool holdsValue() const;
};
