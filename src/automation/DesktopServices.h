#pragma once

#include "automation/Geometry.h"
#include "automation/Keys.h"
#include "automation/Scheduler.h"
#include "model/Enums.h"
#include "model/Expected.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace keyferry {

/// A running application as the desktop knows it.
struct RunningApplication {
    std::optional<std::string> bundleID; ///< on X11: the WM_CLASS class of its windows
    std::optional<std::string> name;     ///< shown name; on X11 from its .desktop entry
    int processID = 0;
    bool isRegular = false; ///< has a managed window the user can switch to
    friend bool operator==(const RunningApplication&, const RunningApplication&) = default;
};

/// A top-level window as the desktop names it (on X11 the client window's id).
using WindowID = std::uint64_t;

/// What decides whether a run may follow the focus to a window it has not typed into yet.
struct WindowFacts {
    int processID = 0; ///< 0 when unknown
    std::optional<std::string> bundleID;
    std::optional<WindowID> transientFor; ///< the window a dialog belongs to
    bool isPopup = false;                 ///< a menu or tooltip the window manager does not manage
};

/// Whether an event went out, and when not, why: a short phrase for the user's message
/// ("no free keycode").
class Posted {
public:
    enum class Device { keyboard, mouse };

    Posted() = default;
    static Posted failure(std::string why, Device device = Device::keyboard) {
        Posted posted;
        posted.failure_ = std::move(why);
        posted.device_ = device;
        return posted;
    }
    explicit operator bool() const { return !failure_; }
    const std::string& why() const { return *failure_; }
    Device device() const { return device_; }
    void setDevice(Device device) { device_ = device; }

private:
    std::optional<std::string> failure_;
    Device device_ = Device::keyboard;
};

/// One on-screen window, front to back in the window list.
struct WindowInfo {
    int ownerProcessID = 0;
    Rect bounds; ///< client area in desktop coordinates
};

/// What the user did, as a tap or monitor sees it.
struct InputEvent {
    enum class Type { keyDown, leftMouseDown, rightMouseDown, tapDisabled };
    Type type = Type::keyDown;
    Key key = Key::other;
    Modifiers modifiers;
    Point position;     ///< pointer position for mouse events
    int clickState = 1; ///< 2 for the second press of a double click
    /// Synthesised by Keyferry itself (recorders ignore these).
    bool synthetic = false;
    /// One of Keyferry's own windows was the active one when the event happened.
    bool ownApplicationActive = false;
};

/// The kinds of focused element the recorder tells apart: the first four take text.
enum class ElementRole { textField, textArea, comboBox, searchField, checkBox, list, other };

/// The element that has keyboard focus, with the attributes that can name it.
struct FocusedElement {
    ElementRole role = ElementRole::other;
    std::string title;       ///< accessible name (or the name of its label)
    std::string description; ///< accessible description, often the tooltip
    std::string placeholder; ///< placeholder text
    int processID = 0;
    std::string id; ///< the id its toolkit or page gives it; empty when none
    /// Names of the named groups it lies in, outermost first.
    std::vector<std::string> context;
    std::string place; ///< its index among its siblings, and theirs, from the window down
    /// Shown, editable where it takes text, and in a web page the page finished loading: keys
    /// sent now reach it.
    bool ready = true;
};

/// What the focused text field shows, as the accessibility layer reads it.
struct FieldText {
    std::string name; ///< accessible name, or its label's; empty when it has none
    std::string text;
    int processID = 0; ///< 0 when unknown
};

/// A text field held on to, to be read after the focus has moved on.
class FieldReading {
public:
    virtual ~FieldReading() = default;
    /// What the field shows now; nothing when it cannot be read any more (it is gone).
    virtual std::optional<FieldText> read() = 0;
    /// Whether both hold the same field (held from the same desktop).
    virtual bool isSameField(const FieldReading& other) const = 0;
};

/// The options of a list or combo box that takes no text, and the one selected.
struct FieldChoices {
    std::vector<std::string> options;
    std::optional<std::size_t> selected; ///< nothing when none is
};

/// A key with modifiers, for the filtering tap.
struct KeyCombination {
    Key key = Key::other;
    Modifiers modifiers;
    friend bool operator==(const KeyCombination&, const KeyCombination&) = default;
};

/// Whether synthesised input may go out, where the desktop asks the user first (a portal's
/// consent dialog).
struct InputAccess {
    enum class State { ready, asking, refused };
    State state = State::ready;
    std::string why; ///< for a refusal: what the desktop said, for the user
};

/// A listening handle: the tap or monitor stays installed while this object lives.
class InputListener {
public:
    virtual ~InputListener() = default;
    /// Turns delivery back on after the desktop disabled it; false when it cannot.
    virtual bool reenable() { return true; }
    /// Combinations a filtering tap was asked to consume but cannot (another program owns
    /// them); those still reach the focused application.
    virtual std::vector<KeyCombination> unconsumable() const { return {}; }
};

