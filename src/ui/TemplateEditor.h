#pragma once

#include <QWidget>

#include "editing/EditSession.h"
#include "recording/ClickPositionRecorder.h"
#include "recording/FieldPicker.h"

#include <map>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QToolButton;

namespace keyferry {

class RecorderView;
class StepTableModel;
class StepTableView;

/// Shows and edits the open template of an edit session: name, target application, the
/// steps as a table, timing; the recording in progress and the choice of how to merge it;
/// the debug run. Every change goes through the session.
class TemplateEditor final : public QWidget {
    Q_OBJECT

public:
    enum class Button {
        addStep,
        deleteAll,
        debug,
        record,
        next,
        stop,
        cancel,
        ok,
        apply,
        replaceAll,
        discard,
        insertAfter
    };

    TemplateEditor(EditSession& session, DesktopServices& desktop, RecorderService& recorder,
                   QWidget* parent = nullptr);
    ~TemplateEditor() override;

    /// Records where the step at `index` clicks, in the target application.
    void recordClickPosition(std::size_t index);
    /// Records the step's field again: the one the user then focuses in the target.
    void recordField(std::size_t index);

    QPushButton* button(Button which) const { return buttons_.at(which); }
    QLineEdit* nameField() const { return nameField_; }
    QComboBox* targetPicker() const { return targetPicker_; }
    QComboBox* insertPicker() const { return insertPicker_; }
    StepTableView* stepTable() const { return stepTable_; }
    StepTableModel* stepModel() const { return stepModel_; }
    QLabel* duplicateWarning() const { return duplicateWarning_; }
    /// Why the last Debug was refused, or the debug run's message.
    QLabel* debugStatus() const { return debugStatus_; }
    QString mainArea() const; ///< "steps", "recording" or "recorded"
    bool isRecordingClick() const { return clickRecorder_ != nullptr; }
    bool isRecordingField() const { return fieldPicker_ != nullptr; }

private:
    void draftChanged();
    void refresh();
    void refreshTargets();
    void activate(const QModelIndex& index);
    /// An edit whose field already shows it: the field is not set again under the cursor.
    void editInPlace(const std::function<void(Template&)>& change);
    QPushButton* addButton(Button which, QWidget* parent, const QString& label, const QString& tip,
                           std::function<void()> action);

    EditSession& session_;
    DesktopServices& desktop_;
    RecorderService& recorder_;
    std::unique_ptr<ClickPositionRecorder> clickRecorder_;
    std::unique_ptr<FieldPicker> fieldPicker_;
    bool showAdvanced_ = false;
    bool editingInPlace_ = false;

    QLineEdit* nameField_;
    QComboBox* targetPicker_;
    QLabel* duplicateWarning_;
    QStackedWidget* mainArea_;
    StepTableModel* stepModel_;
    StepTableView* stepTable_;
    QWidget* debugPanel_;
    QLabel* debugText_;
    QLabel* debugStatus_;
    RecorderView* recorderView_;
    QWidget* recordedPanel_;
    QLabel* recordedCount_;
    QLabel* existingCount_;
    QComboBox* insertPicker_;
    QToolButton* advancedToggle_;
    QWidget* advanced_;
    QLineEdit* countdown_;
    QLineEdit* charDelay_;
    QLineEdit* defaultDelay_;
    QLineEdit* longestFieldWait_;
    QCheckBox* verifyTyped_;
    QCheckBox* clearFirst_;
    QCheckBox* waitForField_;
    std::map<Button, QPushButton*> buttons_;
    Signal<>::ConnectionId draftConnection_, stateConnection_;
};

} // namespace keyferry
