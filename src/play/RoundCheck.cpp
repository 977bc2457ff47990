#include "play/RoundCheck.h"
#include "common/FileNames.h"
#include "music/MusicJudgement.h"
#include "play/TrackFigures.h"
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {

QString heatText(const RunningDance& dance, const DancePlan& plan, int heat)
{
    if (plan.heats <= 1)
        return dance.name;
    return QCoreApplication::translate("RoundCheck", "%1, Durchgang %2").arg(dance.name).arg(heat + 1);
}

} // namespace

QStringList roundProblems(const RoundPlan& plan, const RunningOrder& order, const AnalysisLookup& analysis)
{
    QStringList problems;
    if (!order.valid()) {
        problems << order.problem;
        return problems;
    }
    for (int d = 0; d < order.dances.size(); ++d) {
        const RunningDance& dance = order.dances[d];
        const DancePlan dancePlan = plan.dances.value(d, DancePlan{1, {}, dance.danceTimeMin, std::nullopt});
        if (dancePlan.tracks.isEmpty()) {
            problems << QCoreApplication::translate("RoundCheck", "%1: keine Musik gewählt").arg(dance.name);
            continue;
        }
        const Clamped time = clampDanceSeconds(dancePlan.danceSeconds, dance);
        if (time.clamped)
            problems << dance.name + QStringLiteral(": ") + time.note;
        // Each track once, named by the first heat that plays it.
        const int heats = std::max(1, std::min<int>(dancePlan.heats, dancePlan.tracks.size()));
        for (int heat = 0; heat < heats; ++heat) {
            const QString& path = dancePlan.tracks[heat];
            const QString where = heatText(dance, dancePlan, heat);
            const QString file = readablePath(QFileInfo(path).fileName());
            const std::optional<FileStatus> status = fileStatus(path);
            if (!status) {
                problems << QCoreApplication::translate("RoundCheck", "%1: „%2“ fehlt").arg(where, file);
                continue;
            }
            QFile readable;
            if (!status->isFile || !openForReading(readable, path)) {
                problems << QCoreApplication::translate("RoundCheck", "%1: „%2“ ist nicht lesbar").arg(where, file);
                continue;
            }
            const std::optional<FileAnalysis> found = analysis ? analysis(path) : std::nullopt;
            if (!found) {
                problems
                    << QCoreApplication::translate("RoundCheck", "%1: „%2“ ist noch nicht analysiert").arg(where, file);
                continue;
            }
            const TrackFigures figures = trackFigures(*found, TrackTags{}, dance, dancePlan, plan.settings);
            for (const QString& warning : figures.warningTexts())
                problems << QCoreApplication::translate("RoundCheck", "%1: „%2“: %3").arg(where, file, warning);
        }
    }
    return problems;
}

QStringList checkSavedRounds(const PlanStore& store, const RuleTables& tables, const AnalysisLookup& analysis)
{
    QStringList problems;
    for (const RoundKey& key : store.savedKeys()) {
        const QString title = roundTitle(key);
        const LoadedPlan loaded = store.load(key);
        if (!loaded.plan) {
            problems << title + QStringLiteral(": ") + loaded.error;
            continue;
        }
        for (const QString& problem : roundProblems(*loaded.plan, runningOrder(tables, key), analysis))
            problems << title + QStringLiteral(": ") + problem;
    }
    return problems;
}
