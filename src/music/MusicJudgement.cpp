#include "music/MusicJudgement.h"
#include "common/FileNames.h"
#include "common/NumberText.h"
#include "rules/RuleTables.h"
#include "common/StopwatchClock.h"
#include "rules/Win1252.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cmath>

namespace {

LengthFit fitOfLength(double seconds, const RuleTarget& target)
{
    if (target.danceTimeMax <= 0 && target.danceTimeMin <= 0)
        return LengthFit::Unknown;
    if (seconds >= std::max(target.danceTimeMin, target.danceTimeMax))
        return LengthFit::Covers;
    return seconds >= target.danceTimeMin ? LengthFit::MinimumOnly : LengthFit::TooShort;
}

} // namespace

QString failureText(const FileAnalysis& analysis)
{
    return failureText(analysis.failure, analysis.detail);
}

QString failureText(DecodeFailure failure, const QString& detail)
{
    QString text;
    switch (failure) {
    case DecodeFailure::CannotOpen:
        text = QCoreApplication::translate("MusicJudgement", "Datei lässt sich nicht öffnen");
        break;
    case DecodeFailure::Empty:
        text = QCoreApplication::translate("MusicJudgement", "Datei ist leer");
        break;
    case DecodeFailure::NoAudioStream:
        text = QCoreApplication::translate("MusicJudgement", "Keine Tonspur in der Datei");
        break;
    case DecodeFailure::Undecodable:
        text = QCoreApplication::translate("MusicJudgement", "Beschädigt oder unbekanntes Format");
        break;
    case DecodeFailure::NoSamples:
        text = QCoreApplication::translate("MusicJudgement", "Keine Audiodaten");
        break;
    case DecodeFailure::BrokenOff:
        text = QCoreApplication::translate("MusicJudgement", "Datei bricht vorzeitig ab");
        break;
    case DecodeFailure::NotResponding:
        return QCoreApplication::translate("MusicJudgement", "Datei antwortet nicht");
    case DecodeFailure::Cancelled:
        return QCoreApplication::translate("MusicJudgement", "Abgebrochen");
    case DecodeFailure::None:
        return QCoreApplication::translate("MusicJudgement", "Kein gleichmäßiger Takt erkannt");
    }
    return detail.isEmpty() ? text : text + " (" + detail + ")";
}

namespace {

QString factorText(double factor)
{
    static const struct {
        double value;
        const char* text;
    } fractions[] = {{0.25, "1/4"}, {1.0 / 3, "1/3"}, {0.5, "1/2"}, {2.0 / 3, "2/3"},
                     {1.5, "3/2"},  {2, "2"},         {3, "3"},     {4, "4"}};
    for (const auto& fraction : fractions)
        if (std::abs(fraction.value - factor) < 1e-9)
            return QString::fromUtf8("×") + fraction.text;
    return QString::fromUtf8("×") + formatFixed(factor, 2);
}

QString lengthText(LengthFit fit)
{
    switch (fit) {
    case LengthFit::Covers:
        return QCoreApplication::translate("MusicJudgement", "reicht");
    case LengthFit::MinimumOnly:
        return QCoreApplication::translate("MusicJudgement", "nur Minimum");
    case LengthFit::TooShort:
        return QCoreApplication::translate("MusicJudgement", "zu kurz");
    case LengthFit::Unknown:
        break;
    }
    return QString();
}

QString Quoted(const QString& field)
{
    if (!field.contains(';') && !field.contains('"') && !field.contains('\n') && !field.contains('\r'))
        return field;
    return '"' + QString(field).replace("\"", "\"\"") + '"';
}

} // namespace

int beatsPerBarOfRow(const RuleRow* row)
{
    if (!row)
        return 4;
    bool barsOk = false;
    bool metroOk = false;
    const TempoRange bars = parseBarsPerMin(row->barsPerMin, &barsOk);
    // Markings run to three digits ("100-104"), beyond what the bar texts' parser reads.
    const double metro = row->metroValue.section('-', 0, 0).trimmed().toDouble(&metroOk);
    if (!barsOk || !metroOk || bars.min <= 0 || metro <= 0)
        return 4;
    const int beats = int(std::lround(metro / bars.min));
    return beats >= 1 && beats <= 12 ? beats : 4;
}

FileAnalysis settledByRange(FileAnalysis analysis, int beatsPerBar, std::optional<TempoRange> range)
{
    if (!analysis.onsets || !range || !range->valid())
        return analysis;
    const RangeReading reading = readInRange(*analysis.onsets, beatsPerBar, *range);
    if (reading.beatsPerMinute <= 0)
        return analysis;
    analysis.beatsPerMinute = reading.beatsPerMinute;
    analysis.tempoConfidence = reading.confidence;
    analysis.alternativeBeatsPerMinute = reading.rivalBeatsPerMinute;
    return analysis;
}

OctaveChoice octaveOf(const FileAnalysis& analysis, int beatsPerBar, std::optional<TempoRange> range)
{
    // An ear that tapped a slow piece is not overruled by the range it misses.
    if (analysis.tempoTapped)
        return chooseOctave(analysis.beatsPerMinute, beatsPerBar, std::nullopt);
    return chooseOctave(analysis.beatsPerMinute, beatsPerBar, range);
}

