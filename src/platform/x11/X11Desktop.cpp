#include "platform/x11/X11Desktop.h"

#include <QSocketNotifier>

#include "platform/atspi/AtspiFocus.h"
#include "platform/common/AccessibilityBus.h"
#include "platform/common/ApplicationNames.h"
#include "platform/x11/ClientPing.h"
#include "platform/x11/GuardianJournal.h"
#include "platform/x11/LeftoverKeymaps.h"
#include "platform/x11/X11Handles.h"
#include "platform/x11/X11Keyboard.h"
#include "platform/x11/X11Windows.h"

#include <X11/XKBlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace keyferry {

using namespace x11;

namespace {

constexpr auto doubleClickTime = std::chrono::milliseconds(400);
constexpr auto pointerRestoreDelay = std::chrono::milliseconds(150);

} // namespace

class X11Desktop::Handle final : public InputListener {
public:
    Handle(X11Desktop& desktop, std::size_t id, std::vector<Grab> grabs,
           std::vector<KeyCombination> refused)
        : desktop_(desktop), id_(id), grabs_(std::move(grabs)), refused_(std::move(refused)) {}
    ~Handle() override {
        desktop_.ungrab(grabs_);
        desktop_.removeListener(id_);
    }
    std::vector<KeyCombination> unconsumable() const override { return refused_; }

private:
    X11Desktop& desktop_;
    std::size_t id_;
    std::vector<Grab> grabs_;
    std::vector<KeyCombination> refused_;
};

Expected<std::unique_ptr<X11Desktop>> X11Desktop::connect(Scheduler& scheduler) {
    const char* name = std::getenv("DISPLAY");
    const std::string noSession = "Keyferry needs an X11 or Wayland session.";
    if (!name || !*name)
        return Unexpected{noSession + " (DISPLAY is not set.)"};
    DisplayPtr display(XOpenDisplay(nullptr));
    DisplayPtr events(XOpenDisplay(nullptr));
    if (!display || !events)
        return Unexpected{noSession + " (Cannot open display " + std::string(name) + ".)"};
    // A Keyferry killed together with its guardian may have left keycodes bound.
    const auto leftovers = restoreLeftoverKeymaps(display.get(), DisplayString(display.get()));
    if (const std::string summary = leftovers.summary(); !summary.empty())
        std::fprintf(stderr, "%s\n", summary.c_str());
    std::unique_ptr<X11Desktop> desktop(
        new X11Desktop(scheduler, std::move(display), std::move(events)));
    return desktop;
}

X11Desktop::X11Desktop(Scheduler& scheduler, DisplayPtr display, DisplayPtr events)
    : scheduler_(scheduler), display_(std::move(display)), events_(std::move(events)),
      windows_(std::make_unique<X11Windows>(display_.get())),
      journal_(std::make_unique<GuardianJournal>(display_.get())),
      keyboard_(std::make_unique<X11Keyboard>(display_.get(), *journal_)),
      ping_(std::make_unique<ClientPing>(display_.get())) {
    int event = 0, error = 0, major = 0, minor = 0;
    hasXTest_ = XTestQueryExtension(display_.get(), &event, &error, &major, &minor);
    hasXInput2_ = setUpListening();
    ownActive_ = ownApplicationInFront();
    keyboard_->onPress = [this](KeyCode keycode) {
        ownPresses_.push_back({true, keycode, scheduler_.now()});
    };
    if (std::getenv("DBUS_SESSION_BUS_ADDRESS"))
        focus_ = std::make_unique<atspi::AtspiFocus>();
}

