#pragma once
#include "music/AnalysisCache.h"
#include "music/MusicAnalysisQueue.h"
#include "play/PlanStore.h"
#include "play/Prelistener.h"
#include "play/RoundPlanModel.h"
#include "play/RoundPlayer.h"
#include "play/TrackTags.h"
#include "widgets/EmbeddedForm.h"
#include <QHash>
#include <QThreadPool>
#include <memory>

struct ProgramState;
class PeakMeter;
class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;

// Play music: the running order of the round chosen in the dance panel, the
// tracks of each dance with their figures, and the player that plays the
// round heat by heat at the rules' tempo, faded out inside the dancing time.
// The plan is saved on every change; the keyboard drives the round (Space
// starts the next heat, F fades now, Escape stops).
class PlayMusicWindow : public EmbeddedForm {
    Q_OBJECT
public:
    // planFolder and cacheFile: empty for the user's own folders.
    explicit PlayMusicWindow(ProgramState& state, const QString& planFolder = QString(),
                             const QString& cacheFile = QString(), QWidget* parent = nullptr);
    ~PlayMusicWindow() override;

    // Adds files to a dance of the round (the selected one when -1).
    void addTracks(const QStringList& paths, int dance = -1);
    // Files the check music window offers: they go to the dance chosen in the
    // dance panel (else the one selected here), each once, with the analyses
    // already made. Says where they went.
    QString useTracks(const QStringList& paths, const QList<FileAnalysis>& analysed = {});
    // A file's analysis changed in the check music window (its tempo was
    // tapped): the round's tracks of that file are figured by it from now on.
    void analysisChanged(const FileAnalysis& analysis);
    void removeClicked();
    void addClicked();
    void checkClicked();
    // Starts the next heat, first asking for its file where it has moved away.
    void startClicked();
    // Puts another file in place of the track the next heat plays.
    void replaceClicked();
    // Pre-listens the selected track on the headphones, or stops it.
    void prelistenClicked();
    // Pre-listens a file of the check music window as the chosen dance of the
    // round would play it (unchanged without one), or stops it when it plays;
    // says why it cannot.
    QString prelistenFile(const FileAnalysis& analysis);
    // The dance a tree row stands for (a dance or one of its tracks); -1 for none.
    int danceOfItem(const QTreeWidgetItem* item) const;
    void timeFormatChanged(TimeFormat) override { showTree(); }

    RoundPlanModel& model() { return model_; }
    RoundPlayer& player() { return player_; }
    MusicAnalysisQueue& queue() { return queue_; }
    Prelistener& prelistener() { return prelistener_; }

    QLabel* roundLabel = nullptr;
    QTreeWidget* danceTree = nullptr;
    QPushButton* addButton = nullptr;
    QPushButton* removeButton = nullptr;
    QLabel* heatsLabel = nullptr;
    QSpinBox* heatsSpin = nullptr;
    QLabel* danceTimeLabel = nullptr;
    QSpinBox* danceTimeSpin = nullptr;
    QPushButton* checkButton = nullptr;
    QPushButton* replaceButton = nullptr;
    QLabel* fadeLabel = nullptr;
    QSpinBox* fadeSpin = nullptr;
    QCheckBox* fileStartCheck = nullptr;
    QLabel* gapLabel = nullptr;
    QSpinBox* gapSpin = nullptr;
    QLabel* nowLabel = nullptr;
    QLabel* clockLabel = nullptr;
    QLabel* nextLabel = nullptr;
    QLabel* problemLabel = nullptr;
    QPushButton* startButton = nullptr;
    QPushButton* fadeButton = nullptr;
    QPushButton* stopButton = nullptr;
    QPushButton* replayButton = nullptr;
    QPushButton* skipButton = nullptr;
    QPushButton* slowerButton = nullptr;
    QPushButton* slowerTenthButton = nullptr;
    QPushButton* fasterTenthButton = nullptr;
    QPushButton* fasterButton = nullptr;
    QPushButton* helpButton = nullptr;
    QPushButton* prelistenButton = nullptr;
    QPushButton* prelistenBackButton = nullptr;
    QPushButton* prelistenForwardButton = nullptr;
    QLabel* prelistenLabel = nullptr;
    PeakMeter* hallMeter = nullptr;
    PeakMeter* prelistenMeter = nullptr;

protected:
    void fitFigureColumns();
    void applyLanguage() override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createControls();
    void layOutControls();
    void createShortcuts();
    void connectControls();
    void openChosenRound();
    void planChanged();
    void showTree();
    void showDanceSettings();
    void showPlayer();
    void showClock();
    void showPrelisten();
    void showLevels();
    void playerChanged();
    void prelistenTrack(const QString& path, const std::optional<TrackFigures>& figures);
    void analysed(const FileAnalysis& analysis);
    void analyseTracks();
    int selectedDance() const;
    std::optional<TrackFigures> figuresOf(int dance, const QString& path);
    // The file name until the tags are read, off this thread: a file on a
    // hung share must not block the window.
    TrackTags tagsOf(const QString& path);
    void tagsRead(const QString& path, const TrackTags& tags);
    void fillTrackItem(QTreeWidgetItem* item, int dance, const QString& path);
    void tell(const QStringList& notes);
    // The heat that starts next: playing on, the one after the heat playing.
    std::optional<HeatPlace> comingHeat() const;
    // Asks for a file in place of the heat's track; false when the operator cancels.
    bool askForTrack(const HeatPlace& heat, const QString& question);

    ProgramState& state_;
    PlanStore store_;
    RoundPlanModel model_;
    AnalysisCache cache_;
    MusicAnalysisQueue queue_;
    RoundPlayer player_;
    Prelistener prelistener_;
    bool heatPlaying_ = false;
    QHash<QString, FileAnalysis> analyses_;
    QHash<QString, TrackTags> tags_;
    std::unique_ptr<QThreadPool> tagReader_;
    QString notes_;
    bool showing_ = false;
};
