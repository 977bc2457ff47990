#include "app/Settings.h"
#include "common/NumberText.h"
#include <QSettings>
#include <algorithm>
#include <optional>

namespace {

const QString PositionGroup = QStringLiteral("Position");
const QString DefaultsGroup = QStringLiteral("Defaults");

// "0x20" (longer than two characters) is hexadecimal, fitting 32 bits signed.
std::optional<qint32> parseHex(const QString& text)
{
    if (text.size() <= 2 || !(text.startsWith(QLatin1String("0x")) || text.startsWith(QLatin1String("0X"))))
        return std::nullopt;
    bool ok = false;
    const qint32 value = text.mid(2).toInt(&ok, 16);
    // toInt accepts a sign and surrounding blanks, which a hexadecimal text has not.
    const bool hexDigitsOnly = std::all_of(text.begin() + 2, text.end(), [](QChar c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    });
    return ok && hexDigitsOnly ? std::optional<qint32>(value) : std::nullopt;
}

int readInteger(QSettings& store, const QString& group, const QString& name, int defaultValue)
{
    store.beginGroup(group);
    const QVariant value = store.value(name);
    store.endGroup();
    // Only a text counts: a number or a list written by another tool is not ours.
    if (value.typeId() != QMetaType::QString)
        return defaultValue;
    const QString text = value.toString();
    if (const auto hex = parseHex(text))
        return *hex;
    return parseInt32(text).value_or(defaultValue);
}

QString readText(QSettings& store, const QString& group, const QString& name)
{
    store.beginGroup(group);
    const QVariant value = store.value(name);
    store.endGroup();
    return value.typeId() == QMetaType::QString ? value.toString() : QString();
}

void writeInteger(QSettings& store, const QString& name, int value)
{
    // As text: an int would be stored as a number of another type in the registry.
    store.setValue(name, QString::number(value));
}

} // namespace

StoredSettings readSettings(QSettings& store)
{
    StoredSettings s;
    s.left = readInteger(store, PositionGroup, "left", s.left);
    s.top = readInteger(store, PositionGroup, "top", s.top);
    s.width = readInteger(store, PositionGroup, "width", s.width);
    s.height = readInteger(store, PositionGroup, "height", s.height);
    s.onTop = readInteger(store, PositionGroup, "onTop", 0) != 0;
    s.savedTypeIndex = readInteger(store, DefaultsGroup, "Tanz", s.savedTypeIndex);
    s.savedDanceIndex = readInteger(store, DefaultsGroup, "Typ", s.savedDanceIndex);
    s.savedRoundIndex = readInteger(store, DefaultsGroup, "Runde", s.savedRoundIndex);
    s.language = readInteger(store, DefaultsGroup, "Sprache", s.language);
    s.timeFormat = readInteger(store, DefaultsGroup, "Zeitformat", s.timeFormat);
    s.copyTapsToClipboard = readInteger(store, DefaultsGroup, "Zwischenablage", 1) != 0;
    s.projectorScreen = readText(store, DefaultsGroup, "Beamer");
    s.prelistenDevice = readText(store, DefaultsGroup, "Vorhoeren");
    s.prelistenStopsOnHeat = readInteger(store, DefaultsGroup, "VorhoerenEndetMitDurchgang", 0) != 0;
    s.darkTheme = readInteger(store, DefaultsGroup, "DunklesDesign", 0) != 0;
    return s;
}

bool writeSettings(QSettings& store, const StoredSettings& values)
{
    store.beginGroup(PositionGroup);
    writeInteger(store, "left", values.left);
    writeInteger(store, "top", values.top);
    writeInteger(store, "width", values.width);
    writeInteger(store, "height", values.height);
    writeInteger(store, "onTop", values.onTop ? 1 : 0);
    store.endGroup();
    store.beginGroup(DefaultsGroup);
    writeInteger(store, "Tanz", values.savedTypeIndex);
    writeInteger(store, "Typ", values.savedDanceIndex);
    writeInteger(store, "Runde", values.savedRoundIndex);
    writeInteger(store, "Sprache", values.language);
    writeInteger(store, "Zeitformat", values.timeFormat);
    writeInteger(store, "Zwischenablage", values.copyTapsToClipboard ? 1 : 0);
    store.setValue("Beamer", values.projectorScreen);
    store.setValue("Vorhoeren", values.prelistenDevice);
    writeInteger(store, "VorhoerenEndetMitDurchgang", values.prelistenStopsOnHeat ? 1 : 0);
    writeInteger(store, "DunklesDesign", values.darkTheme ? 1 : 0);
    store.endGroup();
    store.sync();
    return store.status() == QSettings::NoError;
}

std::unique_ptr<QSettings> openSettingsStore(const QString& iniPathOverride)
{
    if (!iniPathOverride.isEmpty())
        return std::make_unique<QSettings>(iniPathOverride, QSettings::IniFormat);
#ifdef Q_OS_WIN
    // The key itself, so that settings of earlier installations keep working.
    return std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\Software\\Vantor"), QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Vantor"),
                                       QStringLiteral("Vantor"));
#endif
}
