#pragma once

#include <QWidget>

#include "automation/DesktopDescription.h"
#include "automation/RunnerEngine.h"
#include "recording/ClickPositionRecorder.h"
#include "recording/RecorderService.h"

#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;
class QToolButton;

namespace keyferry {

class RecorderView;

/// Edits one template: name, target application, steps and timing; records a workflow,
/// records click positions and steps through the template in debug mode. Every change goes
/// through `edit`, into the detail pane's draft.
class TemplateEditor final : public QWidget {
public:
    using Edit = std::function<void(const std::function<void(Template&)>&)>;

    TemplateEditor(DesktopServices& desktop, Scheduler& scheduler,
                   std::function<Template()> current, Edit edit, QWidget* parent = nullptr);
    ~TemplateEditor() override;

    /// The draft changed (another template loaded, or an edit): show it.
    void templateChanged();

    void applyRecording(bool replaceAll);
    void recordClickPosition(const Uuid& stepID);
    void setInsertPosition(int position);

    RecorderService& recorder() { return recorder_; }
    RunnerEngine& debugEngine() { return debugEngine_; }
    QLineEdit* nameField() const { return nameField_; }
    QComboBox* targetPicker() const { return targetPicker_; }
    QListWidget* stepList() const { return stepList_; }
    QLabel* duplicateWarning() const { return duplicateWarning_; }
    QPushButton* toolbarButton(const QString& text) const;
    QPushButton* panelButton(const QString& text) const;
    QWidget* stepRow(int index) const;
    QString mainArea() const; ///< "steps", "recording" or "recorded"
    bool isRecordingClick() const { return clickRecorder_ != nullptr; }

private:
    void rebuildSteps();
    void refresh();
    void refreshTargets();
    void recorderChanged();
    void editInPlace(const std::function<void(Template&)>& change);
    void editStep(const Uuid& id, const std::function<void(Step&)>& change, bool rebuild);
    void moveStep(int from, int to);
    QWidget* makeRow(const Template& item, std::size_t index);

    DesktopServices& desktop_;
    DesktopDescription description_; ///< what the desktop offers, for the steps' warnings
    std::function<Template()> current_;
    Edit edit_;
    RecorderService recorder_;
    RunnerEngine debugEngine_;
    std::unique_ptr<ClickPositionRecorder> clickRecorder_;
    bool showRecordingFinished_ = false;
    bool debugRefused_ = false; ///< the last Debug was refused; its reason stays in view
    bool showAdvanced_ = false;
    int insertPosition_ = 0;
    bool editingInRow_ = false;
    RecorderState lastRecorderState_ = RecorderState::idle;

    QLineEdit* nameField_;
    QComboBox* targetPicker_;
    QLabel* duplicateWarning_;
    QStackedWidget* mainArea_;
    QListWidget* stepList_;
    QWidget* debugPanel_;
    QLabel* debugText_;
    QLabel* debugStatus_;
    RecorderView* recorderView_;
    QWidget* recordedPanel_;
    QLabel* recordedCount_;
    QLabel* existingCount_;
    QComboBox* insertPicker_;
    QPushButton* deleteAll_;
    QPushButton* debug_;
    QToolButton* advancedToggle_;
    QWidget* advanced_;
    QLineEdit* countdown_;
    QLineEdit* charDelay_;
    QLineEdit* defaultDelay_;
    QCheckBox* verifyTyped_;
    QCheckBox* clearFirst_;
    std::vector<QPushButton*> buttons_;
    Signal<>::ConnectionId recorderConnection_, stateConnection_, statusConnection_;
};

} // namespace keyferry