X11Desktop::~X11Desktop() {
    if (restoreKeymapTimer_)
        scheduler_.cancel(restoreKeymapTimer_);
    if (restorePointerTimer_)
        scheduler_.cancel(restorePointerTimer_);
    releaseInputRouting();
    keyboard_.reset(); // releases its keys, puts borrowed keycodes back
    for (unsigned int button : buttonsHeld_)
        XTestFakeButtonEvent(display_.get(), button, False, CurrentTime);
    XSync(display_.get(), False);
    for (unsigned int button : buttonsHeld_)
        journal_->releasedButton(button);
    if (pointerBeforeClick_)
        XTestFakeMotionEvent(display_.get(), -1, static_cast<int>(pointerBeforeClick_->x),
                             static_cast<int>(pointerBeforeClick_->y), CurrentTime);
    XSync(display_.get(), False);
}

// ---- synthesis ----

namespace {
const char* const noXTest = "the X server offers no XTest extension";
} // namespace

Posted X11Desktop::postKey(Key key, Modifiers modifiers, bool down) {
    if (!hasXTest_)
        return Posted::failure(noXTest);
    const Posted posted = keyboard_->pressKey(key, modifiers, down);
    // A shortcut letter bound for this press; a restore due already stays as it is (what is
    // bound for the next text is kept for it).
    if (!down && keyboard_->hasBorrowedKeycodes() && !restoreKeymapTimer_)
        restoreKeymapLater(X11Keyboard::settleTime);
    return posted;
}

void X11Desktop::keepKeymap() {
    // Bound for the text or key before and not given back yet: reuse, restore later.
    if (restoreKeymapTimer_) {
        scheduler_.cancel(restoreKeymapTimer_);
        restoreKeymapTimer_ = 0;
    }
}

unsigned long X11Desktop::learnWhatTheClientRead() {
    readEvents(); // the answer may be waiting
    ping_->giveUpOlderThan(X11Keyboard::readPatience);
    const auto focus = focusedWindow();
    const Window window = focus ? static_cast<Window>(*focus) : None;
    const bool answers = window != None && ping_->takesPings(window);
    keyboard_->clientRead(answers, ping_->caughtUpTo());
    // Measured: Chromium typed a web form exactly with keys right after each binding;
    // Firefox turned the first keys after a binding into nothing.
    const auto facts = window != None ? windowFacts(window) : std::nullopt;
    keyboard_->clientTakesKeymapInOrder(focus_ && facts &&
                                        focus_->focusedToolkit(facts->processID) == "Chromium");
    askClientToRead(window);
    return window;
}

void X11Desktop::askClientToRead(unsigned long window) {
    if (window != None && keyboard_->clientBehind() && ping_->takesPings(window))
        ping_->send(window);
}

Expected<DesktopServices::Duration> X11Desktop::prepareText(std::string_view text) {
    keepKeymap();
    if (!hasXTest_)
        return Unexpected{std::string(noXTest)};
    const auto window = learnWhatTheClientRead();
    auto settle = keyboard_->prepareText(text);
    askClientToRead(window); // about what was just bound
    // Bound ahead of a text that may never come (a run paused before the next row).
    if (keyboard_->hasBorrowedKeycodes())
        restoreKeymapLater(untypedBindingLife);
    return settle;
}

void X11Desktop::prepareTextEarly(std::string_view text, bool firstKeysReadBack) {
    if (!hasXTest_)
        return;
    learnWhatTheClientRead();
    // Firefox lost the first keys typed into a page loaded after a keymap change (1 row in
    // 30 of the web form bench): a loss the run does not look for would be a wrong row.
    if (keyboard_->clientTakesKeymapInOrder() || firstKeysReadBack)
        (void)prepareText(text); // a failure shows when the text is typed
}

bool X11Desktop::isPrepared(std::string_view character) {
    return keyboard_->isPrepared(character);
}

Expected<DesktopServices::Duration> X11Desktop::prepareKey(Key key, Modifiers modifiers) {
    if (!hasXTest_)
        return Unexpected{std::string(noXTest)};
    const auto window = learnWhatTheClientRead();
    auto settle = keyboard_->prepareKey(key, modifiers);
    askClientToRead(window);
    // A key pressed at once needs no guard; one pressed after a wait must not lose its
    // binding to a restore due meanwhile.
    if (settle && *settle > Duration{0})
        keepKeymap();
    return settle;
}

