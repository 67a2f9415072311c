#pragma once

#include <QWidget>

#include "automation/AccessibilityChecker.h"
#include "automation/DesktopServices.h"
#include "automation/Scheduler.h"
#include "editing/EditSession.h"
#include "model/TemplateStore.h"

#include <functional>
#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace keyferry {

class CSVPanel;
class TemplateEditor;
class RunnerPanel;

/// The right pane: the edit session of the selected template (its draft is written back
/// 2 s after the last change, on Ctrl+S, when the selection moves and when the pane or the
/// application goes away), with the editor, the CSV panel and the runner panel.
class TemplateDetailView final : public QWidget {
    Q_OBJECT

public:
    static constexpr auto autosaveDelay = EditSession::autosaveDelay;
    static constexpr auto savedFeedbackTime = EditSession::savedFeedbackTime;

    /// `runner` and `recorder` are the window's; the debug run and the table runs share the
    /// runner.
    TemplateDetailView(TemplateStore& store, DesktopServices& desktop, Scheduler& scheduler,
                       AccessibilityChecker* checker, RunnerEngine& runner,
                       RecorderService& recorder, QWidget* parent = nullptr);
    ~TemplateDetailView() override;

    EditSession& session() { return *session_; }
    const std::optional<Template>& draft() const { return session_->draft(); }
    /// Changes the draft the way the editor does; every change counts as an edit.
    void editDraft(const std::function<void(Template&)>& change) { session_->edit(change); }
    /// Writes the draft into the store and saves (nothing when its template is gone).
    /// Returns whether the file now holds it.
    bool commitDraft() { return session_->commit(); }
    /// The Save button and Ctrl+S: commit now and show "Saved".
    void saveDraft() { session_->save(); }

    bool hasUnsavedChanges() const { return session_->hasUnsavedChanges(); }
    bool showsSavedFeedback() const { return session_->showsSavedFeedback(); }
    QPushButton* saveButton() const { return saveButton_; }
    QPushButton* runnerButton() const { return runnerButton_; }
    QLabel* statusText() const { return statusText_; }
    QLineEdit* nameField() const;
    TemplateEditor* editor() const { return editor_; }
    CSVPanel* csvPanel() const { return csvPanel_; }
    RunnerPanel* runnerPanel() const { return runnerPanel_; }
    void toggleRunner();

private:
    void draftChanged();
    void refresh();
    void tableChanged();

    TemplateStore& store_;
    DesktopServices& desktop_;
    Scheduler& scheduler_;
    AccessibilityChecker* checker_;
    RunnerEngine& runner_;
    std::unique_ptr<EditSession> session_;
    bool showRunner_ = false;

    QLabel* statusIcon_;
    QLabel* statusText_;
    QPushButton* saveButton_;
    TemplateEditor* editor_ = nullptr;
    CSVPanel* csvPanel_;
    QPushButton* runnerButton_;
    QWidget* runnerDivider_;
    RunnerPanel* runnerPanel_ = nullptr;
    QVBoxLayout* layout_;
    Signal<>::ConnectionId draftConnection_, stateConnection_;
};

} // namespace keyferry
