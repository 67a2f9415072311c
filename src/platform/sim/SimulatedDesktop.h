#pragma once

#include "automation/DesktopDescription.h"
#include "automation/DesktopServices.h"
#include "automation/Scheduler.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace keyferry {

/// An in-memory desktop: applications with windows, a front application, and forms whose
/// fields react to keys and clicks the way a simple toolkit form does. It records every
/// event posted to it with its time, and lets a test act as the user. Not a mock: it is a
/// second, complete implementation of the desktop services.
class SimulatedDesktop final : public DesktopServices {
public:
    struct Field {
        std::string name; ///< accessible name, from its label
        ElementRole role = ElementRole::textField;
        std::string description;
        std::string placeholder;
        std::string text;
        Rect frame; ///< in desktop coordinates
        std::vector<std::string>
            choices;             ///< a combo box's or list's entries, chosen with the arrows
        bool checked = false;    ///< a check box's state; Space toggles it
        bool acceptsText = true; ///< false for buttons and the like
        bool allSelected = false;
        /// How fields get what was typed wrong: a length limit, characters a filter refuses,
        /// a suggestion shown once the text typed so far begins it, no readable text.
        std::optional<std::size_t> maxLength; ///< in code points
        std::string refused;
        std::string completion;
        bool readable = true;
        /// Its options can be selected through the accessibility layer, without a key.
        bool selectable = false;
        /// What a list opened under it while it is typed suggests (an address the browser
        /// learnt, a datalist): it opens once the text typed so far begins one of them.
        std::vector<std::string> suggestions;
        /// What besides the name identifies it: its id, the named groups it lies in.
        std::string id;
        std::vector<std::string> context;

        /// What the field shows: its text, or the completion it suggests for it.
        std::string shown() const {
            return !completion.empty() && !text.empty() && completion.starts_with(text) ? completion
                                                                                        : text;
        }

        /// A field named by its label.
        static Field named(std::string name, ElementRole role = ElementRole::textField) {
            Field field;
            field.name = std::move(name);
            field.role = role;
            return field;
        }
    };

    /// A form in an application: Tab and Shift+Tab move the focus, Return submits.
    struct Form {
        std::vector<Field> fields;
        std::size_t focused = 0;
        /// The field texts at each Return, in order.
        std::vector<std::vector<std::string>> submissions;
        /// A busy application: Tab moves the focus only this long after the key.
        Scheduler::Duration focusLag{0};
        /// A web form: Return sends it and the page loads this long, with nothing ready,
        /// before the form is there again with its first field focused.
        Scheduler::Duration reloadTime{0};
        bool loading = false;
        /// After loading, the page's document (an unnamed element) has the focus this long
        /// before the first field does.
        Scheduler::Duration documentFirst{0};
        bool documentFocused = false;
        /// A page still taking itself in once loaded: this many of the first characters
        /// typed after each load are lost (a browser under load was seen to drop them).
        std::size_t charactersLostAfterLoad = 0;
        std::size_t stillLost = 0;
        /// An application that checks what it is sent: the errors it finds in a form's texts
        /// (none: it takes them). A form refused comes back with its texts and those errors.
        std::function<std::vector<std::string>(const std::vector<std::string>&)> check;
        /// What the page announces as wrong now.
        std::vector<std::string> announced;
        /// A page that takes no key at all for this long once loaded, though its first field
        /// has the focus: a Tab goes nowhere as a character does (Firefox, seen after a load).
        Scheduler::Duration deafAfterLoad{0};
        Scheduler::Duration deafUntil{0};
        /// A suggestion list open under the field at `field`. It stays open while the focus
        /// moves on by Tab (a browser closes it late) and takes the arrow keys, whichever
        /// field has the focus: each moves its highlight and fills that field with the
        /// suggestion highlighted. Escape closes it; Return takes the suggestion and closes it.
        struct SuggestionList {
            std::size_t field = 0;
            std::optional<std::size_t> highlighted;
        };
        std::optional<SuggestionList> suggesting;
    };

    struct PostedEvent {
        enum class Kind { keyDown, keyUp, character, mouseDown, mouseUp };
        Scheduler::Duration time{0};
        Kind kind = Kind::keyDown;
        Key key = Key::other;
        Modifiers modifiers;
        std::string text;
        MouseButton button = MouseButton::left;
        Point position;
        int clickState = 0;
        int frontProcessID = 0; ///< the application that was in front when it arrived
        /// The window it reached: the focused one for keys, the one under the point for
        /// clicks; 0 for none.
        WindowID window = 0;
    };

    explicit SimulatedDesktop(Scheduler& scheduler);

    // ---- building the desktop ----

