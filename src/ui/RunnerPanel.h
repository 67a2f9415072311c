#pragma once

#include <QWidget>

#include "automation/JournalRecorder.h"
#include "automation/RunnerEngine.h"

#include <filesystem>
#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QStackedWidget;

namespace keyferry {

/// Starts, follows, pauses, resumes and stops a run of the edited template over the
/// imported table: one row of controls for the runner's current state, the stop shortcut
/// and the runner's status message. Every run is journalled; once it ends, its results are
/// shown from the journal, with the rows that did not land and a way to run just those.
class RunnerPanel final : public QWidget {
    Q_OBJECT

public:
    /// `engine` is the window's runner, which the editor's debug run shares: while
    /// `debugging` holds, the panel shows its idle page with nothing to start.
    RunnerPanel(RunnerEngine& engine, DesktopServices& desktop, std::function<bool()> debugging,
                std::function<Template()> currentTemplate, std::function<const CSVData*()> table,
                std::function<std::filesystem::path()> tableFile, QWidget* parent = nullptr);
    ~RunnerPanel() override;

    RunnerEngine& engine() { return *engine_; }
    /// The 1-based first entry.
    QSpinBox* fromEntry() const { return fromEntry_; }
    /// The button of the page shown that was made with this name ("Start", "Resume from").
    QPushButton* button(const QString& name) const;
    QLabel* statusLabel() const { return status_; }
    /// The page shown for the current state ("idle", "countdown", ...).
    QString pageName() const;
    void refresh();
    QCheckBox* pauseOnInput() const { return pauseOnInput_; }
    QProgressBar* progressBar() const { return progress_; }
    QLabel* progressLabel() const { return progressText_; }
    /// The last run's results: counts per status, and the rows that did not land.
    QLabel* resultSummary() const { return resultSummary_; }
    QListWidget* problemRows() const { return problemRows_; }
    QPushButton* runFailedRows() const { return runFailed_; }
    /// The last run's journal; nothing before a run.
    const std::optional<RunJournal>& lastRun() const { return lastRun_; }

private:
    void start(std::optional<std::size_t> limit);
    void journalStarted(const std::vector<std::size_t>& rows);
    void journalEnded();
    void runFailedRowsAgain();
    void refreshResults();
    QPushButton* addButton(QWidget* page, const QString& text, const char* symbol,
                           const QString& tip, std::function<void()> action);

    RunnerEngine* engine_;
    std::function<bool()> debugging_;
    std::function<Template()> currentTemplate_;
    std::function<const CSVData*()> table_;
    std::function<std::filesystem::path()> tableFile_;
    QStackedWidget* pages_;
    QSpinBox* fromEntry_;
    QLabel* rowTotal_;
    QLabel* countdownText_;
    QProgressBar* progress_;
    QLabel* progressText_;
    QLabel* waitingText_;
    QLabel* pausedText_;
    QLabel* doneText_;
    QPushButton* resumeFrom_;
    QLabel* status_;
    QCheckBox* pauseOnInput_;
    QWidget* results_;
    QLabel* resultSummary_;
    QListWidget* problemRows_;
    QPushButton* runFailed_;
    std::vector<std::pair<QString, QPushButton*>> buttons_; ///< by the name each was made with
    QPushButton* testRun_ = nullptr;
    std::unique_ptr<JournalRecorder> journal_;
    std::optional<RunJournal> lastRun_;
    std::optional<QString> journalProblem_;
    Signal<>::ConnectionId stateConnection_, statusConnection_;
    std::size_t startedConnection_ = 0, endedConnection_ = 0;
};

} // namespace keyferry
