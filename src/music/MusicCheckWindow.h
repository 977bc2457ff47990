#pragma once
#include "music/AnalysisCache.h"
#include "widgets/EmbeddedForm.h"
#include "music/MusicAnalysisQueue.h"
#include "music/MusicJudgement.h"
#include "music/TappedTempo.h"
#include <memory>
#include <optional>

struct ProgramState;
struct RuleRow;
class DelimitedListBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;
class TrackPlayback;

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
    ~MusicCheckWindow() override;

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
    // Plays the first marked row's file in the hall to tap its tempo along
    // (T or Space, once a bar), or ends the playing.
    void tapClicked();
    // One tap while a file plays; the steady tapped tempo replaces the
    // detected one in the row and the cache.
    void tapped();
    bool tapping() const { return tapping_.has_value(); }
    void stopTapping();
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
    QPushButton* tapButton = nullptr;
    QTimer* tapTimer = nullptr; // polls the playing file

signals:
    // The marked rows' files, and the analyses of those already analysed.
    void useInRound(const QStringList& paths, const QList<FileAnalysis>& analysed);
    void prelisten(const FileAnalysis& analysis);
    // A file's tempo was tapped: its analysis now carries the tapped tempo.
    void tempoTapped(const FileAnalysis& analysis);

protected:
    void applyLanguage() override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void layOutControls();
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
    bool tapKey(QObject* watched, QEvent* event);
    void tapTimerFired();
    void showTapping();
    int rowOfPath(const QString& path) const;

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
    // The file played to tap along, and the taps so far.
    std::unique_ptr<TrackPlayback> tapPlayback_;
    std::optional<TappedTempo> tapping_;
    QString tappingPath_;
    bool tapTaken_ = false; // a steady tempo replaced the detected one
};