    /// Adds a running application; returns its process id.
    int addApplication(std::string bundleID, std::string name, bool regular = true);
    /// Adds a window in front of the others, without giving it the focus.
    WindowID addWindow(int processID, Rect frame, bool visible = true);
    /// The application opens a window (a dialog when `transientFor` is set): it comes to the
    /// front with the focus, as a new window does.
    WindowID openWindow(int processID, Rect frame, std::optional<WindowID> transientFor = {});
    /// Like openWindow, with the id of a window closed before: X servers hand a new client
    /// the ids of one that went away.
    WindowID openWindowReusing(WindowID id, int processID, Rect frame);
    /// The window closes; the focus returns to the window it belonged to, else to the next
    /// window of its application.
    void closeWindow(WindowID window);
    /// The user (or another program) gives one particular window the focus.
    void focusWindow(WindowID window);
    /// Called whenever a key press reaches the application, after its form handled it: lets
    /// a test make the application react (open a dialog, say).
    void onKey(int processID, std::function<void(Key, Modifiers)> reaction);
    /// Called after every posted event: lets a test make posting take time.
    std::function<void()> afterEachPost;
    /// Runs once, inside the next posted event, before the event lands: the focus moving
    /// between the check and the key, as on a desktop that cannot hold input routing. The
    /// desktop then reports the key as possibly gone astray.
    std::function<void()> beforeNextEventLands;
    /// Gives the application a form; fields without a frame get one in its front window.
    Form& addForm(int processID, std::vector<Field> fields);
    Form* form(int processID);
    /// Marks the application as Keyferry itself.
    void setOwnApplication(int processID) { ownProcessID_ = processID; }
    void quitApplication(int processID);

    /// Makes an application frontmost, as the user switching windows would; its front
    /// window gets the focus.
    void bringToFront(int processID);
    std::optional<int> frontProcessID() const { return front_; }
    std::optional<WindowID> focusedWindowID() const { return focused_; }
    /// Activation requests for this application are refused.
    void setActivationRefused(int processID, bool refused);
    /// Activation takes effect only after this long.
    void setActivationLag(Scheduler::Duration lag) { activationLag_ = lag; }
    /// Key combinations some other program already owns: a filtering tap cannot take them.
    void reserveCombination(KeyCombination combination) { reserved_.push_back(combination); }

    void setTrusted(bool trusted) { trusted_ = trusted; }
    /// What this desktop is to say it lacks, and why (it offers everything else).
    void setMissing(Capability capability, std::string why) {
        missing_[capability] = std::move(why);
    }
    const std::map<Capability, std::string>& missingCapabilities() const { return missing_; }
    /// Characters this desktop cannot type, as where only the layout's characters can be:
    /// canType() refuses them and posting one fails.
    void setUntypable(std::set<std::string> characters) { untypable_ = std::move(characters); }
    /// The waits the next key preparations ask for, one each, as a desktop still busy with
    /// what came before (a paste not fetched yet) does; none once they are used up.
    void setKeyWaits(std::deque<Duration> waits) { keyWaits_ = std::move(waits); }
    /// Input needs the user's consent, as through a desktop portal: the first requestInput()
    /// asks, and `answer` comes `after` that (never, without it). A refusal is given once; the
    /// next request asks again.
    void setInputConsent(InputAccess answer, std::optional<Scheduler::Duration> after) {
        consent_ = Consent{std::move(answer), after, std::nullopt};
    }
    /// How many times input access was asked for.
    int inputRequests() const { return inputRequests_; }
    /// Any posting fails while this is set (an event that cannot be created).
    void setPostingFails(bool fails) { postingFails_ = fails; }
    void setPointer(Point p) { pointer_ = p; }
    int beeps() const { return beeps_; }
    /// Taps and monitors installed now.
    std::size_t listenerCount() const { return listeners_.size(); }
    int promptsShown() const { return prompts_; }

    // ---- what happened ----

    const std::vector<PostedEvent>& postedEvents() const { return posted_; }
    void clearPostedEvents() { posted_.clear(); }
    void clearPreparations() { preparations_.clear(); }
    /// A text the keyboard was readied for, and when; `early`: before the form was sent, and
    /// then whether the run said it reads the next page's first keys back.
    struct Preparation {
        Scheduler::Duration time{0};
        std::string text;
        bool early = false;
        bool firstKeysReadBack = false;
    };
    const std::vector<Preparation>& preparations() const { return preparations_; }
    /// Keys or buttons posted down and not yet up.
    std::vector<std::string> heldDown() const;

    // ---- the user's own input ----

    /// The user presses a key: taps and monitors see it; the front form gets it unless a
    /// filtering tap consumed it.
    void userKey(Key key, Modifiers modifiers = {});
    /// The user clicks: taps see it; a left click raises the window under the point and
    /// focuses the field there.
    void userClick(MouseButton button, Point position, int clickState = 1);
    /// Tells every tap that the desktop disabled it (as a slow tap would be).
    void disableTaps();