Posted X11Desktop::postCharacter(std::string_view character) {
    if (!hasXTest_)
        return Posted::failure(noXTest);
    keepKeymap(); // the text is being typed: its keys stay bound until it ends
    return keyboard_->typeCharacter(character);
}

void X11Desktop::endText() {
    keyboard_->sync();
    if (keyboard_->hasBorrowedKeycodes())
        restoreKeymapLater(X11Keyboard::settleTime);
}

void X11Desktop::restoreKeymapLater(Scheduler::Duration after) {
    keepKeymap();
    // Clients turn keycodes into symbols when they read the event: restore a moment later.
    restoreKeymapTimer_ =
        scheduler_.runAfter(after, [this] { restoreKeymapOnceRead(scheduler_.now()); });
}

void X11Desktop::restoreKeymapOnceRead(Scheduler::Duration since) {
    restoreKeymapTimer_ = 0;
    learnWhatTheClientRead();
    if (keyboard_->clientBehind() && ping_->waiting() &&
        scheduler_.now() - since < X11Keyboard::readPatience) {
        restoreKeymapTimer_ = scheduler_.runAfter(X11Keyboard::readPoll,
                                                  [this, since] { restoreKeymapOnceRead(since); });
        return;
    }
    keyboard_->restoreKeymap();
}

Posted X11Desktop::postMouseButton(MouseButton button, Point position, bool down, int) {
    if (!hasXTest_)
        return Posted::failure(noXTest, Posted::Device::mouse);
    Display* display = display_.get();
    const unsigned int number = button == MouseButton::left ? 1 : 3;
    if (down) {
        journal_->pressingButton(number);
        if (!journal_->commit())
            return Posted::failure(journal_->failure(), Posted::Device::mouse);
        if (restorePointerTimer_) {
            scheduler_.cancel(restorePointerTimer_);
            restorePointerTimer_ = 0;
        }
        if (!pointerBeforeClick_)
            pointerBeforeClick_ = pointerLocation();
        XTestFakeMotionEvent(display, -1, static_cast<int>(std::lround(position.x)),
                             static_cast<int>(std::lround(position.y)), CurrentTime);
        ownPresses_.push_back({false, static_cast<int>(number), scheduler_.now()});
        buttonsHeld_.insert(number);
    }
    XTestFakeButtonEvent(display, number, down ? True : False, CurrentTime);
    XSync(display, False);
    if (!down) {
        buttonsHeld_.erase(number);
        journal_->releasedButton(number);
        restorePointerLater(); // not at once: the second click of a double click follows
    }
    return {};
}

void X11Desktop::restorePointerLater() {
    restorePointerTimer_ = scheduler_.runAfter(pointerRestoreDelay, [this] {
        restorePointerTimer_ = 0;
        if (pointerBeforeClick_)
            XTestFakeMotionEvent(display_.get(), -1, static_cast<int>(pointerBeforeClick_->x),
                                 static_cast<int>(pointerBeforeClick_->y), CurrentTime);
        XSync(display_.get(), False);
        pointerBeforeClick_.reset();
    });
}

std::optional<Point> X11Desktop::pointerLocation() {
    Window root = None, child = None;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned int mask = 0;
    if (!XQueryPointer(display_.get(), DefaultRootWindow(display_.get()), &root, &child, &rootX,
                       &rootY, &x, &y, &mask))
        return std::nullopt;
    return Point{static_cast<double>(rootX), static_cast<double>(rootY)};
}

// ---- listening ----

