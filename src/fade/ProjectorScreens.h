#pragma once
#include <QSize>
#include <QString>
#include <QVector>

// What the projector display needs to know of a connected screen.
struct ScreenInfo {
    QString name;
    QSize size;
    bool primary = false;
};

// The screen the projector display goes to when no stored choice applies:
// the first screen other than the operator's, so that the main window stays
// free, else the primary screen. An unknown operator screen counts as the
// primary. -1 when no screen is connected.
int defaultProjectorScreen(const QVector<ScreenInfo>& screens, const QString& operatorScreen);

// The stored screen when it is connected, else the default; a screen that
// has gone away is no error, its name stays stored for when it is back.
int projectorScreenFor(const QVector<ScreenInfo>& screens, const QString& storedName, const QString& operatorScreen);

// Whether the display on this screen covers the operator's window: on the
// operator's own screen, or on the only screen there is.
bool sharesOperatorScreen(const QVector<ScreenInfo>& screens, int index, const QString& operatorScreen);

// The screen as the operator picks it from a list: "HDMI-1 (1920 x 1080)".
QString screenEntryText(const ScreenInfo& screen);