/// The operating-system services the automation and the recorders use. One object per
/// desktop; every callback arrives on the main thread. Positions are desktop coordinates
/// with the origin at the top left.
class DesktopServices {
public:
    using Duration = Scheduler::Duration;
    using Callback = std::function<void(const InputEvent&)>;

    /// The waits a run makes around keys, for clients that may see a key late or out of order
    /// (a release before its press was handled, a shortcut after the text that follows it).
    struct KeyPacing {
        Duration hold = std::chrono::milliseconds(20); ///< between a key's press and release
        /// After a key pressed with modifiers, after clearing a field and after a text.
        Duration pause = std::chrono::milliseconds(50);
        Duration afterSelectAll = std::chrono::milliseconds(150);
    };

    virtual ~DesktopServices() = default;

    /// Default: the waits above. A desktop that hands each client its events at once and in
    /// the order sent needs none.
    virtual KeyPacing keyPacing() const { return {}; }

    // ---- synthesis: each says why when the event could not be created or posted ----

    /// Presses (down) or releases (up) a key with the given modifiers held.
    virtual Posted postKey(Key key, Modifiers modifiers, bool down) = 0;
    /// Types one user-perceived character (one grapheme cluster, all of its code points).
    virtual Posted postCharacter(std::string_view character) = 0;
    /// Readies the keyboard for typing `text` from its start (binds what the layout lacks, as
    /// much of it as fits at once) and returns how long to wait before its first character so
    /// that applications have seen the change. Called again when a later character is not
    /// ready. Default: nothing to prepare.
    virtual Expected<Duration> prepareText(std::string_view /*text*/) { return Duration{0}; }
    /// Readies the keyboard for a text typed later, after something that may load a new page
    /// (the form sent): where the application takes a keymap change in before the keys sent
    /// after it, whatever it does meanwhile, or where `firstKeysReadBack`: the run reads the
    /// new page's first field back and types it again when its first keys went nowhere.
    /// Default: nothing; the text is prepared when it is typed.
    virtual void prepareTextEarly(std::string_view /*text*/, bool /*firstKeysReadBack*/) {}
    /// Whether postCharacter can type this character without preparing again.
    virtual bool isPrepared(std::string_view /*character*/) { return true; }
    /// Readies the keyboard for pressing `key` with `modifiers`, like prepareText; asked again
    /// after the wait it returns, until it returns none.
    virtual Expected<Duration> prepareKey(Key /*key*/, Modifiers /*modifiers*/) {
        return Duration{0};
    }
    /// Whether this desktop can type this user-perceived character at all; where only the
    /// layout's characters can be typed, those outside it cannot. Default: any.
    virtual bool canType(std::string_view /*character*/) { return true; }
    /// Asks for the right to send input where the desktop wants the user's consent first: the
    /// first call starts asking, later ones tell whether the user has answered. Once granted it
    /// holds while Keyferry runs, unless the desktop withdraws it. Default: always ready.
    virtual InputAccess requestInput() { return {}; }
    /// Called after the last character of a text: what was bound for it may be given back.
    virtual void endText() {}
    /// Presses or releases a mouse button at `position`; clickState 2 marks the second click
    /// of a double click.
    virtual Posted postMouseButton(MouseButton button, Point position, bool down,
                                   int clickState) = 0;

    /// The pointer position; nothing when it cannot be read.
    virtual std::optional<Point> pointerLocation() = 0;

    // ---- listening ----

    /// Sees the user's left and right presses (the mask picks which) and key presses
    /// without changing them. Nothing when listening is not possible (no permission).
    virtual std::unique_ptr<InputListener> listen(std::vector<InputEvent::Type> types,
                                                  Callback callback) = 0;
    /// Like listen(), and the given combinations are removed before any application sees
    /// them (those that can be: see InputListener::unconsumable).
    virtual std::unique_ptr<InputListener> listenAndConsume(std::vector<InputEvent::Type> types,
                                                            std::vector<KeyCombination> consume,
                                                            Callback callback) = 0;
    /// Key presses addressed to other applications. Nothing when monitoring is not possible.
    virtual std::unique_ptr<InputListener> monitorKeys(Callback callback) = 0;
    /// Hands input that has arrived but not been delivered yet to the listeners now, so that
    /// a run sees the user's key before it posts its next one. Safe while input routing is
    /// held.
    virtual void deliverPendingInput() {}

    // ---- where other applications' keys cannot be seen (Wayland) ----