bool X11Desktop::setUpListening() {
    Display* display = events_.get();
    int event = 0, error = 0;
    if (!XQueryExtension(display, "XInputExtension", &xinputOpcode_, &event, &error))
        return false;
    int major = 2, minor = 2;
    if (XIQueryVersion(display, &major, &minor) != Success)
        return false;

    int count = 0;
    XIDeviceInfo* devices = XIQueryDevice(display, XIAllDevices, &count);
    for (int i = 0; i < count; ++i)
        if (std::string_view(devices[i].name).find("XTEST") != std::string_view::npos)
            syntheticSources_.insert(devices[i].deviceid);
    XIFreeDeviceInfo(devices);

    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_RawKeyPress);
    XISetMask(bits, XI_RawKeyRelease);
    XISetMask(bits, XI_RawButtonPress);
    XIEventMask mask{XIAllMasterDevices, sizeof bits, bits};
    XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
    activeWindowAtom_ = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    // Substructure: clients answer pings on the root window.
    XSelectInput(display, DefaultRootWindow(display), PropertyChangeMask | SubstructureNotifyMask);
    XFlush(display);

    notifier_ = std::make_unique<QSocketNotifier>(ConnectionNumber(display), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                     [this] { readEvents(); });
    return true;
}

void X11Desktop::readEvents() {
    Display* display = events_.get();
    while (XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == PropertyNotify && event.xproperty.atom == activeWindowAtom_) {
            ownActive_ = ownApplicationInFront();
            continue;
        }
        if (event.type == ClientMessage) {
            ping_->answered(event.xclient);
            continue;
        }
        XGenericEventCookie* cookie = &event.xcookie;
        if (cookie->type != GenericEvent || cookie->extension != xinputOpcode_ ||
            !XGetEventData(display, cookie))
            continue; // grabbed key presses arrive here too; the raw event reported them
        const auto* raw = static_cast<const XIRawEvent*>(cookie->data);
        handleRaw(cookie->evtype, raw->detail, raw->sourceid);
        XFreeEventData(display, cookie);
    }
}

void X11Desktop::deliverPendingInput() {
    // Reads only what the server has already sent: no request, so it cannot wait on a server
    // this process holds grabbed.
    if (XEventsQueued(events_.get(), QueuedAfterReading) > 0)
        readEvents();
}

bool X11Desktop::isOwnPress(bool isKey, int detail, int sourceID) {
    // Presses that never came back (the server dropped them) must not linger.
    const auto now = scheduler_.now();
    while (!ownPresses_.empty() && now - ownPresses_.front().time > std::chrono::seconds(2))
        ownPresses_.pop_front();
    if (!syntheticSources_.contains(sourceID) || ownPresses_.empty())
        return false;
    const OwnPress& next = ownPresses_.front();
    if (next.isKey != isKey || next.detail != detail)
        return false;
    ownPresses_.pop_front();
    return true;
}

void X11Desktop::handleRaw(int type, int detail, int sourceID) {
    const auto keycode = static_cast<KeyCode>(detail);
    if (type == XI_RawKeyRelease) {
        modifiersDown_.erase(keycode);
        return;
    }
    InputEvent event;
    event.ownApplicationActive = ownActive_;
    if (type == XI_RawKeyPress || type == XI_RawButtonPress)
        event.synthetic = isOwnPress(type == XI_RawKeyPress, detail, sourceID);
    event.modifiers = heldModifiers();
    if (type == XI_RawKeyPress) {
        if (const auto modifier = keyboard_->modifierFor(keycode)) {
            modifiersDown_[keycode] = *modifier;
            return;
        }
        event.type = InputEvent::Type::keyDown;
        event.key = keyboard_->keyFor(keycode);
    } else if (type == XI_RawButtonPress) {
        if (detail != 1 && detail != 3)
            return; // the wheel and the middle button are not clicks we follow
        event.type =
            detail == 1 ? InputEvent::Type::leftMouseDown : InputEvent::Type::rightMouseDown;
        event.position = pointerLocation().value_or(Point{});
        const auto now = scheduler_.now();
        const bool again = lastPress_.button == detail && now - lastPress_.time < doubleClickTime &&
                           std::abs(lastPress_.position.x - event.position.x) <= 4 &&
                           std::abs(lastPress_.position.y - event.position.y) <= 4;
        event.clickState = again ? 2 : 1;
        lastPress_ = {again ? 0 : detail, now, event.position};
    } else {
        return;
    }
    deliver(event);
}

