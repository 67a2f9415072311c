#include "platform/wayland/WaylandDesktop.h"

#include "platform/atspi/AtspiFocus.h"
#include "platform/common/AccessibilityBus.h"
#include "platform/wayland/ActivationWatch.h"
#include "platform/wayland/ForeignToplevelWindows.h"
#include "platform/wayland/KGlobalShortcuts.h"
#include "platform/wayland/KWinWindows.h"
#include "platform/wayland/SwayBinding.h"
#include "platform/wayland/SwayIpc.h"
#include "platform/wayland/SwayStopHotkey.h"
#include "platform/wayland/SwayWindows.h"
#include "platform/wayland/VirtualInput.h"
#include "platform/wayland/WaylandConnection.h"
#include "platform/wayland/gnome/GnomeShellWindows.h"
#include "platform/wayland/gnome/ShellShortcuts.h"
#include "platform/wayland/portal/PortalInput.h"

#include <cstdlib>
#include <unistd.h>

namespace keyferry {

using namespace wayland;

Expected<std::unique_ptr<WaylandDesktop>> WaylandDesktop::connect(Scheduler&) {
    auto connection = WaylandConnection::connect();
    if (!connection)
        return Unexpected{connection.error()};
    return std::unique_ptr<WaylandDesktop>(new WaylandDesktop(std::move(*connection)));
}

WaylandDesktop::WaylandDesktop(std::unique_ptr<WaylandConnection> connection)
    : connection_(std::move(connection)) {
    // wlroots' own devices where the compositor offers them, else the desktop portal.
    if (!connection_->keyboardManager()) {
        std::string why;
        if (auto portal = PortalInput::probe(*connection_, why)) {
            portal_ = portal.get();
            input_ = std::move(portal);
        } else {
            portalProblem_ = why;
        }
    }
    if (!input_)
        input_ = std::make_unique<VirtualInput>(*connection_);
    if (const auto path = SwayIpc::socketPath()) {
        if (auto ipc = SwayIpc::connect(*path)) {
            windows_ = std::make_unique<SwayWindows>(std::move(*ipc));
            swayIpc_ = true;
        } else {
            windowsProblem_ = ipc.error();
        }
    } else {
        windowsProblem_ = "no sway IPC socket (SWAYSOCK is not set)";
    }
    // KDE Plasma: windows through a script of Keyferry's inside KWin. (kde-desktop)
    if (!windows_ && KWinWindows::kwinIsThere()) {
        if (auto kwin = KWinWindows::create()) {
            windows_ = std::move(*kwin);
            kwinScript_ = true;
            windowsProblem_.clear();
        } else {
            windowsProblem_ += ", " + kwin.error();
        }
    }
    // (end kde-desktop)
    if (!windows_) {
        if (auto shell = GnomeShell::connect()) {
            windows_ = std::make_unique<GnomeShellWindows>(std::move(*shell));
            gnomeShell_ = true;
            windowsProblem_.clear();
        } else {
            gnomeShellProblem_ = shell.error();
        }
    }
    if (!windows_) {
        windows_ = ForeignToplevelWindows::create(*connection_);
        if (windows_)
            windowsProblem_.clear();
        else
            windowsProblem_ += ", and the compositor does not list windows to applications";
    }
    activation_ = ActivationWatch::create(*connection_);
    if (std::getenv("DBUS_SESSION_BUS_ADDRESS"))
        focus_ = std::make_unique<atspi::AtspiFocus>();
    if (portal_ && focus_)
        portal_->setTerminalCheck([this] { return focus_->focusIsTerminal(*this); });
}

WaylandDesktop::~WaylandDesktop() {
    input_.reset(); // releases what it holds while the connection is still there
}

Posted WaylandDesktop::postKey(Key key, Modifiers modifiers, bool down) {
    const Posted posted = input_->postKey(key, modifiers, down);
    if (posted && down)
        markSent();
    return posted;
}

Posted WaylandDesktop::postCharacter(std::string_view character) {
    const Posted posted = input_->postCharacter(character);
    if (posted)
        markSent();
    return posted;
}

void WaylandDesktop::markSent() {
    // A release reaching another window does nothing there; only what was checked is marked.
    if (activation_ && focusCheckedInHold_)
        activation_->markSent(focusCheckedAt_);
}

Expected<DesktopServices::Duration> WaylandDesktop::prepareText(std::string_view text) {
    return input_->prepareText(text);
}

bool WaylandDesktop::isPrepared(std::string_view character) {
    return input_->isPrepared(character);
}

Expected<DesktopServices::Duration> WaylandDesktop::prepareKey(Key key, Modifiers modifiers) {
    return input_->prepareKey(key, modifiers);
}

void WaylandDesktop::endText() {
    input_->endText();
}

Posted WaylandDesktop::postMouseButton(MouseButton button, Point position, bool down, int) {
    const auto layout = windows_ ? windows_->layoutBounds() : std::nullopt;
    const Posted posted = input_->postMouseButton(button, position, down, layout);
    if (posted && down)
        markSent();
    return posted;
}

std::optional<Point> WaylandDesktop::pointerLocation() {
    if (gnomeShell_)
        return shell().pointerPosition(); // the shell knows where the user put it
    return input_->pointerLocation();
}

std::unique_ptr<InputListener> WaylandDesktop::listen(std::vector<InputEvent::Type>, Callback) {
    return nullptr;
}

std::unique_ptr<InputListener> WaylandDesktop::listenAndConsume(std::vector<InputEvent::Type>,
                                                                std::vector<KeyCombination>,
                                                                Callback) {
    return nullptr;
}

std::unique_ptr<InputListener> WaylandDesktop::monitorKeys(Callback callback) {
    // No client sees keys meant for others; sway reports its own bindings, so the one
    // combination a monitor is for here, the stop shortcut, becomes a binding.
    if (gnomeShell_)
        return ShellShortcuts::grab(shell(), {{Key::escape, Modifier::control | Modifier::shift}},
                                    std::move(callback));
    // On KDE a global shortcut. (kde-desktop)
    if (!swayIpc_ && !KGlobalShortcuts::unavailable(KGlobalShortcuts::stopShortcut)) {
        auto hotkey = KGlobalShortcuts::start("stop-run", {KGlobalShortcuts::stopShortcut},
                                              std::move(callback));
        return hotkey ? std::move(*hotkey) : nullptr;
    }
    const auto path = SwayIpc::socketPath();
    if (!path || !swayIpc_)
        return nullptr;
    return SwayStopHotkey::start(*path, std::move(callback));
}

std::unique_ptr<InputListener> WaylandDesktop::watchFocus(FocusCallback callback) {
    return focus_ ? focus_->watch(std::move(callback)) : nullptr;
}

std::unique_ptr<InputListener> WaylandDesktop::bindKeys(std::vector<KeyCombination> keys,
                                                        Callback callback) {
    if (gnomeShell_)
        return ShellShortcuts::grab(shell(), std::move(keys), std::move(callback));
    // KDE: global shortcuts for as long as the listener lives. (kde-desktop)
    if (!swayIpc_ && KGlobalShortcuts::serviceIsThere()) {
        auto shortcuts = KGlobalShortcuts::start("keys", std::move(keys), std::move(callback));
        return shortcuts ? std::move(*shortcuts) : nullptr;
    }
    const auto path = SwayIpc::socketPath();
    if (!path || !swayIpc_)
        return nullptr;
    // By symbol: the key that says Escape in the layout of the keyboard pressed, whatever
    // its code (a keyboard with a keymap of its own may put another key at Escape's code).
    return SwayBinding::start(*path, std::move(keys), SwayKeyMatch::bySymbol, std::move(callback));
}

const GnomeShell& WaylandDesktop::shell() const {
    return static_cast<const GnomeShellWindows&>(*windows_).shell();
}

bool WaylandDesktop::canType(std::string_view character) {
    return !portal_ || portal_->canType(character);
}

InputAccess WaylandDesktop::requestInput() {
    return portal_ ? portal_->requestAccess() : InputAccess{};
}

std::vector<WindowInfo> WaylandDesktop::windowList() {
    return windows_ ? windows_->windowList() : std::vector<WindowInfo>{};
}

std::vector<RunningApplication> WaylandDesktop::runningApplications() {
    return windows_ ? windows_->runningApplications() : std::vector<RunningApplication>{};
}

std::optional<RunningApplication> WaylandDesktop::frontmostApplication() {
    return windows_ ? windows_->frontmostApplication() : std::nullopt;
}

bool WaylandDesktop::activate(const RunningApplication& application) {
    return windows_ && windows_->activate(application);
}

std::vector<Rect> WaylandDesktop::ownVisibleWindows() {
    std::vector<Rect> frames;
    const int own = static_cast<int>(getpid());
    for (const WindowInfo& window : windowList())
        if (window.ownerProcessID == own)
            frames.push_back(window.bounds);
    return frames;
}

bool WaylandDesktop::isOwnApplicationActive() {
    const auto front = frontmostApplication();
    return front && front->processID == static_cast<int>(getpid());
}

namespace {

std::string strayMessage(const ActivationWatch::Stray& stray) {
    const std::string where = stray.appID.empty() ? "another window" : "\"" + stray.appID + "\"";
    const std::string keys = stray.keys == 1 ? "the key" : std::to_string(stray.keys) + " keys";
    return "the focus moved to " + where + " just as " +
           (stray.keys == 1 ? "a key was" : "keys were") + " sent to the target window; " + keys +
           " may have reached " + (stray.appID.empty() ? "it" : where);
}

// The focus moving while it is asked about: asked again, a few times at most.
constexpr int focusQueries = 3;

} // namespace

Posted WaylandDesktop::holdInputRouting() {
    focusCheckedInHold_ = false;
    if (!activation_)
        return {};
    if (const auto stray = activation_->takeStray(false))
        return Posted::failure(strayMessage(*stray));
    return {};
}

void WaylandDesktop::releaseInputRouting() {
    focusCheckedInHold_ = false;
}

Posted WaylandDesktop::confirmDelivery() {
    if (!activation_)
        return {};
    if (const auto stray = activation_->takeStray(true))
        return Posted::failure(strayMessage(*stray));
    return {};
}

std::optional<WindowID> WaylandDesktop::focusedWindow() {
    if (!windows_)
        return std::nullopt;
    if (!activation_)
        return windows_->focusedWindow();
    // Whatever moved the focus before the compositor answered has been told on the Wayland
    // connection by the time the answer arrives, so an unchanged count means the answer holds.
    std::uint64_t before = activation_->changes();
    if (knownFocus_ && before == focusCheckedAt_) {
        focusCheckedInHold_ = true;
        return *knownFocus_;
    }
    for (int query = 0; query < focusQueries; ++query) {
        const auto focus = windows_->focusedWindow();
        const std::uint64_t after = activation_->changes();
        if (after == before) {
            knownFocus_ = focus;
            focusCheckedAt_ = after;
            focusCheckedInHold_ = true;
            return focus;
        }
        before = after;
    }
    knownFocus_.reset();
    return std::nullopt; // the focus does not hold still: no window can be relied on
}

std::optional<WindowID> WaylandDesktop::windowAt(Point position) {
    return windows_ ? windows_->windowAt(position) : std::nullopt;
}

std::vector<WindowID> WaylandDesktop::topLevelWindows() {
    return windows_ ? windows_->topLevelWindows() : std::vector<WindowID>{};
}

std::optional<WindowFacts> WaylandDesktop::windowFacts(WindowID window) {
    return windows_ ? windows_->windowFacts(window) : std::nullopt;
}

bool WaylandDesktop::isTrusted() {
    if (input_->keyboardUnavailable())
        return false;
    // Without an accessibility bus, synthesised input is all there is.
    return accessibilityEnabled().value_or(true);
}

bool WaylandDesktop::isTrustedWithPrompt() {
    enableAccessibility();
    return isTrusted();
}

std::optional<FocusedElement> WaylandDesktop::focusedElement() {
    return focus_ ? focus_->focusedElement(*this) : std::nullopt;
}

std::optional<FocusedElement> WaylandDesktop::focusedElementOnceAnnounced() {
    return focus_ ? focus_->focusedElementOnceAnnounced(*this) : std::nullopt;
}

std::optional<FieldText> WaylandDesktop::focusedFieldText() {
    return focus_ ? focus_->focusedFieldText(*this) : std::nullopt;
}

std::unique_ptr<FieldReading> WaylandDesktop::holdFocusedField() {
    return focus_ ? focus_->holdFocusedField(*this) : nullptr;
}

std::optional<bool> WaylandDesktop::focusedCheckState() {
    return focus_ ? focus_->focusedCheckState(*this) : std::nullopt;
}

std::optional<FieldChoices> WaylandDesktop::focusedChoices() {
    return focus_ ? focus_->focusedChoices(*this) : std::nullopt;
}

std::vector<std::string> WaylandDesktop::shownPopups() {
    return focus_ ? focus_->shownPopups(*this) : std::vector<std::string>{};
}

std::vector<std::string> WaylandDesktop::announcedErrors() {
    return focus_ ? focus_->announcedErrors(*this) : std::vector<std::string>{};
}

WaylandFacts WaylandDesktop::facts() const {
    WaylandFacts facts;
    facts.keyboardProblem = input_->keyboardUnavailable();
    facts.pointerProblem = input_->pointerUnavailable();
    if (!windows_)
        facts.windowsProblem = windowsProblem_;
    facts.windowsKnowBounds = windows_ && windows_->knowsBounds();
    facts.windowsKnowProcesses = windows_ && windows_->knowsProcesses();
    facts.swayIpc = swayIpc_;
    facts.portalInput = portal_ != nullptr;
    if (portal_) {
        facts.portalRoute = portal_->route();
        facts.portalRemembersConsent = portal_->version() >= 2;
        facts.portalPastes = portal_->pastes();
    }
    if (!portal_ && !portalProblem_.empty())
        facts.portalProblem = portalProblem_;
    facts.gnomeShellExtension = gnomeShell_;
    if (!gnomeShell_ && !gnomeShellProblem_.empty())
        facts.gnomeShellProblem = gnomeShellProblem_;
    // KDE. (kde-desktop)
    facts.kwinScript = kwinScript_;
    if (!swayIpc_) {
        const auto shortcutProblem = KGlobalShortcuts::unavailable(KGlobalShortcuts::stopShortcut);
        facts.globalShortcut = !shortcutProblem;
        facts.globalShortcutProblem = shortcutProblem.value_or("");
    }
    facts.focusFollowed = focus_ && focus_->isAvailable();
    facts.wlrootsProtocols =
        connection_->pointerManager() || connection_->foreignToplevelGlobal().has_value();
    if (const char* desktop = std::getenv("XDG_CURRENT_DESKTOP"))
        facts.currentDesktop = desktop;
    return facts;
}

void WaylandDesktop::beep() {
    // Wayland has no bell a client can ring.
}

} // namespace keyferry
