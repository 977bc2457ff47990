#include "play/PlanStore.h"
#include "common/ProgramState.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <QStandardPaths>
#include <cmath>

namespace {

// Raise when a field changes its meaning; a newer file is then not read as
// an older one (and so never overwritten with less than it holds).
constexpr int FormatVersion = 1;
const QLatin1String kSuffix(".json");

// Stored names, the same whatever the language and the code's names.
const char* const kDisciplineIds[DisciplineCount] = {"rocknroll", "boogiewoogie", "standard", "latin"};

QString disciplineId(Discipline discipline)
{
    return QString::fromLatin1(kDisciplineIds[static_cast<int>(discipline)]);
}

std::optional<Discipline> disciplineOfId(const QString& id)
{
    for (int d = 0; d < DisciplineCount; ++d) {
        if (id == QLatin1String(kDisciplineIds[d]))
            return static_cast<Discipline>(d);
    }
    return std::nullopt;
}

QJsonValue optionalNumber(const std::optional<double>& value)
{
    return value ? QJsonValue(*value) : QJsonValue();
}

bool readOptionalNumber(const QJsonObject& object, const char* name, std::optional<double>& value)
{
    const QJsonValue field = object.value(QLatin1String(name));
    if (field.isUndefined() || field.isNull()) {
        value.reset();
        return true;
    }
    if (!field.isDouble() || !std::isfinite(field.toDouble()) || field.toDouble() <= 0)
        return false;
    value = field.toDouble();
    return true;
}

bool readNumber(const QJsonObject& object, const char* name, double low, double high, double& value)
{
    const QJsonValue field = object.value(QLatin1String(name));
    if (field.isUndefined())
        return true; // an older file without it keeps the default
    if (!field.isDouble())
        return false;
    const double number = field.toDouble();
    if (!(number >= low && number <= high))
        return false;
    value = number;
    return true;
}

std::optional<QString> readText(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return std::nullopt;
    }
    return QString::fromUtf8(file.readAll());
}

// A free name beside `path` for a damaged file: "….damaged", "….damaged-2", ….
QString asideName(const QString& path)
{
    QString name = path + QStringLiteral(".damaged");
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = path + QStringLiteral(".damaged-%1").arg(n);
    return name;
}

} // namespace

QString PlanStore::defaultFolder(const ProgramState& state)
{
    const QString base = state.userDataFolder.isEmpty()
                             ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                             : state.userDataFolder;
    return QDir(base).filePath(QStringLiteral("rounds"));
}

PlanStore::PlanStore(QString folder)
    : folder_(std::move(folder))
{
}

QString PlanStore::fileOf(const RoundKey& key) const
{
    QString name = disciplineId(key.discipline);
    if (key.classIndex >= 0)
        name += QStringLiteral("_c%1").arg(key.classIndex);
    if (key.roundIndex >= 0)
        name += QStringLiteral("_r%1").arg(key.roundIndex);
    return QDir(folder_).filePath(name + kSuffix);
}

std::optional<RoundKey> PlanStore::keyOfFileName(const QString& fileName)
{
    if (!fileName.endsWith(kSuffix))
        return std::nullopt;
    const QStringList parts = fileName.chopped(kSuffix.size()).split(QLatin1Char('_'));
    const auto discipline = disciplineOfId(parts.value(0));
    if (!discipline || parts.size() > 3)
        return std::nullopt;
    RoundKey key{*discipline, -1, -1};
    for (int i = 1; i < parts.size(); ++i) {
        bool ok = false;
        const int index = parts[i].mid(1).toInt(&ok);
        if (!ok || index < 0)
            return std::nullopt;
        if (parts[i].startsWith(QLatin1Char('c')) && i == 1)
            key.classIndex = index;
        else if (parts[i].startsWith(QLatin1Char('r')))
            key.roundIndex = index;
        else
            return std::nullopt;
    }
    return key;
}

QJsonObject PlanStore::toJson(const RoundPlan& plan)
{
    QJsonObject settings{
        {QStringLiteral("fadeSeconds"), plan.settings.fadeSeconds},
        {QStringLiteral("start"),
         plan.settings.start == StartPoint::FirstBeat ? QStringLiteral("firstBeat") : QStringLiteral("fileStart")},
        {QStringLiteral("betweenHeats"),
         plan.settings.betweenHeats == BetweenHeats::Hold ? QStringLiteral("hold") : QStringLiteral("gap")},
        {QStringLiteral("gapSeconds"), plan.settings.gapSeconds},
        {QStringLiteral("changeLimitPercent"), plan.settings.changeLimitPercent},
        {QStringLiteral("typedTarget"), optionalNumber(plan.settings.typedTarget)},
    };
    QJsonArray dances;
    for (const DancePlan& dance : plan.dances) {
        dances.append(QJsonObject{
            {QStringLiteral("heats"), dance.heats},
            {QStringLiteral("tracks"), QJsonArray::fromStringList(dance.tracks)},
            {QStringLiteral("danceSeconds"), dance.danceSeconds},
            {QStringLiteral("typedTarget"), optionalNumber(dance.typedTarget)},
        });
    }
    return QJsonObject{
        {QStringLiteral("format"), FormatVersion},
        {QStringLiteral("discipline"), disciplineId(plan.key.discipline)},
        {QStringLiteral("class"), plan.key.classIndex},
        {QStringLiteral("round"), plan.key.roundIndex},
        {QStringLiteral("settings"), settings},
        {QStringLiteral("dances"), dances},
    };
}