Modifiers X11Desktop::heldModifiers() const {
    Modifiers held;
    for (const auto& [keycode, modifier] : modifiersDown_)
        held = held | modifier;
    return held;
}

void X11Desktop::deliver(const InputEvent& event) {
    std::vector<std::size_t> ids;
    for (const auto& [id, listener] : listeners_)
        ids.push_back(id);
    std::optional<bool> ownInFront;
    for (std::size_t id : ids) {
        const auto found = listeners_.find(id);
        if (found == listeners_.end())
            continue;
        const Listener& listener = found->second;
        if (listener.kind == Listener::Kind::monitor) {
            if (event.type != InputEvent::Type::keyDown)
                continue;
            if (!ownInFront)
                ownInFront = ownApplicationInFront();
            if (*ownInFront)
                continue; // a monitor sees only keys addressed to other applications
        } else if (std::ranges::find(listener.types, event.type) == listener.types.end()) {
            continue;
        }
        const Callback callback = listener.callback;
        callback(event);
    }
}

std::size_t X11Desktop::addListener(Listener listener) {
    const std::size_t id = nextListenerID_++;
    listeners_.emplace(id, std::move(listener));
    return id;
}

void X11Desktop::removeListener(std::size_t id) {
    listeners_.erase(id);
}

std::vector<X11Desktop::Grab> X11Desktop::grab(const std::vector<KeyCombination>& combinations,
                                               std::vector<KeyCombination>& refused) {
    Display* display = events_.get();
    const Window root = DefaultRootWindow(display);
    // Caps Lock and Num Lock must not defeat the grab: grab every lock combination.
    unsigned int numLock = 0;
    if (XPtr<XModifierKeymap> map{XGetModifierMapping(display)}) {
        const KeyCode numLockKey = XKeysymToKeycode(display, XK_Num_Lock);
        for (int modifier = 0; modifier < 8; ++modifier)
            for (int k = 0; k < map->max_keypermod; ++k)
                if (numLockKey && map->modifiermap[modifier * map->max_keypermod + k] == numLockKey)
                    numLock = 1u << modifier;
        XFreeModifiermap(map.release());
    }
    std::vector<Grab> grabs;
    for (const KeyCombination& combination : combinations) {
        const KeyCode keycode =
            XKeysymToKeycode(display, x11::X11Keyboard::keysymFor(combination.key));
        unsigned int modifiers = 0;
        if (combination.modifiers.contains(Modifier::shift))
            modifiers |= ShiftMask;
        if (combination.modifiers.contains(Modifier::control))
            modifiers |= ControlMask;
        if (combination.modifiers.contains(Modifier::alt))
            modifiers |= Mod1Mask;
        ErrorTrap trap(display);
        std::vector<Grab> these;
        for (unsigned int locks : {0u, unsigned(LockMask), numLock, LockMask | numLock}) {
            XGrabKey(display, keycode, modifiers | locks, root, False, GrabModeAsync,
                     GrabModeAsync);
            these.push_back({keycode, modifiers | locks});
        }
        if (keycode == 0 || trap.sync() != 0) {
            // Another program (usually the window manager) owns it: it still reaches that
            // program, and the caller is told so.
            refused.push_back(combination);
            for (const Grab& g : these)
                XUngrabKey(display, g.keycode, g.modifiers, root);
            continue;
        }
        grabs.insert(grabs.end(), these.begin(), these.end());
    }
    XSync(display, False);
    return grabs;
}