    /// Whether listen() and listenAndConsume() can see the keys of other applications on this
    /// desktop at all (given the permission); false where no client is shown them.
    virtual bool canWatchKeys() { return true; }
    using FocusCallback = std::function<void(const FocusedElement&)>;
    /// Reports each element as it takes the keyboard focus, while the handle lives. Nothing
    /// when the focus cannot be followed.
    virtual std::unique_ptr<InputListener> watchFocus(FocusCallback /*callback*/) {
        return nullptr;
    }
    /// Keeps these combinations from every application and reports their presses, while the
    /// handle lives. Nothing when the desktop cannot.
    virtual std::unique_ptr<InputListener> bindKeys(std::vector<KeyCombination> /*keys*/,
                                                    Callback /*callback*/) {
        return nullptr;
    }

    // ---- windows and applications ----

    /// On-screen windows, front to back.
    virtual std::vector<WindowInfo> windowList() = 0;
    /// Running applications in the desktop's order.
    virtual std::vector<RunningApplication> runningApplications() = 0;
    /// The application in front; nothing when none is.
    virtual std::optional<RunningApplication> frontmostApplication() = 0;
    /// Asks for the application to come to the front; false when the request is refused.
    /// Callers poll frontmostApplication() to see it happen.
    virtual bool activate(const RunningApplication& application) = 0;
    /// Frames of Keyferry's own visible windows.
    virtual std::vector<Rect> ownVisibleWindows() = 0;
    /// Whether one of Keyferry's own windows is the active one.
    virtual bool isOwnApplicationActive() = 0;

    // ---- where input goes: asked before every key event of a run, so cheap ----

    /// Between these two calls nothing another program does changes where input goes (on
    /// X11 the server is grabbed), so that a check of the focus and the event that relies on
    /// it are one step: a window raised in between cannot catch the key. Spans one event.
    /// A failure when the desktop cannot get ready for it (then post nothing); release anyway.
    virtual Posted holdInputRouting() { return {}; }
    virtual void releaseInputRouting() {}
    /// Waits until the desktop has handled what was posted; a failure when an event may have
    /// reached another window than the one checked before it (where routing cannot be held,
    /// the focus can move between the check and the event).
    virtual Posted confirmDelivery() { return {}; }

    /// The top-level window the next key event will reach (on X11 the input focus, not the
    /// window manager's idea of the active window); nothing when no window has it.
    virtual std::optional<WindowID> focusedWindow() = 0;
    /// The top-level window (or popup) a click at this desktop position reaches.
    virtual std::optional<WindowID> windowAt(Point position) = 0;
    /// Every top-level window that exists now, shown or not.
    virtual std::vector<WindowID> topLevelWindows() = 0;
    /// Nothing when the window is gone.
    virtual std::optional<WindowFacts> windowFacts(WindowID window) = 0;

    // ---- accessibility ----

    /// Whether Keyferry may synthesise input and watch other applications.
    virtual bool isTrusted() = 0;
    /// The same, after asking the system to grant it where it can.
    virtual bool isTrustedWithPrompt() = 0;
    /// The element with keyboard focus now; nothing when unknown.
    virtual std::optional<FocusedElement> focusedElement() = 0;
    /// The same for a caller that asks again within moments (a wait for a field): while the
    /// focus is moving, nothing until the application tells where it went, rather than a
    /// costly search of the application that slows its move.
    virtual std::optional<FocusedElement> focusedElementOnceAnnounced() { return focusedElement(); }
    /// The text of the focused field; nothing when it cannot be read (no accessibility, no
    /// text interface, a password field).
    virtual std::optional<FieldText> focusedFieldText() { return std::nullopt; }
    /// The focused field, held to be read later; nothing where focusedFieldText() would give
    /// nothing.
    virtual std::unique_ptr<FieldReading> holdFocusedField() { return nullptr; }
    /// Whether the focused check box is ticked; nothing when the focus is not on a check box
    /// or its state cannot be read.
    virtual std::optional<bool> focusedCheckState() { return std::nullopt; }
    /// The options of the focused list or combo box that takes no text; nothing when the
    /// focus is not on one or its options cannot be read.
    virtual std::optional<FieldChoices> focusedChoices() { return std::nullopt; }
    /// Selects the option at `index` (as focusedChoices() lists them) of the focused list or
    /// combo box through the accessibility layer, without a key: no popup can take it. False
    /// where it cannot (the caller then uses the arrow keys); true says it was asked, not done:
    /// read the selection back.
    virtual bool selectChoice(std::size_t /*index*/) { return false; }
    /// The lists and menus the focused application shows apart from its form's own fields (a
    /// suggestion list under a field, a menu), each by an id that stays the same while it
    /// is shown: one absent before a text was typed is a popup that text opened, which would
    /// take the keys meant for the next field. Empty where they cannot be told.
    virtual std::vector<std::string> shownPopups() { return {}; }
    /// What the page (or, outside a web page, the window) holding the focus announces as wrong,
    /// in the order it shows them: the texts of its alerts and error messages, and the fields
    /// it marks as holding an invalid entry. Empty when it announces nothing or cannot be read.
    virtual std::vector<std::string> announcedErrors() { return {}; }

    /// The alert sound.
    virtual void beep() = 0;
};

} // namespace keyferry
