#include "play/RoundPlan.h"

bool RoundSettings::operator==(const RoundSettings& other) const
{
    return fadeSeconds == other.fadeSeconds && start == other.start && betweenHeats == other.betweenHeats &&
           gapSeconds == other.gapSeconds && changeLimitPercent == other.changeLimitPercent &&
           typedTarget == other.typedTarget;
}

bool DancePlan::operator==(const DancePlan& other) const
{
    return heats == other.heats && tracks == other.tracks && danceSeconds == other.danceSeconds &&
           typedTarget == other.typedTarget;
}

bool RoundPlan::operator==(const RoundPlan& other) const
{
    return key == other.key && settings == other.settings && dances == other.dances;
}

RoundPlan RoundPlan::defaultFor(const RunningOrder& order)
{
    RoundPlan plan;
    plan.key = order.key;
    for (const RunningDance& dance : order.dances) {
        DancePlan dancePlan;
        dancePlan.danceSeconds = dance.danceTimeMin;
        plan.dances << dancePlan;
    }
    return plan;
}

QStringList RoundPlan::fitTo(const RunningOrder& order)
{
    QStringList notes;
    key = order.key;
    while (dances.size() > order.dances.size())
        dances.removeLast();
    for (int i = 0; i < order.dances.size(); ++i) {
        const RunningDance& dance = order.dances[i];
        if (i == dances.size()) {
            DancePlan fresh;
            fresh.danceSeconds = dance.danceTimeMin;
            dances << fresh;
            continue;
        }
        const Clamped time = clampDanceSeconds(dances[i].danceSeconds, dance);
        dances[i].danceSeconds = time.value;
        if (time.clamped)
            notes << dance.name + QStringLiteral(": ") + time.note;
        dances[i].heats = clampHeats(dances[i].heats).value;
    }
    return notes;
}

QString RoundPlan::trackOfHeat(int dance, int heat) const
{
    if (dance < 0 || dance >= dances.size() || heat < 0)
        return QString();
    const QStringList& tracks = dances[dance].tracks;
    return tracks.isEmpty() ? QString() : tracks[heat % tracks.size()];
}

int RoundPlan::heatCount(int dance) const
{
    return dance >= 0 && dance < dances.size() ? dances[dance].heats : 0;
}

Clamped clampDanceSeconds(int seconds, const RunningDance& dance)
{
    const int low = dance.danceTimeMin > 0 ? dance.danceTimeMin : 1;
    const int high = dance.danceTimeMax >= low ? dance.danceTimeMax : std::max(low, seconds);
    Clamped answer;
    answer.value = qBound(low, seconds, high);
    answer.clamped = answer.value != seconds;
    if (!answer.clamped)
        return answer;
    if (dance.danceTimeMin > 0 && dance.danceTimeMax > dance.danceTimeMin)
        answer.note = RoundPlan::tr("Tanzzeit auf %1 s gesetzt: die Regel erlaubt %2–%3 s.")
                          .arg(answer.value)
                          .arg(dance.danceTimeMin)
                          .arg(dance.danceTimeMax);
    else if (dance.danceTimeMin > 0)
        answer.note =
            RoundPlan::tr("Tanzzeit auf %1 s gesetzt: die Regel schreibt %2 s vor.").arg(answer.value).arg(low);
    else
        answer.note = RoundPlan::tr("Tanzzeit auf %1 s gesetzt: sie muss positiv sein.").arg(answer.value);
    return answer;
}

Clamped clampHeats(int heats)
{
    Clamped answer;
    answer.value = qBound(1, heats, RoundPlan::MaxHeats);
    answer.clamped = answer.value != heats;
    if (answer.clamped)
        answer.note = RoundPlan::tr("Anzahl der Durchgänge auf %1 gesetzt: erlaubt sind 1 bis %2.")
                          .arg(answer.value)
                          .arg(RoundPlan::MaxHeats);
    return answer;
}

std::optional<double> targetTempo(const RunningDance& dance, const DancePlan& plan, const RoundSettings& settings)
{
    if (plan.typedTarget && *plan.typedTarget > 0)
        return plan.typedTarget;
    if (settings.typedTarget && *settings.typedTarget > 0)
        return settings.typedTarget;
    if (dance.tempo.valid())
        return (dance.tempo.min + dance.tempo.max) / 2;
    return std::nullopt;
}