void X11Desktop::ungrab(const std::vector<Grab>& grabs) {
    Display* display = events_.get();
    for (const Grab& g : grabs)
        XUngrabKey(display, g.keycode, g.modifiers, DefaultRootWindow(display));
    XSync(display, False);
}

std::unique_ptr<InputListener> X11Desktop::listen(std::vector<InputEvent::Type> types,
                                                  Callback callback) {
    return listenAndConsume(std::move(types), {}, std::move(callback));
}

std::unique_ptr<InputListener> X11Desktop::listenAndConsume(std::vector<InputEvent::Type> types,
                                                            std::vector<KeyCombination> consume,
                                                            Callback callback) {
    if (!hasXInput2_)
        return nullptr;
    std::vector<KeyCombination> refused;
    auto grabs = grab(consume, refused);
    const auto id = addListener({Listener::Kind::tap, std::move(types), std::move(callback)});
    return std::make_unique<Handle>(*this, id, std::move(grabs), std::move(refused));
}

std::unique_ptr<InputListener> X11Desktop::monitorKeys(Callback callback) {
    if (!hasXInput2_)
        return nullptr;
    const auto id = addListener({Listener::Kind::monitor, {}, std::move(callback)});
    return std::make_unique<Handle>(*this, id, std::vector<Grab>{}, std::vector<KeyCombination>{});
}

// ---- windows and applications ----

std::vector<WindowInfo> X11Desktop::windowList() {
    std::vector<WindowInfo> list;
    for (Window window : windows_->clientsFrontToBack()) {
        if (!windows_->isOnScreen(window))
            continue;
        if (const auto area = windows_->clientArea(window))
            list.push_back({windows_->processID(window), *area});
    }
    return list;
}

Posted X11Desktop::holdInputRouting() {
    // The guardian must be listening before the grab: it needs the server to start.
    if (!journal_->ready())
        return Posted::failure(journal_->failure());
    XGrabServer(display_.get()); // goes out with the focus query that follows
    serverGrabbed_ = true;
    return {};
}

void X11Desktop::releaseInputRouting() {
    if (!serverGrabbed_)
        return;
    XUngrabServer(display_.get());
    XFlush(display_.get());
    serverGrabbed_ = false;
}

std::optional<WindowID> X11Desktop::focusedWindow() {
    Window focus = None;
    int revertTo = 0;
    XGetInputFocus(display_.get(), &focus, &revertTo);
    if (focus == None || focus == PointerRoot)
        return std::nullopt;
    if (const auto known = clientOfFocus_.find(focus); known != clientOfFocus_.end())
        return known->second;
    const auto client = windows_->clientOf(focus);
    if (!client)
        return std::nullopt;
    if (clientOfFocus_.size() > 256) // windows come and go; the ids of the gone ones linger
        clientOfFocus_.clear();
    clientOfFocus_.emplace(focus, *client);
    return *client;
}

std::optional<WindowID> X11Desktop::windowAt(Point position) {
    const auto window = windows_->windowAt(static_cast<int>(std::lround(position.x)),
                                           static_cast<int>(std::lround(position.y)));
    return window ? std::optional<WindowID>(*window) : std::nullopt;
}

std::vector<WindowID> X11Desktop::topLevelWindows() {
    const auto clients = windows_->clientsFrontToBack();
    return std::vector<WindowID>(clients.begin(), clients.end());
}

std::optional<WindowFacts> X11Desktop::windowFacts(WindowID id) {
    const auto window = static_cast<Window>(id);
    XWindowAttributes attributes{};
    {
        ErrorTrap trap(display_.get());
        if (!XGetWindowAttributes(display_.get(), window, &attributes))
            return std::nullopt;
    }
    WindowFacts facts;
    facts.processID = windows_->processID(window);
    facts.bundleID = windows_->applicationID(window);
    if (const auto owner = windows_->transientFor(window))
        facts.transientFor = *owner;
    facts.isPopup = attributes.override_redirect;
    return facts;
}

