#pragma once

#include <QWidget>

#include "automation/AccessibilityChecker.h"
#include "automation/DesktopServices.h"
#include "automation/Scheduler.h"
#include "model/TemplateStore.h"

#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace keyferry {

class CSVPanel;
class TemplateEditor;
class RunnerPanel;

/// The right pane: edits a working copy (the draft) of the selected template and writes it
/// back 2 s after the last change, on Ctrl+S, when the selection moves and when the pane or
/// the application goes away. Holds the CSV panel and the runner panel.
class TemplateDetailView final : public QWidget {
public:
    static constexpr auto autosaveDelay = std::chrono::seconds(2);
    static constexpr auto savedFeedbackTime = std::chrono::seconds(2);

    TemplateDetailView(TemplateStore& store, DesktopServices& desktop, Scheduler& scheduler,
                       AccessibilityChecker* checker, QWidget* parent = nullptr);
    ~TemplateDetailView() override;

    const std::optional<Template>& draft() const { return draft_; }
    /// Changes the draft the way the editor does; every change counts as an edit.
    void editDraft(const std::function<void(Template&)>& change);
    /// Writes the draft into the store and saves (nothing when its template is gone).
    /// Returns whether the file now holds it.
    bool commitDraft();
    /// The Save button and Ctrl+S: commit now and show "Saved".
    void saveDraft();

    bool hasUnsavedChanges() const { return hasUnsavedChanges_; }
    bool showsSavedFeedback() const { return showSavedFeedback_; }
    QPushButton* saveButton() const { return saveButton_; }
    QPushButton* runnerButton() const { return runnerButton_; }
    QLabel* statusText() const { return statusText_; }
    QLineEdit* nameField() const;
    TemplateEditor* editor() const { return editor_; }
    CSVPanel* csvPanel() const { return csvPanel_; }
    RunnerPanel* runnerPanel() const { return runnerPanel_; }
    void toggleRunner();

private:
    void loadDraft();
    void markUnsaved();
    void selectionChanged();
    void storeChanged();
    void fileStatusChanged();
    void refresh();
    void tableChanged();

    TemplateStore& store_;
    DesktopServices& desktop_;
    Scheduler& scheduler_;
    AccessibilityChecker* checker_;
    std::optional<Template> draft_;
    bool hasUnsavedChanges_ = false;
    bool showSavedFeedback_ = false;
    bool showRunner_ = false;
    Scheduler::TimerId saveTimer_ = 0;
    Scheduler::TimerId feedbackTimer_ = 0;

    QLabel* statusIcon_;
    QLabel* statusText_;
    QPushButton* saveButton_;
    TemplateEditor* editor_ = nullptr;
    CSVPanel* csvPanel_;
    QPushButton* runnerButton_;
    QWidget* runnerDivider_;
    RunnerPanel* runnerPanel_ = nullptr;
    QVBoxLayout* layout_;
    Signal<>::ConnectionId selectionConnection_, storeConnection_, fileStatusConnection_;
};

} // namespace keyferry