MusicVerdict judge(const FileAnalysis& analysed, const RuleTarget& target)
{
    const FileAnalysis analysis = settledByRange(analysed, target.beatsPerBar, target.range);
    MusicVerdict verdict;
    verdict.tempoKnown = analysis.ok() && analysis.beatsPerMinute > 0;
    if (!verdict.tempoKnown)
        return verdict;
    verdict.tempoUncertain = analysis.tempoUncertain();
    verdict.choice = octaveOf(analysis, target.beatsPerBar, target.range);
    const double bars = verdict.choice.barsPerMinute;
    verdict.listedBars = std::round(bars * 10.0) * 0.1;
    double playedSeconds = analysis.seconds;
    // An empty range (0 to 0) is no target, as for chooseOctave: its bound would ask for a change of -100 %.
    if (target.range && target.range->valid()) {
        const TempoRange& range = *target.range;
        const bool inside = range.min <= verdict.listedBars && verdict.listedBars <= range.max;
        verdict.tone = analysis.tempoUncertain() ? RowTone::Black : inside ? RowTone::Green : RowTone::Red;
        const double nearest = bars < range.min ? range.min : bars > range.max ? range.max : bars;
        verdict.toNearestBound = inside ? 0.0 : adaptationPercent(bars, nearest);
        verdict.toMiddle = adaptationPercent(bars, (range.min + range.max) / 2);
        playedSeconds = analysis.seconds * 100.0 / (100.0 + *verdict.toNearestBound);
    }
    verdict.length = fitOfLength(playedSeconds, target);
    if (verdict.tempoUncertain && analysis.alternativeBeatsPerMinute > 0) {
        const double rival =
            chooseOctave(analysis.alternativeBeatsPerMinute, target.beatsPerBar, target.range).barsPerMinute;
        verdict.alternativeBars = std::round(rival * 10.0) * 0.1;
    }
    return verdict;
}

QStringList verdictHeader()
{
    return {QCoreApplication::translate("MusicJudgement", "Datei"),
            QCoreApplication::translate("MusicJudgement", "Länge"),
            QCoreApplication::translate("MusicJudgement", "Takte/min"),
            QCoreApplication::translate("MusicJudgement", "Regel"),
            QCoreApplication::translate("MusicJudgement", "zur Grenze"),
            QCoreApplication::translate("MusicJudgement", "zur Mitte"),
            QCoreApplication::translate("MusicJudgement", "Tanzzeit"),
            QCoreApplication::translate("MusicJudgement", "Hinweis")};
}

QString readablePath(const QString& path)
{
    if (!hasForeignBytes(path))
        return path;
    QString readable;
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t c = path.at(i).unicode();
        // The lone surrogates that stand for bytes; a pair's second half is a character's.
        const bool byte = c >= 0xDC80 && c <= 0xDCFF && !(i > 0 && path.at(i - 1).isHighSurrogate());
        readable += byte ? fromWin1252(QByteArray(1, char(c - 0xDC00))) : QString(path.at(i));
    }
    return readable;
}

QStringList verdictFields(const FileAnalysis& analysis, const MusicVerdict& verdict, TimeFormat format)
{
    QStringList fields(8);
    fields[0] = readablePath(QFileInfo(analysis.path).fileName());
    if (analysis.ok())
        fields[1] = clockText(std::llround(analysis.seconds * 1000), format);
    if (!verdict.tempoKnown) {
        fields[7] = failureText(analysis);
        return fields;
    }
    if (verdict.tempoUncertain) {
        // No figure to act on: the player must not stretch by it, nor the operator trust a colour.
        fields[2] = QCoreApplication::translate("MusicJudgement", "unsicher");
        fields[6] = lengthText(verdict.length);
        const QString bars = formatFixed(verdict.listedBars, 1);
        fields[7] = verdict.alternativeBars > 0
                        ? QCoreApplication::translate("MusicJudgement", "unsicher: %1 oder %2 Takte/min")
                              .arg(bars, formatFixed(verdict.alternativeBars, 1))
                        : QCoreApplication::translate("MusicJudgement", "unsicher: %1 Takte/min").arg(bars);
        return fields;
    }
    fields[2] = formatFixed(verdict.listedBars, 1, 7);
    if (verdict.tone != RowTone::Black)
        fields[3] = verdict.tone == RowTone::Green ? QCoreApplication::translate("MusicJudgement", "ja")
                                                   : QCoreApplication::translate("MusicJudgement", "nein");
    if (verdict.toNearestBound)
        fields[4] = rulePercentText(*verdict.toNearestBound);
    if (verdict.toMiddle)
        fields[5] = rulePercentText(*verdict.toMiddle);
    fields[6] = lengthText(verdict.length);
    if (analysis.tempoTapped)
        fields[7] = QCoreApplication::translate("MusicJudgement", "getippt");
    else if (verdict.choice.chosen())
        fields[7] = QCoreApplication::translate("MusicJudgement", "gewählt: ") + factorText(verdict.choice.factor);
    return fields;
}

QString rowsAsText(const QStringList& header, const QList<QStringList>& rows)
{
    // A tab or line break inside a file name would shift the columns or split the row.
    auto line = [](const QStringList& fields) {
        QStringList escaped;
        for (QString field : fields)
            escaped << field.replace('\t', QLatin1String("\\t"))
                           .replace('\n', QLatin1String("\\n"))
                           .replace('\r', QLatin1String("\\r"));
        return escaped.join('\t') + '\n';
    };
    QString text = line(header);
    for (const QStringList& row : rows)
        text += line(row);
    return text;
}

QString rowsAsCsv(const QStringList& header, const QList<QStringList>& rows)
{
    auto line = [](const QStringList& fields) {
        QStringList quoted;
        for (const QString& field : fields)
            quoted << Quoted(field);
        return quoted.join(';') + "\r\n";
    };
    QString csv = line(header);
    for (const QStringList& row : rows)
        csv += line(row);
    return csv;
}
