#pragma once

#include "automation/DesktopServices.h"
#include "automation/Scheduler.h"
#include "model/Expected.h"
#include "platform/wayland/WaylandCapabilities.h"

#include <cstdint>
#include <memory>
#include <string>

namespace keyferry::atspi {
class AtspiFocus;
} // namespace keyferry::atspi

namespace keyferry::wayland {
class ActivationWatch;
class GnomeShell;
class PortalInput;
class InputSynthesis;
class WaylandConnection;
class WindowManagement;
} // namespace keyferry::wayland

namespace keyferry {

/// The desktop services on Wayland, built from the parts the compositor offers, probed at
/// start: keys and clicks through virtual input devices (wlroots), windows and applications
/// through sway's IPC or else the wlroots foreign toplevel protocol, the focused element
/// through AT-SPI. What a part cannot do fails or
/// answers "nothing", as the interface says; nothing is faked.
class WaylandDesktop final : public DesktopServices {
public:
    /// Connects to $WAYLAND_DISPLAY; fails with a message for the user.
    static Expected<std::unique_ptr<WaylandDesktop>> connect(Scheduler& scheduler);
    ~WaylandDesktop() override;

    Posted postKey(Key key, Modifiers modifiers, bool down) override;
    Posted postCharacter(std::string_view character) override;
    Expected<Duration> prepareText(std::string_view text) override;
    bool isPrepared(std::string_view character) override;
    Expected<Duration> prepareKey(Key key, Modifiers modifiers) override;
    void endText() override;
    Posted postMouseButton(MouseButton button, Point position, bool down, int clickState) override;
    /// Where keys go through the desktop portal, only the characters of the user's layout.
    bool canType(std::string_view character) override;
    /// Asks the desktop portal for its session where keys go through it (the user consents
    /// once per start).
    InputAccess requestInput() override;
    std::optional<Point> pointerLocation() override;
    /// Wayland lets no client see input meant for others: nothing.
    std::unique_ptr<InputListener> listen(std::vector<InputEvent::Type> types,
                                          Callback callback) override;
    std::unique_ptr<InputListener> listenAndConsume(std::vector<InputEvent::Type> types,
                                                    std::vector<KeyCombination> consume,
                                                    Callback callback) override;
    std::unique_ptr<InputListener> monitorKeys(Callback callback) override;
    /// No client sees others' keys here; the focus is followed through AT-SPI, and sway
    /// bindings keep combinations from the applications.
    bool canWatchKeys() override { return false; }
    std::unique_ptr<InputListener> watchFocus(FocusCallback callback) override;
    std::unique_ptr<InputListener> bindKeys(std::vector<KeyCombination> keys,
                                            Callback callback) override;
    std::vector<WindowInfo> windowList() override;
    std::vector<RunningApplication> runningApplications() override;
    std::optional<RunningApplication> frontmostApplication() override;
    bool activate(const RunningApplication& application) override;
    std::vector<Rect> ownVisibleWindows() override;
    bool isOwnApplicationActive() override;
    /// A Wayland client cannot hold the focus still: these only report a key that the focus
    /// moving at the wrong moment may have sent elsewhere (see ActivationWatch).
    Posted holdInputRouting() override;
    void releaseInputRouting() override;
    Posted confirmDelivery() override;
    /// Asks the compositor only when the active window has changed since it last did.
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

    /// Whether windows could be reached (sway's IPC socket); when not, why.
    const std::string& windowsProblem() const { return windowsProblem_; }
    /// What the compositor offered when Keyferry connected, for `keyferry desktop`.
    wayland::WaylandFacts facts() const;

private:
    WaylandDesktop(std::unique_ptr<wayland::WaylandConnection> connection);
    void markSent();
    const wayland::GnomeShell& shell() const;

    std::unique_ptr<wayland::WaylandConnection> connection_;
    std::unique_ptr<wayland::InputSynthesis> input_;
    std::unique_ptr<wayland::WindowManagement> windows_;
    std::unique_ptr<wayland::ActivationWatch> activation_;
    /// The focused window as last asked, valid while the activation count stays at
    /// `focusCheckedAt_`.
    std::optional<std::optional<WindowID>> knownFocus_;
    std::uint64_t focusCheckedAt_ = 0;
    bool focusCheckedInHold_ = false; ///< the event being sent relies on a focus check
    std::string windowsProblem_;
    bool swayIpc_ = false;    ///< windows through sway's IPC, and its bindings
    bool kwinScript_ = false; ///< windows through Keyferry's script inside KWin (kde-desktop)
    bool gnomeShell_ = false; ///< windows and shortcuts through Keyferry's shell extension
    std::string gnomeShellProblem_;
    wayland::PortalInput* portal_ = nullptr; ///< the input part, when it is the portal
    std::string portalProblem_;
    std::unique_ptr<atspi::AtspiFocus> focus_;
};

} // namespace keyferry
