#include "widgets/Theme.h"
#include "widgets/EmbeddedForm.h"
#include <QApplication>
#include <QPalette>

namespace {

// Every text colour stands on its ground at a contrast of 4.5:1 or more.
const ThemeColours kLight = {QColor(0x48, 0x6D, 0xAA),
                             QColor(0xDC, 0xE6, 0xF4),
                             QColor(0x1E, 0x3A, 0x66),
                             Qt::black,
                             QColor(0xB0, 0x00, 0x00),
                             QColor(0xEF, 0xEF, 0xEF),
                             Qt::black,
                             QColor(0x69, 0x69, 0x69),
                             Qt::white,
                             QColor(0x23, 0x5F, 0x8C),
                             Qt::white};
const ThemeColours kDark = {QColor(0x1B, 0x26, 0x38),
                            QColor(0x2A, 0x34, 0x45),
                            QColor(0x7A, 0x9C, 0xCF),
                            QColor(0xEE, 0xEE, 0xEE),
                            QColor(0xFF, 0x9A, 0x9A),
                            QColor(0x3D, 0x48, 0x5A),
                            QColor(0xF2, 0xF2, 0xF2),
                            QColor(0x30, 0x30, 0x30),
                            QColor(0xF2, 0xF2, 0xF2),
                            QColor(0x14, 0x3A, 0x5C),
                            Qt::white};

QPalette darkPalette(const QColor& window, const ThemeColours& colours)
{
    QPalette palette = fixedLightPalette(window);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::WindowText, colours.text);
        palette.setColor(group, QPalette::ButtonText, colours.buttonText);
        palette.setColor(group, QPalette::Button, colours.button);
        palette.setColor(group, QPalette::Light, colours.button.lighter(150));
        palette.setColor(group, QPalette::Midlight, colours.button.lighter(120));
        palette.setColor(group, QPalette::Mid, colours.button.darker(120));
        palette.setColor(group, QPalette::Dark, colours.button.darker(150));
        palette.setColor(group, QPalette::Shadow, Qt::black);
    }
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x9A, 0x9A, 0x9A));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x9A, 0x9A, 0x9A));
    palette.setColor(QPalette::Disabled, QPalette::Button, colours.button);
    return palette;
}

// Menus draw on the field colour, which stays light for the lists; in a
// dark hall a menu should not flash white.
QPalette darkMenuPalette(const ThemeColours& colours)
{
    QPalette palette = darkPalette(colours.shape, colours);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Base, colours.shape);
        palette.setColor(group, QPalette::Text, colours.text);
    }
    palette.setColor(QPalette::Disabled, QPalette::Base, colours.shape);
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(0x9A, 0x9A, 0x9A));
    // The style etches disabled entries in this colour: on a dark ground a
    // light one doubles the text.
    palette.setColor(QPalette::Disabled, QPalette::Light, colours.shape);
    return palette;
}

} // namespace

const ThemeColours& themeColours(bool dark)
{
    return dark ? kDark : kLight;
}

Theme& Theme::instance()
{
    static Theme theme;
    return theme;
}

void Theme::setDark(bool dark)
{
    if (dark == dark_)
        return;
    dark_ = dark;
    if (dark)
        desktop_ = QApplication::palette();
    QApplication::setPalette(dark ? darkPalette(colours().shape, colours()) : desktop_);
    QApplication::setPalette(dark ? darkMenuPalette(colours()) : desktop_, "QMenu");
    emit changed();
}

QPalette themePalette(const QColor& window)
{
    const Theme& theme = Theme::instance();
    return theme.dark() ? darkPalette(window, theme.colours()) : fixedLightPalette(window);
}
