#pragma once
#include "music/AnalysisCache.h"
#include "widgets/EmbeddedForm.h"
#include "music/MusicAnalysisQueue.h"
#include "music/MusicJudgement.h"

struct ProgramState;
struct RuleRow;
class DelimitedListBox;
class QLabel;
class QProgressBar;
class QPushButton;

// Check music: a list of audio files, each analysed once for its length and
// pulse, and judged against the chosen dance's rule row; a change of dance
// judges the list again without analysing.
class MusicCheckWindow : public EmbeddedForm {
    Q_OBJECT
public:
    // What a row of the list shows: the rule's verdict with a symbol before it.
    static QStringList shownFields(const QStringList& fields);
    // cacheFile: where analyses persist; empty means the user's cache folder.
    explicit MusicCheckWindow(ProgramState& state, const QString& cacheFile = QString(), QWidget* parent = nullptr);

    // Files as they are, folders with every audio file below them; files
    // already in the list are not added twice.
    void addPaths(const QStringList& paths);
    // The dance selection changed: row is the chosen rule row, or null.
    void danceChanged(const RuleRow* row);
    void timeFormatChanged(TimeFormat format) override;

    void filesClicked();
    void folderClicked();
    void copyClicked();
    void saveClicked();
    void clearClicked();
    void cancelClicked();
    // Offers the marked rows' files to the round the play music window plans.
    void useInRoundClicked();
    // Offers the first marked row's file for pre-listening on the headphones.
    void prelistenClicked();
    // Writes the list as CSV; false (after a warning) when it cannot.
    bool saveCsv(const QString& path);
    QString listAsText() const;

    MusicAnalysisQueue& queue() { return queue_; }
    const RuleTarget& target() const { return target_; }

    DelimitedListBox* resultList = nullptr;
    QLabel* targetLabel = nullptr;
    QProgressBar* progressBar = nullptr;
    QPushButton* cancelButton = nullptr;
    QPushButton* filesButton = nullptr;
    QPushButton* folderButton = nullptr;
    QPushButton* copyButton = nullptr;
    QPushButton* saveButton = nullptr;
    QPushButton* clearButton = nullptr;
    QPushButton* helpButton = nullptr;
    QPushButton* useInRoundButton = nullptr;
    QPushButton* prelistenButton = nullptr;

signals:
    // The marked rows' files, and the analyses of those already analysed.
    void useInRound(const QStringList& paths, const QList<FileAnalysis>& analysed);
    void prelisten(const FileAnalysis& analysis);

protected:
    void applyLanguage() override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createControls();
    void analysed(const FileAnalysis& analysis);
    void progressChanged(int done, int total);
    // A row's eight texts, as listed, copied and saved.
    QStringList fieldsOf(int index) const;
    void showRow(int index);
    void showAllRows();
    void showTarget();
    QList<QStringList> rowFields() const;
    QList<int> markedRows() const;
    QColor rowColour(const QStringList& fields) const;

    ProgramState& state_;
    AnalysisCache cache_;
    MusicAnalysisQueue queue_;
    RuleTarget target_;
    // One per list row, in the same order; pending until its analysis is back.
    struct Entry {
        FileAnalysis analysis;
        bool pending = true;
    };
    QList<Entry> entries_;
};
