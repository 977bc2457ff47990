#pragma once
#include <QLabel>

// A one-line label of fixed size for a text of any length (a rule file's
// source line): what does not fit is cut with "…", and hovering shows the
// whole text. text() stays the whole text.
class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    // The text as it is drawn.
    QString shownText() const;
    bool isElided() const { return shownText() != text(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
};
