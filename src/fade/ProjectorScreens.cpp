#include "fade/ProjectorScreens.h"

namespace {

int indexOfName(const QVector<ScreenInfo>& screens, const QString& name)
{
    if (name.isEmpty())
        return -1;
    for (int i = 0; i < screens.size(); ++i)
        if (screens[i].name == name)
            return i;
    return -1;
}

int primaryIndex(const QVector<ScreenInfo>& screens)
{
    for (int i = 0; i < screens.size(); ++i)
        if (screens[i].primary)
            return i;
    return screens.isEmpty() ? -1 : 0;
}

int operatorIndex(const QVector<ScreenInfo>& screens, const QString& operatorScreen)
{
    const int named = indexOfName(screens, operatorScreen);
    return named >= 0 ? named : primaryIndex(screens);
}

} // namespace

int defaultProjectorScreen(const QVector<ScreenInfo>& screens, const QString& operatorScreen)
{
    const int operatorAt = operatorIndex(screens, operatorScreen);
    for (int i = 0; i < screens.size(); ++i)
        if (i != operatorAt)
            return i;
    return primaryIndex(screens);
}

int projectorScreenFor(const QVector<ScreenInfo>& screens, const QString& storedName, const QString& operatorScreen)
{
    const int stored = indexOfName(screens, storedName);
    return stored >= 0 ? stored : defaultProjectorScreen(screens, operatorScreen);
}

bool sharesOperatorScreen(const QVector<ScreenInfo>& screens, int index, const QString& operatorScreen)
{
    return screens.size() <= 1 || index == operatorIndex(screens, operatorScreen);
}

QString screenEntryText(const ScreenInfo& screen)
{
    return QStringLiteral("%1 (%2 x %3)").arg(screen.name).arg(screen.size.width()).arg(screen.size.height());
}
