#pragma once
#include <QWidget>

class QFrame;

// Base of every window that lives in the main window's display area: its
// controls sit on a fixed-size panel, Panel1, kept centred in the area.
class EmbeddedForm : public QWidget {
    Q_OBJECT
public:
    EmbeddedForm(const QString& objectName, QSize panelSize, QWidget* parent = nullptr);

    QFrame* Panel1() const { return panel_; }
    int languageFlag() const { return language_; }
    // Stores the flag (0 German, 1 English) and sets the window's texts.
    void SetLanguage(int flag);
    // The main window's time-format commands tell the windows that show clocks.
    virtual void TimeFormatChanged(int /*zeitformat*/) {}

protected:
    virtual void applyLanguage() {}
    // The show handler: runs each time the display area shows this window.
    virtual void FormShow() {}
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormResize();

    QFrame* panel_;
    int language_ = 0;
};
