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
class TFrmMusikPruefen : public EmbeddedForm {
    Q_OBJECT
public:
    // cacheFile: where analyses persist; empty means the user's cache folder.
    explicit TFrmMusikPruefen(ProgramState& state, const QString& cacheFile = QString(), QWidget* parent = nullptr);

    // Files as they are, folders with every audio file below them; files
    // already in the list are not added twice.
    void AddPaths(const QStringList& paths);
    // The dance selection changed: row is the chosen rule row, or null.
    void DanceChanged(const RuleRow* row);
    void TimeFormatChanged(TimeFormat format) override;

    void BT_FilesClick();
    void BT_FolderClick();
    void BT_CopyClick();
    void BT_SaveClick();
    void BT_ClearClick();
    void BT_CancelClick();
    void BT_HelpClick();
    // Writes the list as CSV; false (after a warning) when it cannot.
    bool SaveCsv(const QString& path);
    QString ListAsText() const;

    MusicAnalysisQueue& queue() { return queue_; }
    const RuleTarget& target() const { return target_; }

    DelimitedListBox* List = nullptr;
    QLabel* LB_Target = nullptr;
    QProgressBar* Progress = nullptr;
    QPushButton* BT_Cancel = nullptr;
    QPushButton* BT_Files = nullptr;
    QPushButton* BT_Folder = nullptr;
    QPushButton* BT_Copy = nullptr;
    QPushButton* BT_Save = nullptr;
    QPushButton* BT_Clear = nullptr;
    QPushButton* BT_Help = nullptr;

protected:
    void applyLanguage() override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createControls();
    void Analysed(const FileAnalysis& analysis);
    void ProgressChange(int done, int total);
    // A row's eight texts, as listed, copied and saved.
    QStringList fieldsOf(int index) const;
    void showRow(int index);
    void showAllRows();
    void showTarget();
    QList<QStringList> rowFields() const;
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
