#include "play/RoundPlanModel.h"
#include <cmath>

RoundPlanModel::RoundPlanModel(PlanStore& store, QObject* parent)
    : QObject(parent),
      store_(store)
{
}

QStringList RoundPlanModel::open(const RuleTables& tables, const RoundKey& key)
{
    QStringList notes;
    order_ = runningOrder(tables, key);
    if (!order_.problem.isEmpty())
        notes << order_.problem;
    const LoadedPlan loaded = store_.load(key);
    if (!loaded.error.isEmpty())
        notes << loaded.error;
    if (loaded.plan) {
        plan_ = *loaded.plan;
        // Only the times of a valid order are judged: tables without the
        // round must not cut away the dances a saved plan holds.
        if (order_.valid())
            notes << plan_.fitTo(order_);
    }
    else {
        plan_ = RoundPlan::defaultFor(order_);
    }
    open_ = true;
    saveError_.clear();
    emit planChanged();
    return notes;
}

QStringList RoundPlanModel::rulesChanged(const RuleTables& tables)
{
    if (!open_)
        return {};
    order_ = runningOrder(tables, plan_.key);
    QStringList notes;
    if (!order_.problem.isEmpty())
        notes << order_.problem;
    else
        notes << plan_.fitTo(order_); // saved with the operator's next change, like a freshly opened plan
    emit planChanged();
    return notes;
}

void RoundPlanModel::close()
{
    open_ = false;
    order_ = RunningOrder{};
    plan_ = RoundPlan{};
    emit planChanged();
}

const RunningDance* RoundPlanModel::dance(int index) const
{
    return index >= 0 && index < order_.dances.size() ? &order_.dances[index] : nullptr;
}

bool RoundPlanModel::validDance(int dance) const
{
    return open_ && dance >= 0 && dance < plan_.dances.size();
}

void RoundPlanModel::changed()
{
    saveError_ = store_.save(plan_);
    if (!saveError_.isEmpty())
        emit saveFailed(saveError_);
    emit planChanged();
}

Clamped RoundPlanModel::setHeats(int dance, int heats)
{
    const Clamped answer = clampHeats(heats);
    if (validDance(dance) && plan_.dances[dance].heats != answer.value) {
        plan_.dances[dance].heats = answer.value;
        changed();
    }
    return answer;
}

void RoundPlanModel::setTracks(int dance, const QStringList& tracks)
{
    if (!validDance(dance) || plan_.dances[dance].tracks == tracks)
        return;
    plan_.dances[dance].tracks = tracks;
    changed();
}

void RoundPlanModel::addTracks(int dance, const QStringList& tracks)
{
    if (validDance(dance))
        setTracks(dance, plan_.dances[dance].tracks + tracks);
}

void RoundPlanModel::removeTrack(int dance, int index)
{
    if (!validDance(dance) || index < 0 || index >= plan_.dances[dance].tracks.size())
        return;
    plan_.dances[dance].tracks.removeAt(index);
    changed();
}

void RoundPlanModel::replaceTrack(int dance, int index, const QString& track)
{
    if (!validDance(dance) || index < 0 || index >= plan_.dances[dance].tracks.size() || track.isEmpty())
        return;
    QStringList tracks = plan_.dances[dance].tracks;
    tracks[index] = track;
    setTracks(dance, tracks);
}

void RoundPlanModel::moveTrack(int dance, int from, int to)
{
    if (!validDance(dance))
        return;
    QStringList& tracks = plan_.dances[dance].tracks;
    if (from < 0 || from >= tracks.size() || to < 0 || to >= tracks.size() || from == to)
        return;
    tracks.move(from, to);
    changed();
}

Clamped RoundPlanModel::setDanceSeconds(int dance, int seconds)
{
    if (!validDance(dance) || dance >= order_.dances.size())
        return Clamped{seconds, false, QString()};
    const Clamped answer = clampDanceSeconds(seconds, order_.dances[dance]);
    if (plan_.dances[dance].danceSeconds != answer.value) {
        plan_.dances[dance].danceSeconds = answer.value;
        changed();
    }
    return answer;
}

void RoundPlanModel::setDanceTarget(int dance, std::optional<double> barsPerMinute)
{
    if (barsPerMinute && !(std::isfinite(*barsPerMinute) && *barsPerMinute > 0))
        barsPerMinute.reset();
    if (!validDance(dance) || plan_.dances[dance].typedTarget == barsPerMinute)
        return;
    plan_.dances[dance].typedTarget = barsPerMinute;
    changed();
}

void RoundPlanModel::setFadeSeconds(double seconds)
{
    const double fade = std::isfinite(seconds) ? qBound(0.0, seconds, MaxFadeSeconds) : 0.0;
    if (!open_ || plan_.settings.fadeSeconds == fade)
        return;
    plan_.settings.fadeSeconds = fade;
    changed();
}

void RoundPlanModel::setStart(StartPoint start)
{
    if (!open_ || plan_.settings.start == start)
        return;
    plan_.settings.start = start;
    changed();
}

void RoundPlanModel::setBetweenHeats(BetweenHeats between, double gapSeconds)
{
    const double gap = std::isfinite(gapSeconds) ? qBound(0.0, gapSeconds, MaxGapSeconds) : 0.0;
    if (!open_ || (plan_.settings.betweenHeats == between && plan_.settings.gapSeconds == gap))
        return;
    plan_.settings.betweenHeats = between;
    plan_.settings.gapSeconds = gap;
    changed();
}

void RoundPlanModel::setChangeLimitPercent(double percent)
{
    const double limit = std::isfinite(percent) ? qBound(0.0, percent, MaxChangeLimitPercent) : 0.0;
    if (!open_ || plan_.settings.changeLimitPercent == limit)
        return;
    plan_.settings.changeLimitPercent = limit;
    changed();
}

void RoundPlanModel::setTypedTarget(std::optional<double> barsPerMinute)
{
    if (barsPerMinute && !(std::isfinite(*barsPerMinute) && *barsPerMinute > 0))
        barsPerMinute.reset();
    if (!open_ || plan_.settings.typedTarget == barsPerMinute)
        return;
    plan_.settings.typedTarget = barsPerMinute;
    changed();
}
