#pragma once

#include "automation/Geometry.h"
#include "automation/RunnerEngine.h"
#include "automation/Scheduler.h"
#include "model/Signal.h"
#include "model/Template.h"
#include "model/TemplateStore.h"
#include "recording/RecorderService.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace keyferry {

/// The open template of one window: a working copy (the draft) of the selected template,
/// written back 2 s after the last change, on save(), when the selection moves and when the
/// session ends. Every edit of the draft goes through here: the step operations, merging a
/// recording and the debug run of the draft. No widget is involved, so all of it runs on
/// virtual time in tests.
class EditSession {
public:
    static constexpr auto autosaveDelay = std::chrono::seconds(2);
    static constexpr auto savedFeedbackTime = std::chrono::seconds(2);

    /// The window's one runner and recorder; the session never starts a table run.
    EditSession(TemplateStore& store, Scheduler& scheduler, RunnerEngine& runner,
                RecorderService& recorder);
    EditSession(const EditSession&) = delete;
    EditSession& operator=(const EditSession&) = delete;
    /// Commits the draft: nothing edited is lost when the pane goes away.
    ~EditSession();

    const std::optional<Template>& draft() const { return draft_; }
    /// The session's clock, for what the editor waits for on its behalf.
    Scheduler& scheduler() { return scheduler_; }
    /// The draft's steps; none without a draft.
    const std::vector<Step>& steps() const;
    bool hasUnsavedChanges() const { return hasUnsavedChanges_; }
    bool showsSavedFeedback() const { return showSavedFeedback_; }

    /// Changes the draft; a change that changes something counts as an edit and restarts
    /// the autosave delay. Nothing happens without a draft.
    void edit(const std::function<void(Template&)>& change);
    /// Writes the draft into the store and saves (nothing when its template is gone).
    /// Returns whether the file now holds it; when not, the draft stays unsaved.
    bool commit();
    /// Save now and show "Saved" for a while (the Save button, Ctrl+S, the autosave).
    void save();

    // Step operations, by position in the draft. Each returns false, changing nothing, for
    // a position outside the steps or a value the step cannot hold.
    void addStep(); ///< appends a Tab step
    bool deleteStep(std::size_t index);
    void deleteAllSteps();
    /// Moves the step at `from` so that it ends up at `to`.
    bool moveStep(std::size_t from, std::size_t to);
    bool setType(std::size_t index, StepType type);
    bool setLabel(std::size_t index, const std::string& label);
    /// Pinned with the label as the first fixed value, "Fixed Value" for an unlabelled
    /// step; unpinning drops the value. Only Text Input steps are pinned.
    bool setPinned(std::size_t index, bool pinned);
    /// An empty value unpins the step.
    bool setFixedValue(std::size_t index, const std::string& value);
    /// Finite and not negative.
    bool setPostDelay(std::size_t index, double seconds);
    /// Not negative.
    bool setRepeatCount(std::size_t index, std::int64_t count);
    bool setArrowDirection(std::size_t index, ArrowDirection direction);
    bool setMouseButton(std::size_t index, MouseButton button);
    bool setClickType(std::size_t index, MouseClickType clickType);
    /// An offset from the target window's top left corner; nothing means "where the mouse
    /// is".
    bool setPosition(std::size_t index, std::optional<Point> position);
    /// Sets or clears the field the step checks before its first key.
    bool setField(std::size_t index, std::optional<FieldIdentity> field);
    /// Where the step with this id is now, if it still exists.
    std::optional<std::size_t> indexOf(const Uuid& id) const;

    // Recording, and merging what was recorded into the draft.
    void startRecording();
    /// A recording ended with steps, and the user has not chosen what to do with them.
    bool offersRecording() const { return offersRecording_; }
    /// Where "insert" puts the recorded steps: 0 is the beginning, n is after step n. After
    /// a recording it is after the last step.
    std::size_t insertPosition() const { return insertPosition_; }
    void setInsertPosition(std::size_t position);
    /// Replaces every step by the recorded ones (Apply on an empty template, Replace All).
    void replaceWithRecording();
    /// Inserts the recorded steps at insertPosition().
    void insertRecording();
    /// Keeps the draft as it was.
    void discardRecording();

    // The debug run of the draft, on the window's runner.
    enum class DebugPhase { none, countdown, step, finished };
    /// A debug run started here holds the window's runner (from Debug until its result is
    /// closed).
    bool isDebugging() const { return debugging_; }
    /// What the debug run started here shows now; `none` while the runner is idle or busy
    /// with a table run.
    DebugPhase debugPhase() const;
    /// The step the debug run waits at, while it does.
    std::optional<std::size_t> debugStepIndex() const;
    /// The step shown, with the placeholder value it types, while the debug run waits.
    const runner_state::DebugStep* debugStep() const;
    /// Seconds left before the debug run begins, during its countdown.
    std::optional<long long> debugCountdown() const;
    /// Whether Debug may start: steps to run and the runner free.
    bool canStartDebug() const;
    /// Starts a debug run of the draft; false, with the reason in debugMessage(), when it
    /// is refused. The reason stays until the draft changes.
    bool startDebug();
    void debugNext();
    void stopDebug();
    /// Leaves the finished debug run's result.
    void dismissDebug();
    /// The runner's message for a debug run, or why the last Debug was refused.
    std::string debugMessage() const;

    /// The draft was loaded, replaced or edited.
    Signal<> draftChanged;
    /// The save state, the recording offer or the debug run changed.
    Signal<> stateChanged;

private:
    void load();
    void markUnsaved();
    bool editStep(std::size_t index, const std::function<void(Step&)>& change);
    void selectionChanged();
    void storeChanged();
    void fileStatusChanged();
    void recorderChanged();
    void runnerChanged();
    void merge(bool replaceAll);

    TemplateStore& store_;
    Scheduler& scheduler_;
    RunnerEngine& runner_;
    RecorderService& recorder_;
    std::optional<Template> draft_;
    bool hasUnsavedChanges_ = false;
    bool showSavedFeedback_ = false;
    Scheduler::TimerId saveTimer_ = 0;
    Scheduler::TimerId feedbackTimer_ = 0;
    bool offersRecording_ = false;
    std::size_t insertPosition_ = 0;
    RecorderState lastRecorderState_ = RecorderState::idle;
    bool debugging_ = false; ///< the runner's current run is this session's debug run
    bool debugRefused_ = false;
    Signal<>::ConnectionId selectionConnection_, storeConnection_, fileStatusConnection_,
        recorderConnection_, runnerStateConnection_, runnerStatusConnection_;
};

} // namespace keyferry
