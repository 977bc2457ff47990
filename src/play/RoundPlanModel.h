#pragma once
#include "play/PlanStore.h"
#include "play/RoundPlan.h"
#include "play/RunningOrder.h"
#include <QObject>
#include <QStringList>
#include <optional>

// The round the player window shows and edits: its running order and its
// plan, saved through the store on every change, so that nothing is lost when
// the program ends (or is ended) in the middle of a tournament.
class RoundPlanModel : public QObject {
    Q_OBJECT

public:
    static constexpr double MaxFadeSeconds = 30;
    static constexpr double MaxGapSeconds = 600;
    static constexpr double MaxChangeLimitPercent = 50;

    explicit RoundPlanModel(PlanStore& store, QObject* parent = nullptr);

    // Opens a round with the rule tables loaded now: its saved plan fitted to
    // the running order, or the defaults. Returns what the operator must be
    // told: a damaged plan file (kept, see PlanStore), times clamped into
    // changed rules, a class or round the tables lack.
    QStringList open(const RuleTables& tables, const RoundKey& key);
    // Fits the open plan to tables that changed (a change of language or of
    // the rule data); says what it clamped.
    QStringList rulesChanged(const RuleTables& tables);
    void close();
    bool isOpen() const { return open_; }

    const RunningOrder& order() const { return order_; }
    const RoundPlan& plan() const { return plan_; }
    const RunningDance* dance(int index) const;

    // Every change saves; those that clamp say so in the answer.
    Clamped setHeats(int dance, int heats);
    void setTracks(int dance, const QStringList& tracks);
    void addTracks(int dance, const QStringList& tracks);
    void removeTrack(int dance, int index);
    // Puts a file in place of one of the dance's tracks (a moved file found again, a track swapped).
    void replaceTrack(int dance, int index, const QString& track);
    void moveTrack(int dance, int from, int to);
    Clamped setDanceSeconds(int dance, int seconds);
    void setDanceTarget(int dance, std::optional<double> barsPerMinute);
    void setFadeSeconds(double seconds);
    void setStart(StartPoint start);
    void setBetweenHeats(BetweenHeats between, double gapSeconds = 0);
    void setChangeLimitPercent(double percent);
    void setTypedTarget(std::optional<double> barsPerMinute);

    // Empty when the last save succeeded.
    const QString& saveError() const { return saveError_; }

signals:
    void planChanged();
    // A save failed; the plan in memory is kept and saved again at the next change.
    void saveFailed(const QString& error);

private:
    bool validDance(int dance) const;
    void changed();

    PlanStore& store_;
    bool open_ = false;
    RunningOrder order_;
    RoundPlan plan_;
    QString saveError_;
};
