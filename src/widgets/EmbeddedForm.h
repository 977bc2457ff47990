#pragma once
#include "common/Language.h"
#include <QWidget>

class QFrame;
class QPalette;

// The style's own light palette with the given window colour, every role
// set, for controls drawn over fixed light colours: a dark desktop palette
// would otherwise turn their texts light over a light ground.
QPalette fixedLightPalette(const QColor& window);

// Base of every window that lives in the main window's display area: its
// controls sit on a fixed-size panel, Panel1, kept centred in the area. A
// panel that lays its controls out gives up height, down to what its layout
// needs, where the area is lower.
class EmbeddedForm : public QWidget {
    Q_OBJECT
public:
    EmbeddedForm(const QString& objectName, QSize panelSize, QWidget* parent = nullptr);

    QFrame* panel() const { return panel_; }
    // The language of the window's texts; it also picks the window's help folder.
    Language language() const { return language_; }
    // Makes the application answer in the language, then sets the window's
    // texts, so that a window works the same alone as in the main window.
    void setLanguage(Language language);
    QSize minimumSizeHint() const override;
    // The main window's time-format commands tell the windows that show clocks.
    virtual void timeFormatChanged(TimeFormat /*format*/) {}

signals:
    // A clock's reading for the main window's status panel of that number.
    void statusTextChanged(int panel, const QString& text);
    // The help button was pressed; the window table knows which help it opens.
    void helpRequested();

protected:
    virtual void applyLanguage() {}
    // The show handler: runs each time the display area shows this window.
    virtual void windowShown() {}
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void windowResized();
    void themeChanged();

    QFrame* panel_;
    QSize panelSize_;
    Language language_ = Language::German;
};
