// Prints, for each audio file, its length in seconds and the tempo the
// analysis finds in beats and bars per minute, tab-separated, one file a
// line; with --range it reads and chooses the tempo in the range as the
// window does. A last column gives the confidence; an uncertain tempo is
// printed as "uncertain" with the two readings in bars per minute instead of
// a figure.
#include "music/MusicAnalysis.h"
#include "common/FileNames.h"
#include "common/Language.h"
#include "music/MusicAnalysisQueue.h"
#include "music/MusicJudgement.h"
#include "ToolOptions.h"
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <optional>

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: musictempo FILE... [--beats-per-bar N] [--range MIN-MAX]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // The failures are reported in English, as the rest of the tool speaks.
    useLanguage(Language::English);
    // Not app.arguments(): it replaces the bytes of names that are no UTF-8.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << pathFromNative(QByteArray(argv[i]));
    int beatsPerBar = 4;
    std::optional<TempoRange> range;
    QStringList files;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == "--beats-per-bar" && i + 1 < args.size()) {
            const auto beats = parseBeatsPerBar(args[++i]);
            if (!beats)
                return Usage();
            beatsPerBar = *beats;
        }
        else if (arg == "--range" && i + 1 < args.size()) {
            range = parseRange(args[++i]);
            if (!range)
                return Usage();
        }
        else if (arg.startsWith("--")) {
            return Usage();
        }
        else {
            files << arg;
        }
    }
    if (files.isEmpty())
        return Usage();
    int failures = 0;
    for (const QString& file : files) {
        FileAnalysis analysis;
        analysis.path = file;
        // As the window does: a pipe or device given by mistake would block the tool for good.
        if (!MusicAnalysisQueue::probeOpens(file, analysis.detail))
            analysis.failure = DecodeFailure::CannotOpen;
        else
            analysis = settledByRange(analyseFile(file), beatsPerBar, range);
        if (!analysis.ok() || analysis.beatsPerMinute <= 0) {
            std::fprintf(stderr, "musictempo: %s: %s\n", nativePath(file).constData(),
                         qPrintable(failureText(analysis)));
            ++failures;
            continue;
        }
        const OctaveChoice choice = chooseOctave(analysis.beatsPerMinute, beatsPerBar, range);
        if (analysis.tempoUncertain()) {
            const double rival = chooseOctave(analysis.alternativeBeatsPerMinute, beatsPerBar, range).barsPerMinute;
            std::printf("%s\t%.2f\tuncertain\t%.2f or %.2f\t%.2f\n", nativePath(file).constData(), analysis.seconds,
                        choice.barsPerMinute, rival, analysis.tempoConfidence);
            continue;
        }
        std::printf("%s\t%.2f\t%.2f\t%.2f\t%.2f\n", nativePath(file).constData(), analysis.seconds,
                    choice.barsPerMinute * beatsPerBar, choice.barsPerMinute, analysis.tempoConfidence);
    }
    return failures > 0 ? 1 : 0;
}
