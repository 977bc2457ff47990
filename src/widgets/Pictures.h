#pragma once
#include <QString>
#include <QWidget>

class QSvgRenderer;

// The program's own pictures, compiled in from resources/pictures.qrc.
// The resource lives in a static library, so it is registered explicitly;
// calling this more than once is harmless.
void initPictures();

inline const QString LogoPicture = QStringLiteral(":/pictures/logo.svg");
// The logo's emblem, square: the icon of the program's windows.
inline const QString AppIconPicture = QStringLiteral(":/pictures/app_icon.svg");
inline const QString SplashPicture = QStringLiteral(":/pictures/splash.svg");
inline const QString AboutPortraitPicture = QStringLiteral(":/pictures/about_dancers.svg");
inline const QString AboutBannerPicture = QStringLiteral(":/pictures/about_banner.svg");
inline const QString HelpIconPicture = QStringLiteral(":/pictures/help_icon.svg");
// Large icon of a function selector item: section 0 to 2, item 0 to 4.
QString selectorPicture(int section, int item);

// Paints one SVG picture scaled to the widget's rectangle; transparent
// where the picture is.
class SvgPicture : public QWidget {
public:
    explicit SvgPicture(const QString& resource, QWidget* parent = nullptr);
    bool isValid() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSvgRenderer* renderer_;
};
