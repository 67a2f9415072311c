#pragma once

#include "automation/DesktopServices.h"
#include "automation/FieldCheck.h"
#include "automation/FieldMatch.h"
#include "automation/Scheduler.h"
#include "automation/Task.h"
#include "automation/UserInputWatch.h"
#include "automation/Waits.h"
#include "automation/WindowBinding.h"
#include "model/Template.h"

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace keyferry {

/// Turns one step into synthesised keyboard and mouse input for the target application,
/// and answers questions about applications and windows.
class AutomationEngine {
public:
    /// One entry of the target application picker.
    struct AppEntry {
        std::string name;
        std::string bundleID;
        friend bool operator==(const AppEntry&, const AppEntry&) = default;
    };

    /// A mouse button's hold, and the pause between the two clicks of a double click.
    static constexpr Scheduler::Duration keyHold = std::chrono::milliseconds(20);
    static constexpr Scheduler::Duration shortPause = std::chrono::milliseconds(50);
    static constexpr Scheduler::Duration activationPoll = std::chrono::milliseconds(100);
    static constexpr int activationPolls = 20;
    /// How long a run waits for the user to answer the desktop's question whether Keyferry
    /// may type, and how often it looks.
    static constexpr Scheduler::Duration inputAccessPatience = std::chrono::minutes(2);
    static constexpr Scheduler::Duration inputAccessPoll = std::chrono::milliseconds(100);
    /// How often a field is read while it may still be catching up (see readBackPatience).
    static constexpr Scheduler::Duration readBackPoll = std::chrono::milliseconds(5);
    /// How often a run looks whether the next step's field has come.
    static constexpr Scheduler::Duration fieldPoll = std::chrono::milliseconds(5);
    /// A page the run waited for may drop the first keys typed into it: its first character
    /// is typed again while the field stays empty this long after it, at most so often.
    static constexpr Scheduler::Duration firstKeyPatience = std::chrono::milliseconds(100);
    static constexpr int firstKeyAttempts = 3;
    /// How long the focus must stay on another element before a run calls it the wrong field.
    static constexpr Scheduler::Duration focusRest = std::chrono::milliseconds(300);
    /// How long a text waits for the focus to leave the field typed before it: at no delay the
    /// Tab that ended that field may not be taken in yet. A Tab the field keeps (a text area)
    /// costs this once.
    static constexpr Scheduler::Duration focusLeavePatience = std::chrono::milliseconds(300);

    /// Whether a step's recorded field had the focus before its first key.
    struct FieldArrival {
        enum class Result { arrived, wrongField, didNotCome };
        Result result = Result::arrived;
        std::optional<FieldIdentity> focused; ///< what had the focus instead, if anything
        bool waited = false;                  ///< it was not there at the first look
    };

    AutomationEngine(DesktopServices& desktop, Scheduler& scheduler);
    AutomationEngine(const AutomationEngine&) = delete;
    AutomationEngine& operator=(const AutomationEngine&) = delete;
    ~AutomationEngine();

    /// Performs one step. `value` is the text of a textInput step. Fails only when a key or
    /// click could not be sent, saying why; a step that could not act (an unplaceable click)
    /// counts as done. Once `cancellation` fires, the bound window loses the focus or the
    /// watched user takes over, nothing more is pressed (keys already down are released) and
    /// the step ends at once. A text input whose field does not show what was typed (when the
    /// settings ask to check) ends before its Tab, so the field stays in view; fieldCheck()
    /// says what was found (unless read back later: see readBackLater). Where the desktop cannot
    /// hold the focus still while it sends, a key that may have reached another window fails the
    /// step, whatever else happened. `thenWait` false leaves out the delay after the step (a run
    /// waiting for the next field instead); a repeated key keeps its gaps.
    Task<Posted> executeStep(Step step, std::optional<std::string> value,
                             Template::Settings settings, std::optional<std::string> targetBundleID,
                             Cancellation cancellation, bool thenWait = true);
    /// Types each user-perceived character, the n-th at n × interCharDelay after the first (a
    /// late character does not delay the ones after it). Fails as soon as a character cannot
    /// be sent.
    Task<Posted> typeText(std::string text, double interCharDelay, Cancellation cancellation);
    /// Readies the keyboard for texts to come (a row's values) without waiting: the time the
    /// desktop needs after that passes while the run waits for the form.
    void prepareAhead(std::string_view text);
    /// The same for texts typed after the form is sent and the next one has come, where the
    /// desktop can do it now (see DesktopServices::prepareTextEarly).
    void prepareEarly(std::string_view text, bool firstKeysReadBack) {
        desktop_.prepareTextEarly(text, firstKeysReadBack);
    }
    /// One key press: down, 20 ms, up; 50 ms more when modifiers were held. Fails when the
    /// key cannot be pressed at all on this keyboard.
    Task<Posted> pressKey(Key key, Modifiers modifiers, Cancellation cancellation);
    /// A single or double click at `position`.
    Task<Posted> performMouseClick(MouseButton button, MouseClickType clickType, Point position,
                                   Cancellation cancellation);
    /// Waits until the desktop lets input go out: at once where it asks nobody; where it asks
    /// the user first (a portal's dialog), until they answer, the run is cancelled or
    /// inputAccessPatience has passed. Fails saying why, for the user.
    Task<Posted> awaitInputAccess(Cancellation cancellation);
    /// Waits until `expected` has the focus and is ready, for at most `longest` (zero: looks
    /// once). Another ready element of the target with the focus ends the wait at once as the
    /// wrong field, except `unmoved`: the element that had the focus before the last step,
    /// which the application has not moved on from yet. The bound window follows the focus into
    /// windows the target opens meanwhile; a focus anywhere else, or in another process than
    /// the bound window's (a stale report), counts as none.
    Task<FieldArrival> awaitField(FieldIdentity expected, std::optional<FieldIdentity> unmoved,
                                  Scheduler::Duration longest, Cancellation cancellation);
    /// The identity of the element with the focus in the bound window's process, if any.
    std::optional<FieldIdentity> focusedField();
    /// Brings the application to the front and waits up to about 2 s until it is there and
    /// holds the keyboard focus.
    Task<bool> activateAndWait(std::string bundleID, Cancellation cancellation);

    /// The first on-screen window of positive size of the application, front to back.
    std::optional<Rect> windowBounds(const std::string& bundleID);
    bool isAppFrontmost(const std::string& bundleID);
    /// Regular applications with a name and an id, sorted by name (plain, case-sensitive,
    /// stable).
    static std::vector<AppEntry> runningApps(DesktopServices& desktop);

    /// Releases every key and button this engine pressed and has not released yet.
    void releaseEverythingPressed();

    /// While set, every key press, character and click first checks that it reaches the
    /// binding's window; once one would not, nothing more is pressed (releases still are)
    /// until the next step, and targetLost() says so. Keeps a run from typing into another
    /// window. The binding must outlive its use here; nullptr unbinds.
    void bindTo(WindowBinding* binding) { binding_ = binding; }
    bool targetLost() const { return targetLost_; }
    /// While set, foreign input seen by the watch halts the run like a lost focus: checked
    /// before every key event, after the desktop has handed over what arrived.
    void watchUser(UserInputWatch* watch) { watch_ = watch; }
    bool userTookOver() const { return watch_ && watch_->isArmed() && watch_->tripped(); }
    /// What reading back the last text input found.
    const FieldCheck& fieldCheck() const { return fieldCheck_; }
    /// While set, a text input does not wait for its field to show the text before its Tab:
    /// the field is held and read by checkTypedFields(), so the application catches up while
    /// the run goes on. Its fieldCheck() then says `held`.
    void readBackLater(bool later) { readBackLater_ = later; }
    /// The next text input is read back before its Tab, even while readBackLater is set; a
    /// field that shows only the end of its text (its first keys lost, as a browser still
    /// taking in a page just loaded loses them) is cleared and typed once more. For the first
    /// field of a page the run waited for. Needs clearing on: a field not cleared may hold
    /// text of its own.
    void checkNextTextAtOnce() { checkAtOnce_ = true; }
    /// What reading the held fields found.
    struct TypedFieldsCheck {
        std::size_t verified = 0;
        std::size_t unread = 0;             ///< gone or no longer readable
        std::optional<FieldCheck> mismatch; ///< the first that does not show its text
    };
    /// Reads the fields held since the last call back, in order, each with the patience its
    /// text gets from the moment it was typed; stops at the first mismatch. Forgets them.
    Task<TypedFieldsCheck> checkTypedFields(Cancellation cancellation);
    /// Forgets the held fields unread (a row given up).
    void forgetTypedFields() {
        typedFields_.clear();
        lastTextField_.reset();
    }
    /// Whether the last step sent every key and click it has (its waits may have been cut).
    bool stepCompleted() const { return !skipped_; }
    /// Whether the window with the keyboard focus belongs to the application.
    bool focusBelongsTo(const std::string& bundleID);

private:
    Task<Posted> performStep(Step step, std::optional<std::string> value,
                             Template::Settings settings, std::optional<std::string> targetBundleID,
                             Cancellation cancellation, bool thenWait);
    /// The focused element, when it is the bound window's process's (or nothing is bound);
    /// `willAskAgain`: by a wait that polls, which may hear of a moving focus a moment later.
    std::optional<FocusedElement> targetFocus(bool willAskAgain = false);
    bool mayPress(const Cancellation& cancellation);
    bool mayClick(Point position, const Cancellation& cancellation);
    /// A stop, a lost focus or the user's hand: what is left of the step is skipped.
    bool halted(const Cancellation& cancellation) {
        const bool halt = targetLost_ || cancellation.isCancelled() || userTookOver();
        skipped_ = skipped_ || halt;
        return halt;
    }
    /// Checks where the event would go and sends it, one step for the desktop. Nothing when
    /// nothing was sent because the run halted or the focus moved.
    template <class Send>
    std::optional<Posted> sendChecked(const Cancellation& cancellation, std::optional<Point> click,
                                      Send send);
    Posted post(Key key, Modifiers modifiers, bool down);
    Posted postButton(MouseButton button, Point position, bool down, int clickState);
    Task<Posted> prepare(std::string_view text, Cancellation cancellation);
    Task<Posted> repeatKey(Key key, std::int64_t count, double gap, Cancellation cancellation);
    Task<Posted> clearField(Cancellation cancellation);
    /// Types `first` until the focused field shows something (see firstKeyPatience).
    Task<Posted> typeFirstUntilShown(std::string first, Cancellation cancellation);
    Task<std::shared_ptr<FieldReading>> holdFieldAfterTheLast(Cancellation cancellation);
    Task<Posted> enterText(const Step& step, const std::optional<std::string>& value,
                           const Template::Settings& settings, Cancellation cancellation);
    Task<FieldCheck> readBack(std::string typed, bool cleared, std::string label,
                              Cancellation cancellation);
    /// A Text Input step on a check box: Space only when its state differs from the value's.
    /// `firstOnPage`: see leaveField.
    Task<Posted> setCheckBox(const Step& step, const std::optional<std::string>& value,
                             const Template::Settings& settings, bool firstOnPage,
                             Cancellation cancellation);
    /// A Text Input step on a list or combo box: the arrow keys move to the option whose text
    /// is the value.
    Task<Posted> choose(const Step& step, FieldChoices choices, const std::string& value,
                        const Template::Settings& settings, bool firstOnPage,
                        Cancellation cancellation);
    /// The Tab that ends a field. `untilLeft`: the field is the first of a page just waited
    /// for and nothing sent into it has shown yet that the page takes keys (an empty cell, a
    /// check box or list already as wanted); a page that still drops keys keeps the focus, so
    /// the Tab goes again while the focus stays on the field, focusLeavePatience each, at most
    /// firstKeyAttempts in all. A Tab taken late then moves one field too far, which the next
    /// step's field check stops at.
    Task<Posted> leaveField(const Step& step, bool untilLeft, Cancellation cancellation);
    /// Whether `shows` comes true within `patience`, looking every readBackPoll.
    Task<bool> showsWithin(std::function<bool()> shows, Scheduler::Duration patience,
                           Cancellation cancellation);
    /// Whether the recorded field still has the focus, showing no text.
    bool focusStaysOn(const FieldIdentity& field);
    /// Selects the option through the accessibility layer and waits until it shows selected;
    /// false where the desktop cannot or it did not come (the arrow keys then choose it).
    Task<bool> selectWithoutKeys(std::size_t option, Cancellation cancellation);
    /// Presses Escape once when the application shows a list or menu that `before` did not
    /// hold: a suggestion list opened while a text was typed, which would take the keys meant
    /// for the next field. Only then: an Escape with nothing open may cancel a dialog. Nothing
    /// when no list had opened; else how the Escape went.
    Task<std::optional<Posted>> closeNewPopups(std::vector<std::string> before,
                                               Cancellation cancellation);
    Task<void> postDelay(double seconds, Cancellation cancellation);
    std::optional<RunningApplication> firstRunning(const std::string& bundleID);

    DesktopServices& desktop_;
    Scheduler& scheduler_;
    const DesktopServices::KeyPacing pacing_;
    std::set<std::pair<Key, std::uint8_t>> keysDown_;
    struct ButtonDown {
        MouseButton button;
        Point position;
    };
    std::vector<ButtonDown> buttonsDown_;
    WindowBinding* binding_ = nullptr;
    UserInputWatch* watch_ = nullptr;
    FieldCheck fieldCheck_;
    struct TypedField {
        std::shared_ptr<FieldReading> field;
        std::string typed;
        bool cleared = false;
        std::string label;
        Scheduler::Duration typedAt{0};
    };
    std::vector<TypedField> typedFields_;
    /// The field the row's last text went into, checked or not: the next text waits for the
    /// focus to leave it.
    std::shared_ptr<FieldReading> lastTextField_;
    /// The lists and menus shown before the last text was typed.
    std::vector<std::string> popupsBeforeText_;
    bool readBackLater_ = false;
    bool checkAtOnce_ = false;
    bool targetLost_ = false;
    bool skipped_ = false;
};

} // namespace keyferry
