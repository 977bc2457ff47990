#pragma once
#include <QString>
#include <memory>

class QSettings;

// The per-user preferences kept between runs. "Tanz" holds the discipline
// (SavedTypIndex) and "Typ" the class or dance (SavedTanzIndex): the names are
// crossed with respect to the radio groups, and stored settings rely on that.
struct StoredSettings {
    // Position of the main window; -1 means not saved.
    int left = -1;
    int top = -1;
    int width = -1;
    int height = -1;
    bool onTop = false;
    int savedTypeIndex = -1;
    int savedDanceIndex = -1;
    int savedRoundIndex = -1;
    int language = 0;
    int timeFormat = 1;
    // Count beat puts each tap's average on the clipboard unless turned off.
    bool copyTapsToClipboard = true;
    // Name of the projector display's screen; empty for the default.
    QString projectorScreen;
    // The pre-listening device's name; empty for none.
    QString prelistenDevice;
    bool prelistenStopsOnHeat = false;
    // The program's own dark theme instead of the light one.
    bool darkTheme = false;
};

// Reads the values; a value that is missing, not a number or stored with
// another type than text reads as its default, silently.
StoredSettings readSettings(QSettings& store);

// Writes the values as texts, numbers in decimal, and flushes the store; false when the
// store could not be written.
bool writeSettings(QSettings& store, const StoredSettings& values);

// The current user's store, or an INI file at iniPathOverride when one is given.
std::unique_ptr<QSettings> openSettingsStore(const QString& iniPathOverride = {});
