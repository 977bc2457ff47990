#pragma once
#include <QColor>
#include <QObject>
#include <QPalette>

// The colours the program sets itself, in its light (classic) or dark theme:
// the tool windows' form and rounded shape, the dance panel, the header. Fields
// and lists keep their light ground in both, so that the rule colours of list
// rows read alike.
struct ThemeColours {
    QColor form;
    QColor shape;
    QColor shapeEdge;
    QColor text; // on the form and the shape
    QColor warningText;
    QColor button;
    QColor buttonText;
    QColor dancePanel;
    QColor dancePanelText;
    QColor header;
    QColor headerText;
};

const ThemeColours& themeColours(bool dark);

// The theme in use; windows that set their colours follow its change.
class Theme : public QObject {
    Q_OBJECT
public:
    static Theme& instance();
    bool dark() const { return dark_; }
    const ThemeColours& colours() const { return themeColours(dark_); }
    // Also gives the application, menus and dialogs included, the theme's palette.
    void setDark(bool dark);

signals:
    void changed();

private:
    bool dark_ = false;
    QPalette desktop_; // the application's palette before the dark theme
};

// A palette of the theme in use for a surface of the given colour.
QPalette themePalette(const QColor& window);
