#pragma once
#include <QString>
#include <array>
#include <optional>

// The four disciplines with a rule table, in the order of the discipline selector.
enum class Discipline { RnR = 0, Boogie = 1, Ballroom = 2, Latin = 3 };
constexpr int DisciplineCount = 4;

struct RuleRow {
    QString name;
    QString variant;
    QString barsPerMin;
    QString metroValue;
    QString danceTime;
};

struct RuleTable {
    static constexpr int MaxRows = 11;
    QString source;
    int rowCount = 0;
    int capacity = 0; // 11, 7, 6 or 5 by discipline
    std::array<RuleRow, MaxRows> rows;
};

// Capacity and file name of a discipline's table.
int tableCapacity(Discipline discipline);
QString ruleFileName(Discipline discipline);

// Equal after upper-casing the ASCII letters a-z only; the whole text counts.
bool keysEqual(const QString& a, const QString& b);

// A tempo range in bars per minute, inclusive; 0 to 0 stands for none.
struct TempoRange {
    double min = 0;
    double max = 0;
    bool valid() const { return max > 0; }
};
// "48-50" (exactly five characters) gives 48 and 50; any other text is one
// value for both, 0 when it is not a number. ok is false when a five-character
// text's halves are not numbers.
TempoRange parseBarsPerMin(const QString& text, bool* ok = nullptr);
// which = 1 minimum, 2 maximum, in whole seconds; the last character is the unit.
int parseDanceTime(const QString& text, int which);

// A dancing time as the rules write it ("90-120s", "80s"). The text is what
// the windows show; the seconds are read from it, 0 where it gives none.
struct DanceTime {
    QString text;
    int min() const { return parseDanceTime(text, 1); }
    int max() const { return parseDanceTime(text, 2); }
};

// Whether the two conversions read the text as what it says, not as the 0 (or
// the cut number) they give for what they cannot read: a tempo is a positive
// number or a range "48-50" whose low end is not above its high end; a dancing
// time has positive whole seconds in the places parseDanceTime reads, the low
// end not above the high end, and a unit, not a digit, as its last character.
bool barsPerMinReadable(const QString& text);
bool danceTimeReadable(const QString& text);

// The four tables of the main window.
class RuleTables {
public:
    RuleTables();
    RuleTable& table(Discipline d) { return tables_[static_cast<size_t>(d)]; }
    const RuleTable& table(Discipline d) const { return tables_[static_cast<size_t>(d)]; }

    // Row index of the first / last row whose Name (and Variant, when given)
    // match; nullopt when none does.
    std::optional<int> findFirstRow(Discipline d, const QString& name,
                                    const std::optional<QString>& variant = std::nullopt) const;
    std::optional<int> findLastRow(Discipline d, const QString& name,
                                   const std::optional<QString>& variant = std::nullopt) const;

    // The row a choice of the dance selection stands for; every window that
    // judges a tempo against the rules asks here, so all judge against the
    // same row. With a round, the first row of class and round; without, the
    // first row of the class or dance, except that Rock'n'Roll's one class
    // without rounds takes its last row.
    std::optional<int> findChosenRow(Discipline d, const QString& name, const std::optional<QString>& round) const;

private:
    static bool rowMatches(const RuleRow& row, const QString& name, const std::optional<QString>& variant);

    std::array<RuleTable, DisciplineCount> tables_;
};
