#pragma once
#include <QLabel>

// A one-line label for a text of any length (a rule file's
// source line): what does not fit is cut with "…", and hovering shows the
// whole text. text() stays the whole text.
class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    // The text as it is drawn.
    QString shownText() const;
    bool isElided() const { return shownText() != text(); }
    // In a layout the label may shrink to a few letters: it elides instead of pushing the window wider.
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
};
