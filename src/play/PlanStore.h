#pragma once
#include "play/RoundPlan.h"
#include <QCoreApplication>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <optional>

struct ProgramState;

// A plan read back from its file.
struct LoadedPlan {
    std::optional<RoundPlan> plan; // nothing when none was saved or it is damaged
    // Why the saved file could not be used; the file stays where it is until
    // the next save sets it aside. Empty when it was read or there is none.
    QString error;
};

// The round plans, one JSON file per round in one folder. Each save is
// written whole beside its file and then takes its place, so a crash never
// leaves half a plan. A file that cannot be read back is never overwritten:
// the save first renames it aside ("….damaged", numbered where taken).
class PlanStore {
    Q_DECLARE_TR_FUNCTIONS(PlanStore)

public:
    // The folder the program keeps them in: "rounds" in the user's data folder.
    static QString defaultFolder(const ProgramState& state);

    explicit PlanStore(QString folder);
    const QString& folder() const { return folder_; }

    QString fileOf(const RoundKey& key) const;
    LoadedPlan load(const RoundKey& key) const;
    // Empty on success, else why it failed (the old file then stays as it was).
    QString save(const RoundPlan& plan);
    // The keys of every plan file in the folder, damaged ones included.
    QList<RoundKey> savedKeys() const;
    // Where the last save set a damaged file aside; empty when it did not.
    const QString& setAside() const { return setAside_; }

    static QJsonObject toJson(const RoundPlan& plan);
    // Nothing, with the reason in error, when the object is no plan.
    static std::optional<RoundPlan> fromJson(const QJsonObject& object, QString* error);
    static std::optional<RoundKey> keyOfFileName(const QString& fileName);

private:
    QString folder_;
    QString setAside_;
};
