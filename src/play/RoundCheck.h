#pragma once
#include "music/MusicAnalysis.h"
#include "play/PlanStore.h"
#include "play/RoundPlan.h"
#include <QStringList>
#include <functional>
#include <optional>

// The analysis of a file as far as it is known (from the cache, or analysed
// on the spot); nothing when it is not.
using AnalysisLookup = std::function<std::optional<FileAnalysis>(const QString& path)>;

// Every problem of one round's plan, one text each, in the language in use:
// dances without music, missing or unreadable files, files not analysed,
// and each track's warnings (out of the rule range after the change limit,
// too short, too quiet or too loud).
QStringList roundProblems(const RoundPlan& plan, const RunningOrder& order, const AnalysisLookup& analysis);

// The problems of every plan saved in the store at once, each text led by the
// round's title; damaged plan files and rounds the tables lack are problems too.
QStringList checkSavedRounds(const PlanStore& store, const RuleTables& tables, const AnalysisLookup& analysis);