std::string X11Desktop::applicationName(const std::string& applicationID) {
    return keyferry::applicationName(applicationID);
}

std::vector<RunningApplication> X11Desktop::runningApplications() {
    std::vector<RunningApplication> applications;
    for (Window window : windows_->clientsFrontToBack()) {
        const auto id = windows_->applicationID(window);
        if (!id)
            continue;
        const bool regular = !windows_->skipsTaskbar(window);
        const auto known = std::ranges::find(applications, id, &RunningApplication::bundleID);
        if (known != applications.end()) {
            known->isRegular = known->isRegular || regular;
            continue;
        }
        applications.push_back({*id, cachedName(*id), windows_->processID(window), regular});
    }
    return applications;
}

std::optional<RunningApplication> X11Desktop::frontmostApplication() {
    // Asked before every key press of a run: the active window alone, no full scan.
    const auto active = windows_->activeWindow();
    if (!active)
        return std::nullopt;
    const auto id = windows_->applicationID(*active);
    const int pid = windows_->processID(*active);
    if (!id)
        return RunningApplication{std::nullopt, std::nullopt, pid, true};
    return RunningApplication{id, cachedName(*id), pid, true};
}

std::string X11Desktop::cachedName(const std::string& applicationID) {
    auto name = names_.find(applicationID);
    if (name == names_.end())
        name = names_.emplace(applicationID, applicationName(applicationID)).first;
    return name->second;
}

bool X11Desktop::activate(const RunningApplication& application) {
    if (!application.bundleID)
        return false;
    for (Window window : windows_->clientsFrontToBack())
        if (windows_->applicationID(window) == application.bundleID)
            return windows_->requestActivation(window);
    return false; // no window to bring forward
}

std::vector<Rect> X11Desktop::ownVisibleWindows() {
    std::vector<Rect> frames;
    const int own = static_cast<int>(getpid());
    for (const WindowInfo& window : windowList())
        if (window.ownerProcessID == own)
            frames.push_back(window.bounds);
    return frames;
}

bool X11Desktop::ownApplicationInFront() {
    const auto active = windows_->activeWindow();
    return active && windows_->processID(*active) == static_cast<int>(getpid());
}

// ---- accessibility ----

bool X11Desktop::isTrusted() {
    if (!hasXTest_ || !hasXInput2_)
        return false;
    // Without an accessibility bus, X input is all there is.
    return accessibilityEnabled().value_or(true);
}

bool X11Desktop::isTrustedWithPrompt() {
    enableAccessibility();
    return isTrusted();
}

std::optional<FocusedElement> X11Desktop::focusedElement() {
    return focus_ ? focus_->focusedElement(*this) : std::nullopt;
}

std::optional<FocusedElement> X11Desktop::focusedElementOnceAnnounced() {
    return focus_ ? focus_->focusedElementOnceAnnounced(*this) : std::nullopt;
}

std::optional<FieldText> X11Desktop::focusedFieldText() {
    return focus_ ? focus_->focusedFieldText(*this) : std::nullopt;
}

std::unique_ptr<FieldReading> X11Desktop::holdFocusedField() {
    return focus_ ? focus_->holdFocusedField(*this) : nullptr;
}

std::optional<bool> X11Desktop::focusedCheckState() {
    return focus_ ? focus_->focusedCheckState(*this) : std::nullopt;
}

std::optional<FieldChoices> X11Desktop::focusedChoices() {
    return focus_ ? focus_->focusedChoices(*this) : std::nullopt;
}

std::vector<std::string> X11Desktop::shownPopups() {
    return focus_ ? focus_->shownPopups(*this) : std::vector<std::string>{};
}

std::vector<std::string> X11Desktop::announcedErrors() {
    return focus_ ? focus_->announcedErrors(*this) : std::vector<std::string>{};
}

void X11Desktop::beep() {
    XBell(display_.get(), 0);
    XFlush(display_.get());
}

} // namespace keyferry
