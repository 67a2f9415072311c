#pragma once

#include "automation/DesktopServices.h"
#include "automation/Scheduler.h"
#include "model/Expected.h"
#include "platform/x11/X11Connection.h"

#include <deque>
#include <map>
#include <memory>
#include <set>

class QSocketNotifier;

namespace keyferry::atspi {
class AtspiFocus;
} // namespace keyferry::atspi

namespace keyferry::x11 {
class ClientPing;
class InputJournal;
class X11Keyboard;
class X11Windows;
} // namespace keyferry::x11

namespace keyferry {

/// The desktop services on X11: XTest for synthesis, EWMH for applications and windows,
/// XInput2 raw events and passive grabs for listening, AT-SPI for the focused element.
/// Needs a running Qt event loop for its listeners.
class X11Desktop final : public DesktopServices {
public:
    /// Connects to $DISPLAY; fails with a message for the user.
    static Expected<std::unique_ptr<X11Desktop>> connect(Scheduler& scheduler);
    ~X11Desktop() override;

    /// None: the server hands each client its events in the order they were sent.
    KeyPacing keyPacing() const override { return {{}, {}, {}}; }
    Posted postKey(Key key, Modifiers modifiers, bool down) override;
    Posted postCharacter(std::string_view character) override;
    Expected<Duration> prepareText(std::string_view text) override;
    void prepareTextEarly(std::string_view text, bool firstKeysReadBack) override;
    bool isPrepared(std::string_view character) override;
    Expected<Duration> prepareKey(Key key, Modifiers modifiers) override;
    void endText() override;
    Posted postMouseButton(MouseButton button, Point position, bool down, int clickState) override;
    std::optional<Point> pointerLocation() override;
    std::unique_ptr<InputListener> listen(std::vector<InputEvent::Type> types,
                                          Callback callback) override;
    std::unique_ptr<InputListener> listenAndConsume(std::vector<InputEvent::Type> types,
                                                    std::vector<KeyCombination> consume,
                                                    Callback callback) override;
    std::unique_ptr<InputListener> monitorKeys(Callback callback) override;
    void deliverPendingInput() override;
    std::vector<WindowInfo> windowList() override;
    std::vector<RunningApplication> runningApplications() override;
    std::optional<RunningApplication> frontmostApplication() override;
    bool activate(const RunningApplication& application) override;
    std::vector<Rect> ownVisibleWindows() override;
    bool isOwnApplicationActive() override { return ownApplicationInFront(); }
    Posted holdInputRouting() override;
    void releaseInputRouting() override;
    std::optional<WindowID> focusedWindow() override;
    std::optional<WindowID> windowAt(Point position) override;
    std::vector<WindowID> topLevelWindows() override;
    std::optional<WindowFacts> windowFacts(WindowID window) override;
    bool isTrusted() override;
    bool isTrustedWithPrompt() override;
    std::optional<FocusedElement> focusedElement() override;
    std::optional<FocusedElement> focusedElementOnceAnnounced() override;
    std::optional<FieldText> focusedFieldText() override;
    std::unique_ptr<FieldReading> holdFocusedField() override;
    std::optional<bool> focusedCheckState() override;
    std::optional<FieldChoices> focusedChoices() override;
    std::vector<std::string> shownPopups() override;
    std::vector<std::string> announcedErrors() override;
    void beep() override;

    /// The name of an application id from its installed .desktop entry, else the id.
    static std::string applicationName(const std::string& applicationID);

private:
    struct Listener {
        enum class Kind { tap, monitor };
        Kind kind;
        std::vector<InputEvent::Type> types;
        Callback callback;
    };
    struct Grab {
        unsigned char keycode;
        unsigned int modifiers;
    };
    class Handle;

    X11Desktop(Scheduler& scheduler, x11::DisplayPtr display, x11::DisplayPtr events);
    bool setUpListening();
    void readEvents();
    void handleRaw(int type, int detail, int sourceID);
    void deliver(const InputEvent& event);
    std::size_t addListener(Listener listener);
    void removeListener(std::size_t id);
    std::vector<Grab> grab(const std::vector<KeyCombination>& combinations,
                           std::vector<KeyCombination>& refused);
    void ungrab(const std::vector<Grab>& grabs);
    Modifiers heldModifiers() const;
    bool ownApplicationInFront();
    void restorePointerLater();
    /// Gives the borrowed keycodes back `after` from now, unless a text uses them first.
    void restoreKeymapLater(Scheduler::Duration after);
    /// How long keycodes bound for a text not typed yet stay bound: longer than a web form
    /// takes to answer and load the next page.
    static constexpr std::chrono::seconds untypedBindingLife{3};
    void restoreKeymapOnceRead(Scheduler::Duration since);
    /// Asks the client typed into whether it has read the keys so far (see ClientPing);
    /// returns the window asked about.
    unsigned long learnWhatTheClientRead();
    /// Pings that window's client when it may not have read all yet.
    void askClientToRead(unsigned long window);
    void keepKeymap();
    std::string cachedName(const std::string& applicationID);

    Scheduler& scheduler_;
    x11::DisplayPtr display_; ///< queries and synthesis
    x11::DisplayPtr events_;  ///< listening: raw events and grabs
    std::unique_ptr<x11::X11Windows> windows_;
    std::unique_ptr<x11::InputJournal> journal_;
    std::unique_ptr<x11::X11Keyboard> keyboard_;
    std::unique_ptr<x11::ClientPing> ping_;
    /// Focus windows (often a toolkit's child window) to their client window: asked before
    /// every key event, so only a change of focus costs more than one round trip.
    std::map<unsigned long, unsigned long> clientOfFocus_;
    std::unique_ptr<atspi::AtspiFocus> focus_;
    std::unique_ptr<QSocketNotifier> notifier_;
    int xinputOpcode_ = -1;
    bool hasXTest_ = false;
    bool hasXInput2_ = false;
    std::set<int> syntheticSources_; ///< the XTest devices
    /// Presses Keyferry posted and not yet seen coming back, in order: XTest events of other
    /// programs (a test driver, xdotool) are the user's as far as Keyferry is concerned.
    struct OwnPress {
        bool isKey;
        int detail;
        Scheduler::Duration time;
    };
    std::deque<OwnPress> ownPresses_;
    bool isOwnPress(bool isKey, int detail, int sourceID);
    std::map<unsigned char, Modifier> modifiersDown_;
    /// Whether Keyferry's window is active, followed in the order of the event stream: X
    /// reports a key after the fact, when the window it went to may already be closed.
    bool ownActive_ = false;
    unsigned long activeWindowAtom_ = 0;
    std::map<std::size_t, Listener> listeners_;
    std::map<std::string, std::string> names_; ///< .desktop files are read once per id
    std::size_t nextListenerID_ = 1;
    Scheduler::TimerId restoreKeymapTimer_ = 0;
    Scheduler::TimerId restorePointerTimer_ = 0;
    std::optional<Point> pointerBeforeClick_;
    std::set<unsigned int> buttonsHeld_;
    bool serverGrabbed_ = false;
    struct LastPress {
        int button = 0;
        Scheduler::Duration time{0};
        Point position;
    } lastPress_;
};

} // namespace keyferry