    // ---- DesktopServices ----
    Posted postKey(Key key, Modifiers modifiers, bool down) override;
    Posted postCharacter(std::string_view character) override;
    Posted postMouseButton(MouseButton button, Point position, bool down, int clickState) override;
    Expected<Duration> prepareText(std::string_view text) override {
        preparations_.push_back({scheduler_.now(), std::string(text)});
        return Duration{0};
    }
    void prepareTextEarly(std::string_view text, bool firstKeysReadBack) override {
        preparations_.push_back({scheduler_.now(), std::string(text), true, firstKeysReadBack});
    }
    Expected<Duration> prepareKey(Key, Modifiers) override {
        if (keyWaits_.empty())
            return Duration{0};
        const Duration wait = keyWaits_.front();
        keyWaits_.pop_front();
        return wait;
    }
    bool canType(std::string_view character) override {
        return !untypable_.contains(std::string(character));
    }
    InputAccess requestInput() override;
    std::optional<Point> pointerLocation() override { return pointer_; }
    std::unique_ptr<InputListener> listen(std::vector<InputEvent::Type> types,
                                          Callback callback) override;
    std::unique_ptr<InputListener> listenAndConsume(std::vector<InputEvent::Type> types,
                                                    std::vector<KeyCombination> consume,
                                                    Callback callback) override;
    std::unique_ptr<InputListener> monitorKeys(Callback callback) override;
    std::vector<WindowInfo> windowList() override;
    std::vector<RunningApplication> runningApplications() override;
    std::optional<RunningApplication> frontmostApplication() override;
    bool activate(const RunningApplication& application) override;
    std::vector<Rect> ownVisibleWindows() override;
    bool isOwnApplicationActive() override { return front_ && front_ == ownProcessID_; }
    std::optional<WindowID> focusedWindow() override;
    Posted holdInputRouting() override;
    Posted confirmDelivery() override;
    std::optional<WindowID> windowAt(Point position) override;
    std::vector<WindowID> topLevelWindows() override;
    std::optional<WindowFacts> windowFacts(WindowID window) override;
    bool isTrusted() override { return trusted_; }
    bool isTrustedWithPrompt() override;
    std::optional<FocusedElement> focusedElement() override;
    std::optional<FieldText> focusedFieldText() override;
    std::unique_ptr<FieldReading> holdFocusedField() override;
    std::optional<bool> focusedCheckState() override;
    std::optional<FieldChoices> focusedChoices() override;
    bool selectChoice(std::size_t index) override;
    std::vector<std::string> shownPopups() override;
    std::vector<std::string> announcedErrors() override;
    void beep() override { ++beeps_; }

private:
    std::map<Capability, std::string> missing_;
    struct Application {
        RunningApplication info;
        bool refusesActivation = false;
        std::optional<Form> form;
        std::function<void(Key, Modifiers)> reaction;
    };
    struct Window {
        WindowID id;
        int processID;
        Rect frame;
        bool visible;
        std::optional<WindowID> transientFor;
    };
    struct Listener {
        enum class Kind { tap, filteringTap, monitor };
        Kind kind;
        std::vector<InputEvent::Type> types;
        std::vector<KeyCombination> consumed;
        Callback callback;
        bool enabled = true;
    };
    class Handle;

    std::size_t addListener(Listener listener);
    void removeListener(std::size_t id);
    /// Delivers to every listener that wants it; true when a filtering tap consumed it.
    bool deliver(const InputEvent& event);
    void pressKey(Key key, Modifiers modifiers, bool synthetic);
    void keyToForm(Key key, Modifiers modifiers);
    void textToForm(std::string_view text);
    void clickToForm(Point position);
    Form* frontForm();
    void log(PostedEvent event);
    void raise(WindowID window);

    Scheduler& scheduler_;
    std::set<std::string> untypable_;
    std::deque<Duration> keyWaits_;
    struct Consent {
        InputAccess answer;
        std::optional<Scheduler::Duration> after;
        std::optional<Scheduler::Duration> askedAt; ///< on the scheduler's clock
    };
    std::optional<Consent> consent_;
    int inputRequests_ = 0;
    std::map<int, Application> applications_; // by process id
    std::vector<int> applicationOrder_;
    std::vector<Window> windows_; // front to back
    std::optional<int> front_;
    std::optional<WindowID> focused_;
    WindowID nextWindowID_ = 0x400001;
    int nextProcessID_ = 1000;
    int ownProcessID_ = 0;
    Scheduler::Duration activationLag_{0};
    std::vector<KeyCombination> reserved_;
    bool trusted_ = true;
    bool postingFails_ = false;
    Point pointer_;
    int beeps_ = 0;
    int prompts_ = 0;
    std::vector<PostedEvent> posted_;
    std::vector<Preparation> preparations_;
    std::optional<WindowID> checkedFocus_; ///< the focus as last asked
    std::optional<std::string> stray_;     ///< where a key went that the check did not allow
    std::map<std::size_t, Listener> listeners_;
    std::size_t nextListenerID_ = 1;
};

} // namespace keyferry
