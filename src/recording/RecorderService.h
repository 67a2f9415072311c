#pragma once

#include "automation/DesktopServices.h"
#include "automation/Scheduler.h"
#include "model/Signal.h"
#include "model/Template.h"
#include "recording/FocusStepBuilder.h"
#include "recording/StartField.h"

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace keyferry {

enum class RecorderState { idle, recording };

/// Builds steps by watching the user work through a form in another application: Tab,
/// Return, the arrow keys and mouse presses become steps, Alt+Space switches the last step
/// between Tab and Text Input, and Escape ends the recording. Every other key and click
/// reaches the application unchanged. The field the user is in when the recording starts (or,
/// from Keyferry's window, once the application comes to the front) is the first step.
///
/// Where the desktop shows no client the keys of others (Wayland), the steps come from the
/// keyboard focus instead: each element the focus enters is a Text Input or Tab step (see
/// FocusStepBuilder), and Escape, kept from the applications by the desktop, ends the
/// recording. Return, the arrow keys and clicks are not seen there.
class RecorderService {
public:
    static constexpr Scheduler::Duration tabSettle = std::chrono::milliseconds(50);
    /// A Tab whose focus has not left the field the Tab before it reached is looked at again
    /// this often, up to the longest wait: a busy application moves the focus late (seen:
    /// Firefox, out of a text area, later than the settle time).
    static constexpr Scheduler::Duration tabFocusPoll = std::chrono::milliseconds(25);
    static constexpr Scheduler::Duration longestTabWait = std::chrono::seconds(1);

    RecorderService(DesktopServices& desktop, Scheduler& scheduler);
    RecorderService(const RecorderService&) = delete;
    RecorderService& operator=(const RecorderService&) = delete;
    ~RecorderService();

    RecorderState state() const { return state_; }
    const std::vector<Step>& recordedSteps() const { return recordedSteps_; }
    const std::optional<std::string>& lastDetectedLabel() const { return lastDetectedLabel_; }
    const std::optional<std::string>& detectedBundleID() const { return detectedBundleID_; }
    /// Alt+Space could not be kept from the window manager, which also received it.
    bool optionSpaceAlsoReachesOthers() const { return optionSpaceAlsoReachesOthers_; }
    /// Steps come from focus changes only: the desktop cannot show Keyferry the keys.
    bool followsFocusOnly() const { return followsFocusOnly_; }

    /// Starts afresh: an empty list, nothing detected, a new tap. `target`: the application
    /// the recording is for, when known; the field the user starts in counts only there.
    void startRecording(std::optional<std::string> target = std::nullopt);
    /// Switches the last step between Tab and Text Input (Alt+Space).
    void toggleLastStepType();

    /// The role and label of the element with keyboard focus; a role only for elements
    /// that take text.
    struct FocusQuery {
        std::optional<ElementRole> role;
        std::optional<std::string> label;
        std::optional<FieldIdentity> field;
    };
    FocusQuery queryFocusedElement();

    /// Emitted after every change of the observable members.
    Signal<> changed;

private:
    /// queryFocusedElement, for a question asked again within moments while the focus moves.
    FocusQuery queryFocusedElementOnceAnnounced();
    void recordStartField(const FocusedElement& field, const RunningApplication& in);
    /// The user acts where the recording goes: where they started is settled.
    void userActed();
    void installEventTap();
    void installFocusWatch();
    void handleFocus(const FocusedElement& element);
    void removeEventTap();
    void cancelPendingTabs();
    void handle(const InputEvent& event);
    void examineFirstTab();
    void recordTab(const FocusQuery& focus);
    void handleReturnEvent();
    void handleArrowEvent(ArrowDirection direction);
    void handleMouseClickEvent(MouseButton button, MouseClickType clickType, Point position);
    void detectApplication();
    void append(Step step);

    DesktopServices& desktop_;
    Scheduler& scheduler_;
    RecorderState state_ = RecorderState::idle;
    std::vector<Step> recordedSteps_;
    std::optional<std::string> lastDetectedLabel_;
    std::optional<std::string> detectedBundleID_;
    bool optionSpaceAlsoReachesOthers_ = false;
    bool followsFocusOnly_ = false;
    std::unique_ptr<InputListener> eventTap_;
    std::unique_ptr<InputListener> focusWatch_;
    std::unique_ptr<InputListener> escapeBinding_;
    FocusStepBuilder focusSteps_;
    StartFieldWatch startField_;
    /// The field the recording started in is a step and nothing came after it yet.
    bool onlyStartField_ = false;
    /// The recording began with the field the user started in.
    bool startFieldRecorded_ = false;
    /// When each Tab not yet examined was pressed, oldest first; one timer examines them.
    std::deque<Scheduler::Duration> pendingTabs_;
    Scheduler::TimerId tabTimer_ = 0;
    /// The field the next Tab leaves, where known: the focus has moved once it is elsewhere.
    std::optional<FieldIdentity> fieldLeft_;
};

} // namespace keyferry