std::optional<RoundPlan> PlanStore::fromJson(const QJsonObject& object, QString* error)
{
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return std::nullopt;
    };
    const int format = object.value(QStringLiteral("format")).toInt(-1);
    if (format != FormatVersion)
        return fail(tr("unbekanntes Format %1").arg(format));
    RoundPlan plan;
    const auto discipline = disciplineOfId(object.value(QStringLiteral("discipline")).toString());
    if (!discipline)
        return fail(tr("keine bekannte Sportart"));
    plan.key.discipline = *discipline;
    plan.key.classIndex = object.value(QStringLiteral("class")).toInt(-1);
    plan.key.roundIndex = object.value(QStringLiteral("round")).toInt(-1);

    const QJsonObject settings = object.value(QStringLiteral("settings")).toObject();
    RoundSettings& s = plan.settings;
    const QString start = settings.value(QStringLiteral("start")).toString(QStringLiteral("firstBeat"));
    const QString between = settings.value(QStringLiteral("betweenHeats")).toString(QStringLiteral("hold"));
    if (start != QLatin1String("firstBeat") && start != QLatin1String("fileStart"))
        return fail(tr("unbekannter Startpunkt „%1“").arg(start));
    if (between != QLatin1String("hold") && between != QLatin1String("gap"))
        return fail(tr("unbekannte Pause „%1“").arg(between));
    s.start = start == QLatin1String("firstBeat") ? StartPoint::FirstBeat : StartPoint::FileStart;
    s.betweenHeats = between == QLatin1String("hold") ? BetweenHeats::Hold : BetweenHeats::Gap;
    if (!readNumber(settings, "fadeSeconds", 0, 3600, s.fadeSeconds) ||
        !readNumber(settings, "gapSeconds", 0, 3600, s.gapSeconds) ||
        !readNumber(settings, "changeLimitPercent", 0, 100, s.changeLimitPercent) ||
        !readOptionalNumber(settings, "typedTarget", s.typedTarget))
        return fail(tr("unlesbare Einstellung"));

    const QJsonValue dances = object.value(QStringLiteral("dances"));
    if (!dances.isArray())
        return fail(tr("keine Tänze"));
    for (const QJsonValue& value : dances.toArray()) {
        const QJsonObject dance = value.toObject();
        DancePlan dancePlan;
        const QJsonValue heats = dance.value(QStringLiteral("heats"));
        const QJsonValue seconds = dance.value(QStringLiteral("danceSeconds"));
        const QJsonValue tracks = dance.value(QStringLiteral("tracks"));
        if (!value.isObject() || !heats.isDouble() || !seconds.isDouble() || !tracks.isArray())
            return fail(tr("unlesbarer Tanz %1").arg(plan.dances.size() + 1));
        dancePlan.heats = heats.toInt();
        dancePlan.danceSeconds = seconds.toInt();
        for (const QJsonValue& track : tracks.toArray()) {
            if (!track.isString())
                return fail(tr("unlesbarer Tanz %1").arg(plan.dances.size() + 1));
            dancePlan.tracks << track.toString();
        }
        if (!readOptionalNumber(dance, "typedTarget", dancePlan.typedTarget))
            return fail(tr("unlesbarer Tanz %1").arg(plan.dances.size() + 1));
        dancePlan.heats = clampHeats(dancePlan.heats).value;
        plan.dances << dancePlan;
    }
    return plan;
}

LoadedPlan PlanStore::load(const RoundKey& key) const
{
    LoadedPlan loaded;
    const QString path = fileOf(key);
    if (!QFileInfo::exists(path))
        return loaded;
    QString why;
    const std::optional<QString> text = readText(path, &why);
    std::optional<RoundPlan> plan;
    if (text) {
        QJsonParseError parse{};
        const QJsonDocument document = QJsonDocument::fromJson(text->toUtf8(), &parse);
        if (parse.error != QJsonParseError::NoError)
            why = parse.errorString();
        else if (!document.isObject())
            why = tr("kein Plan");
        else
            plan = fromJson(document.object(), &why);
    }
    if (plan && plan->key != key) {
        plan.reset();
        why = tr("Plan einer anderen Runde");
    }
    if (!plan) {
        loaded.error = tr("Der gespeicherte Plan „%1“ ist beschädigt (%2). Er bleibt erhalten und wird beim "
                          "nächsten Speichern beiseitegelegt.")
                           .arg(QDir::toNativeSeparators(path), why);
        return loaded;
    }
    loaded.plan = plan;
    return loaded;
}

QString PlanStore::save(const RoundPlan& plan)
{
    setAside_.clear();
    const QString path = fileOf(plan.key);
    if (!QDir().mkpath(folder_))
        return tr("Der Ordner „%1“ lässt sich nicht anlegen.").arg(QDir::toNativeSeparators(folder_));
    if (QFileInfo::exists(path) && !load(plan.key).plan) {
        const QString aside = asideName(path);
        if (!QFile::rename(path, aside))
            return tr("Der beschädigte Plan „%1“ lässt sich nicht beiseitelegen; nichts gespeichert.")
                .arg(QDir::toNativeSeparators(path));
        setAside_ = aside;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return tr("Der Plan „%1“ lässt sich nicht speichern: %2")
            .arg(QDir::toNativeSeparators(path), file.errorString());
    file.write(QJsonDocument(toJson(plan)).toJson());
    if (!file.commit())
        return tr("Der Plan „%1“ lässt sich nicht speichern: %2")
            .arg(QDir::toNativeSeparators(path), file.errorString());
    return QString();
}

QList<RoundKey> PlanStore::savedKeys() const
{
    QList<RoundKey> keys;
    const QStringList names = QDir(folder_).entryList({QStringLiteral("*") + kSuffix}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        if (const auto key = keyOfFileName(name))
            keys << *key;
    }
    return keys;
}
