#pragma once

#include <QWidget>

#include "automation/RunnerEngine.h"

#include <functional>
#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QStackedWidget;

namespace keyferry {

/// Starts, follows, pauses, resumes and stops a run of the edited template over the
/// imported table: one row of controls for the runner's current state, the stop shortcut
/// and the runner's status message.
class RunnerPanel final : public QWidget {
public:
    RunnerPanel(DesktopServices& desktop, Scheduler& scheduler, AccessibilityChecker* checker,
                std::function<Template()> currentTemplate, std::function<const CSVData*()> table,
                QWidget* parent = nullptr);
    ~RunnerPanel() override;

    RunnerEngine& engine() { return *engine_; }
    /// The 1-based first entry.
    QSpinBox* fromEntry() const { return fromEntry_; }
    QPushButton* button(const QString& text) const;
    QLabel* statusLabel() const { return status_; }
    /// The page shown for the current state ("idle", "countdown", ...).
    QString pageName() const;
    void refresh();

private:
    void start(std::optional<std::size_t> limit);
    QPushButton* addButton(QWidget* page, const QString& text, const char* symbol,
                           const QString& tip, std::function<void()> action);

    std::unique_ptr<RunnerEngine> engine_;
    std::function<Template()> currentTemplate_;
    std::function<const CSVData*()> table_;
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
    std::vector<QPushButton*> buttons_;
    Signal<>::ConnectionId stateConnection_, statusConnection_;
};

} // namespace keyferry
