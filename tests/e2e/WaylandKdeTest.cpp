#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <QDBusVariant>

#include "Desktop.h"
#include "JsonLines.h"
#include "KWinSession.h"
#include "TrustDesktop.h"
#include "platform/wayland/KGlobalShortcuts.h"
#include "platform/wayland/KWinChannel.h"
#include "platform/wayland/Keysyms.h"
#include "platform/wayland/WaylandDesktop.h"
#include "recording/RecorderService.h"

#if KEYFERRY_WITH_LIBEI
#include "platform/wayland/portal/EiSender.h"
#include "text/Utf8.h"

#include <linux/input-event-codes.h>
#include <unistd.h>
#include <xkbcommon/xkbcommon-keysyms.h>
#endif

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

// Keyferry on a headless KDE Plasma (KWin with its virtual backend, the desktop portal with
// its KDE backend): windows and activation held against what KWin tells scripts of the test's
// own, `keyferry desktop`, and the stop shortcut pressed as a remote user's hand: through the
// desktop portal's remote desktop, or through KWin's own EIS connection where KWin has one.

using namespace keyferry;
using namespace keyferry::testing;

namespace {

class KdeDesktop : public ::testing::Test {
protected:
    void SetUp() override {
        auto connected = WaylandDesktop::connect(scheduler);
        ASSERT_TRUE(connected.hasValue()) << connected.error();
        desktop = std::move(*connected);
        ASSERT_TRUE(desktop->facts().kwinScript) << desktop->windowsProblem();
    }

    QtScheduler scheduler;
    std::unique_ptr<WaylandDesktop> desktop;
};

Process yadForm(const std::string& title) {
    return Process(
        {"env", "GDK_BACKEND=wayland", "yad", "--form", "--title", title, "--field", "Name"});
}

using Box = std::tuple<int, double, double, double, double>;

bool holds(const KWinView& view, Point point) {
    return point.x >= view.x && point.x < view.x + view.width && point.y >= view.y &&
           point.y < view.y + view.height;
}

/// A point of `view` that no other window covers, looked for on a grid of 2 px.
std::optional<Point> pointOnlyIn(const KWinView& view, const std::vector<KWinView>& views) {
    for (double y = view.y + 1; y < view.y + view.height; y += 2)
        for (double x = view.x + 1; x < view.x + view.width; x += 2)
            if (std::ranges::none_of(views, [&](const KWinView& other) {
                    return other.id != view.id && holds(other, {x, y});
                }))
                return Point{x, y};
    return std::nullopt;
}

/// A point every window covers, when there is one.
std::optional<Point> pointInAll(const std::vector<KWinView>& views) {
    const KWinView& first = views.front();
    for (double y = first.y + 1; y < first.y + first.height; y += 2)
        for (double x = first.x + 1; x < first.x + first.width; x += 2)
            if (std::ranges::all_of(views, [&](const KWinView& view) {
                    return holds(view, {x, y});
                }))
                return Point{x, y};
    return std::nullopt;
}

} // namespace

// A Qt form and a GTK form: the window list, the running applications, the front, the focused
// window, the window under a point and each window's facts are what KWin tells the test, and
// activation moves KWin's active window, whichever was in front.
TEST_F(KdeDesktop, WindowsApplicationsAndActivationMatchKWin) {
    Process qt({"env", "QT_QPA_PLATFORM=wayland", KEYFERRY_QT_FORM, "Name"});
    Process yad = yadForm("Keyferry yad form");
    ASSERT_TRUE(waitForKWinViewOf(qt.pid()));
    ASSERT_TRUE(waitForKWinViewOf(yad.pid()));

    const std::map<pid_t, std::string> applicationOf = {{qt.pid(), "qt_form"}, {yad.pid(), "yad"}};
    for (const pid_t front : {qt.pid(), yad.pid(), qt.pid()}) {
        SCOPED_TRACE("in front: " + applicationOf.at(front));
        const RunningApplication application{applicationOf.at(front), std::nullopt, front, true};
        ASSERT_TRUE(desktop->activate(application));
        ASSERT_TRUE(waitForActiveKWinView(front)) << "KWin did not activate the window";

        const auto views = kwinViews();
        ASSERT_EQ(views.size(), 2u);
        std::set<Box> expected, listed;
        // A window's bounds are its client area: where recorded clicks are measured from.
        for (const KWinView& view : views)
            expected.insert(
                {view.pid, view.clientX, view.clientY, view.clientWidth, view.clientHeight});
        const auto windows = desktop->windowList();
        for (const WindowInfo& window : windows)
            listed.insert({window.ownerProcessID, window.bounds.x, window.bounds.y,
                           window.bounds.width, window.bounds.height});
        EXPECT_EQ(listed, expected);

        std::set<std::pair<std::string, int>> applications;
        for (const RunningApplication& running : desktop->runningApplications()) {
            EXPECT_TRUE(running.isRegular);
            applications.insert({running.bundleID.value_or(""), running.processID});
        }
        EXPECT_EQ(applications, (std::set<std::pair<std::string, int>>{{"qt_form", qt.pid()},
                                                                       {"yad", yad.pid()}}));

        const auto frontmost = desktop->frontmostApplication();
        ASSERT_TRUE(frontmost);
        EXPECT_EQ(frontmost->bundleID, applicationOf.at(front));
        EXPECT_EQ(frontmost->processID, front);

        // Window ids are Keyferry's own: each names one window, the same in every answer.
        std::set<WindowID> seen;
        for (const KWinView& view : views) {
            // A point inside this window and no other one, as KWin lays them out.
            const auto inside = pointOnlyIn(view, views);
            ASSERT_TRUE(inside) << view.resourceClass << " is covered";
            const auto id = desktop->windowAt(*inside);
            ASSERT_TRUE(id) << view.resourceClass;
            EXPECT_TRUE(seen.insert(*id).second);
            const auto facts = desktop->windowFacts(*id);
            ASSERT_TRUE(facts);
            EXPECT_EQ(facts->processID, view.pid);
            EXPECT_EQ(facts->bundleID, view.resourceClass);
            EXPECT_FALSE(facts->transientFor);
            EXPECT_FALSE(facts->isPopup);
            if (view.pid == front) {
                EXPECT_EQ(desktop->focusedWindow(), id);
            }
            // KWin 6 decorates the windows: its title bar belongs to the window too.
            if (view.decorated() && view.clientY > view.y) {
                const Point titleBar{view.clientX + view.clientWidth / 2, view.y + 1};
                if (std::ranges::none_of(views, [&](const KWinView& other) {
                        return other.id != view.id && holds(other, titleBar);
                    })) {
                    EXPECT_EQ(desktop->windowAt(titleBar), id) << view.resourceClass;
                }
            }
        }
        const auto all = desktop->topLevelWindows();
        EXPECT_EQ(std::set<WindowID>(all.begin(), all.end()), seen);
        // Where the two overlap, the one just activated is in front.
        if (const auto both = pointInAll(views)) {
            EXPECT_EQ(desktop->windowAt(*both), desktop->focusedWindow());
        }
    }

    // The user moves the focus: Keyferry sees it at once, nothing is remembered.
    ASSERT_TRUE(activateInKWin(yad.pid()));
    ASSERT_TRUE(waitForActiveKWinView(yad.pid()));
    EXPECT_EQ(desktop->frontmostApplication()->processID, yad.pid());

    EXPECT_FALSE(desktop->activate({"no.such.app", std::nullopt, 0, true}));
}

// A window that goes away is gone from every answer; its id names nothing any more.
TEST_F(KdeDesktop, AClosedWindowIsGone) {
    Process yad = yadForm("Keyferry closing form");
    const auto view = waitForKWinViewOf(yad.pid());
    ASSERT_TRUE(view);
    const auto id = desktop->windowAt({view->x + view->width / 2, view->y + view->height / 2});
    ASSERT_TRUE(id);
    ASSERT_TRUE(desktop->windowFacts(*id));
    ::kill(yad.pid(), SIGTERM);
    yad.wait();
    ASSERT_TRUE(spinUntil([&] { return kwinViews().empty(); }));
    EXPECT_FALSE(desktop->windowFacts(*id));
    EXPECT_TRUE(desktop->windowList().empty());
    EXPECT_TRUE(desktop->runningApplications().empty());
    EXPECT_FALSE(desktop->frontmostApplication());
}

// Keyferry's script is KWin's only while Keyferry needs it; two Keyferry processes (here two
// channels) each have their own, and a request is answered after the script has waited
// for one.
TEST(KWinScript, LoadedWhileNeededAndOnePerChannel) {
    std::string firstName, secondName;
    {
        auto first = wayland::KWinChannel::open();
        ASSERT_TRUE(first) << first.error();
        auto second = wayland::KWinChannel::open();
        ASSERT_TRUE(second) << second.error();
        firstName = (*first)->scriptName();
        secondName = (*second)->scriptName();
        EXPECT_NE(firstName, secondName);
        EXPECT_TRUE(kwinScriptLoaded(firstName));
        EXPECT_TRUE(kwinScriptLoaded(secondName));
        for (int round = 0; round < 3; ++round) {
            const auto one = (*first)->report();
            ASSERT_TRUE(one) << one.error();
            const auto other = (*second)->report();
            ASSERT_TRUE(other) << other.error();
            EXPECT_EQ(one->screen, std::optional(Rect{0, 0, 1280, 800})); // kde.sh's output
            EXPECT_EQ(other->screen, one->screen);
        }
        EXPECT_FALSE((*first)->activate("{no-such-window}")->activated.value_or(true));
        first->reset();
        EXPECT_FALSE(kwinScriptLoaded(firstName));
        EXPECT_TRUE((*second)->report()) << "the other channel goes on";
    }
    EXPECT_FALSE(kwinScriptLoaded(secondName));
}

// `keyferry desktop` on KDE: layout text through the portal, windows, bounds, activation, the
// stop shortcut and recording fields yes; other characters and clicking no, each with why.
TEST(KdeDesktopCommand, ListsWhatWorksAndWhatNot) {
    const std::string printed = shell(shellWord(KEYFERRY_BINARY) + " desktop 2>&1");
    // Plasma 6's portal offers libei, which places clicks; Plasma 5's only keysyms.
    const bool libei = KEYFERRY_WITH_LIBEI && portalVersion() >= 2;
    for (const char* line :
         {"Desktop: KDE\n", "type layout text: yes - through the desktop portal",
          "type any text: no - the desktop portal types only the characters of your keyboard "
          "layout.",
          libei ? "click: yes - through the desktop portal (libei" : "click: no - ",
          "list windows: yes\n", "activate: yes\n", "window bounds: yes\n", "stop hotkey: yes\n",
          "record keys: no - ", "record fields: yes - "})
        EXPECT_NE(printed.find(line), std::string::npos) << line << "\nin:\n" << printed;
}

namespace {

#if KEYFERRY_WITH_LIBEI
/// An EIS connection from KWin's own interface (KWin 6), which hands one to any program of the
/// session without asking; nothing where KWin has none (KWin 5).
std::optional<int> kwinEisConnection() {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.kde.KWin"), QStringLiteral("/org/kde/KWin/EIS/RemoteDesktop"),
        QStringLiteral("org.kde.KWin.EIS.RemoteDesktop"), QStringLiteral("connectToEIS"));
    call << 3; // the portal's device types: keyboard (1) and pointer (2)
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    const int fd = reply.arguments().front().value<QDBusUnixFileDescriptor>().fileDescriptor();
    return fd >= 0 ? std::optional(::dup(fd)) : std::nullopt; // the reply closes its own
}

#endif

/// Keys pressed through the desktop portal's remote desktop: KWin takes them as the keys of
/// a keyboard of the session's (no consent asked of applications that are not sandboxed).
class PortalKeyboard {
public:
    PortalKeyboard() {
        QString sender = bus_.baseService().mid(1);
        sender.replace(QLatin1Char('.'), QLatin1Char('_'));
        session_ = QStringLiteral("/org/freedesktop/portal/desktop/session/") + sender +
                   QStringLiteral("/kftest");
        started_ =
            call("CreateSession",
                 {QVariantMap{
                     {QStringLiteral("handle_token"), QStringLiteral("kfcreate")},
                     {QStringLiteral("session_handle_token"), QStringLiteral("kftest")}}}) &&
            // Each step is refused until the one before has been answered.
            spinUntil([&] {
                return call("SelectDevices", {QVariant::fromValue(QDBusObjectPath(session_)),
                                              QVariantMap{{QStringLiteral("handle_token"), token()},
                                                          {QStringLiteral("types"), 1u}}});
            }) &&
            spinUntil([&] {
                return call("Start", {QVariant::fromValue(QDBusObjectPath(session_)), QString(),
                                      QVariantMap{{QStringLiteral("handle_token"), token()}}});
            }) &&
            // The first key of a session is lost: a Shift tap, once keys are taken.
            spinUntil([&] { return key(shift, true); }) && key(shift, false);
    }
    ~PortalKeyboard() {
        bus_.call(QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.portal.Desktop"), session_,
            QStringLiteral("org.freedesktop.portal.Session"), QStringLiteral("Close")));
    }
    bool started() const { return started_; }
    /// Evdev key codes.
    bool key(int code, bool down) {
        return call("NotifyKeyboardKeycode", {QVariant::fromValue(QDBusObjectPath(session_)),
                                              QVariantMap{}, code, down ? 1u : 0u});
    }
    static constexpr int escape = 1, tab = 15, control = 29, shift = 42;

private:
    bool call(const char* method, const QList<QVariant>& arguments) {
        QDBusMessage message = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.portal.Desktop"),
            QStringLiteral("/org/freedesktop/portal/desktop"),
            QStringLiteral("org.freedesktop.portal.RemoteDesktop"), QString::fromLatin1(method));
        message.setArguments(arguments);
        return bus_.call(message).type() == QDBusMessage::ReplyMessage;
    }
    QString token() { return QStringLiteral("kfrequest%1").arg(requests_++); }

    QDBusConnection bus_ = QDBusConnection::sessionBus();
    QString session_;
    int requests_ = 0;
    bool started_ = false;
};

/// A hand on a keyboard of the session's, pressing evdev keys: through KWin's own EIS
/// connection where KWin has one (KWin 6, whose portal starts no session without a GPU), else
/// through the desktop portal's remote desktop.
class SessionKeyboard {
public:
    SessionKeyboard() {
#if KEYFERRY_WITH_LIBEI
        if (const auto fd = kwinEisConnection()) {
            auto sender = wayland::EiSender::connect(*fd, std::chrono::seconds(5));
            if (sender.hasValue())
                eis_ = std::move(*sender);
            else
                ADD_FAILURE() << "KWin's EIS connection: " << sender.error();
            return;
        }
#endif
        portal_.emplace();
    }
    bool started() const {
#if KEYFERRY_WITH_LIBEI
        if (eis_)
            return true;
#endif
        return portal_ && portal_->started();
    }
    bool key(int code, bool down) {
#if KEYFERRY_WITH_LIBEI
        if (eis_)
            return !eis_->key(static_cast<wayland::Keycode>(code + 8), down);
#endif
        return portal_ && portal_->key(code, down);
    }
    /// Ctrl+Shift+Esc, pressed and released as a hand does.
    bool pressStopShortcut() {
        for (const auto& [code, down] : std::vector<std::pair<int, bool>>{{control, true},
                                                                          {shift, true},
                                                                          {escape, true},
                                                                          {escape, false},
                                                                          {shift, false},
                                                                          {control, false}})
            if (!key(code, down))
                return false;
        return true;
    }
    static constexpr int escape = PortalKeyboard::escape, tab = PortalKeyboard::tab,
                         control = PortalKeyboard::control, shift = PortalKeyboard::shift;

private:
    std::optional<PortalKeyboard> portal_;
#if KEYFERRY_WITH_LIBEI
    std::unique_ptr<wayland::EiSender> eis_;
#endif
};

/// Why Keyferry's own run cannot type on this desktop, when it cannot: KWin 6's portal refuses
/// every remote desktop session on a machine without a GPU (its screencast part needs one),
/// while KWin's own EIS interface answers. Asked once per test program.
std::optional<std::string> portalRefusesSessions() {
    static const std::optional<std::string> refusal = []() -> std::optional<std::string> {
#if KEYFERRY_WITH_LIBEI
        if (const auto fd = kwinEisConnection()) {
            ::close(*fd);
            if (!PortalKeyboard().started())
                return "KWin's desktop portal starts no remote desktop session here (headless "
                       "KWin 6 without a GPU); the libei route is tested through KWin's own EIS";
        }
#endif
        return std::nullopt;
    }();
    return refusal;
}

/// The keys kglobalaccel has for the action named so.
std::vector<int> shortcutKeysOf(const std::string& action) {
    QDBusMessage message = QDBusMessage::createMethodCall(
        QStringLiteral("org.kde.kglobalaccel"), QStringLiteral("/kglobalaccel"),
        QStringLiteral("org.kde.KGlobalAccel"), QStringLiteral("shortcut"));
    message << QStringList{QStringLiteral("keyferry"), QString::fromStdString(action), QString(),
                           QString()};
    const QDBusMessage reply = QDBusConnection::sessionBus().call(message);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    const auto keys = qdbus_cast<QList<int>>(reply.arguments().front());
    return {keys.begin(), keys.end()};
}

/// The keys of the stop shortcut of Keyferry's process `pid`.
std::vector<int> shortcutKeys(pid_t pid = ::getpid()) {
    return shortcutKeysOf("stop-run-0-" + std::to_string(pid));
}

auto startStopShortcut() {
    return wayland::KGlobalShortcuts::start("stop-run", {wayland::KGlobalShortcuts::stopShortcut},
                                            [](const InputEvent&) {});
}

} // namespace

// The stop shortcut is a KDE global shortcut while the monitor lives: Ctrl+Shift+Esc pressed
// on a keyboard of the session's reaches Keyferry as that key press, and the shortcut is gone
// from KDE's list once the monitor ends.
TEST_F(KdeDesktop, TheStopShortcutIsAGlobalShortcutWhileTheMonitorLives) {
    Process yad = yadForm("Keyferry shortcut form");
    ASSERT_TRUE(waitForKWinViewOf(yad.pid()));
    std::vector<InputEvent> presses;
    auto monitor = desktop->monitorKeys([&](const InputEvent& event) { presses.push_back(event); });
    ASSERT_TRUE(monitor);
    // Ctrl, Shift and Esc as Qt 5 combines them.
    EXPECT_EQ(shortcutKeys(), std::vector<int>{0x04000000 | 0x02000000 | 0x01000000});

    SessionKeyboard keyboard;
    ASSERT_TRUE(keyboard.started()) << "the portal's remote desktop did not start";
    ASSERT_TRUE(keyboard.pressStopShortcut());
    ASSERT_TRUE(spinUntil([&] { return !presses.empty(); })) << "no press reported";
    ASSERT_EQ(presses.size(), 1u);
    EXPECT_EQ(presses[0].type, InputEvent::Type::keyDown);
    EXPECT_EQ(presses[0].key, Key::escape);
    EXPECT_EQ(presses[0].modifiers, Modifier::control | Modifier::shift);

    monitor.reset();
    EXPECT_TRUE(shortcutKeys().empty()) << "the shortcut outlived the monitor";
}

// KWin drops a call it has waited 25 s for, and with it the script's wish for the next
// request: the script must still answer after a longer quiet time.
TEST(KWinScript, AnswersAfterAQuietTimeLongerThanACallMayWait) {
    auto channel = wayland::KWinChannel::open();
    ASSERT_TRUE(channel) << channel.error();
    spinUntil([] { return false; }, std::chrono::seconds(40));
    const auto report = (*channel)->report();
    EXPECT_TRUE(report) << report.error();
}

// Keyferry killed (SIGKILL): its script leaves KWin and its shortcut leaves KDE's list all the
// same, so Ctrl+Shift+Esc reaches the applications again.
TEST(KdeCleanup, AKilledKeyferryLeavesNoScriptAndNoShortcut) {
    TemporaryFolder temp;
    const auto readyFile = temp.path() / "ready";
    Process holder({KEYFERRY_KDE_HOLDER, readyFile.string()});
    std::string script;
    ASSERT_TRUE(spinUntil([&] {
        const std::string ready = readText(readyFile);
        if (ready.rfind("ready ", 0) != 0 || ready.back() != '\n')
            return false;
        script = ready.substr(6, ready.size() - 7);
        return true;
    })) << "the holder did not start";
    ASSERT_TRUE(kwinScriptLoaded(script));
    ASSERT_FALSE(shortcutKeys(holder.pid()).empty());
    // A second Keyferry is told the key is taken, and leaves the first one's shortcut alone.
    {
        const auto second = startStopShortcut();
        ASSERT_FALSE(second);
        EXPECT_NE(second.error().find("another global shortcut"), std::string::npos)
            << second.error();
    }
    EXPECT_FALSE(shortcutKeys(holder.pid()).empty());

    ::kill(holder.pid(), SIGKILL);
    holder.wait();
    EXPECT_TRUE(spinUntil([&] { return !kwinScriptLoaded(script); })) << script << " stays";
    EXPECT_TRUE(spinUntil([&] { return shortcutKeys(holder.pid()).empty(); }))
        << "the shortcut stays";
    // Then the key is free again.
    EXPECT_TRUE(startStopShortcut());
}

// Recording on KDE: the steps come from the focus moving through a yad form (Tab pressed
// as a remote hand), labels beyond ASCII byte for byte; Escape, a global shortcut while
// recording, ends it and is kept from the form (which it would close), and is given back.
TEST_F(KdeDesktop, TabsThroughAFormBecomeStepsAndEscapeEndsTheRecording) {
    const std::vector<std::string> labels = {"Stra\u00DFe", "\u0413\u043E\u0440\u043E\u0434",
                                             "\u65E5\u672C \u2713", "Zo\u00EB"};
    std::vector<std::string> command = {"env", "GDK_BACKEND=wayland", "yad", "--form"};
    for (const std::string& label : labels)
        command.push_back("--field=" + label);
    command.push_back("--button=OK:0");
    Process form(command);
    ASSERT_TRUE(waitForKWinViewOf(form.pid()));
    ASSERT_TRUE(waitForActiveKWinView(form.pid()));
    SessionKeyboard keyboard;
    ASSERT_TRUE(keyboard.started());

    RecorderService recorder(*desktop, scheduler);
    ASSERT_TRUE(recorder.followsFocusOnly());
    recorder.startRecording();
    ASSERT_EQ(recorder.state(), RecorderState::recording);
    const std::string escapeAction = wayland::KGlobalShortcuts::actionName("keys", 0);
    EXPECT_EQ(shortcutKeysOf(escapeAction), std::vector<int>{0x01000000});
    for (int tab = 0; tab < 3; ++tab) {
        const std::size_t before = recorder.recordedSteps().size();
        ASSERT_TRUE(keyboard.key(SessionKeyboard::tab, true) &&
                    keyboard.key(SessionKeyboard::tab, false));
        EXPECT_TRUE(spinUntil([&] { return recorder.recordedSteps().size() > before; }))
            << "no step for Tab " << tab + 1;
    }
    ASSERT_TRUE(keyboard.key(SessionKeyboard::escape, true) &&
                keyboard.key(SessionKeyboard::escape, false));
    EXPECT_TRUE(spinUntil([&] { return recorder.state() == RecorderState::idle; }))
        << "Escape did not end the recording";

    std::vector<std::string> steps;
    for (const Step& step : recorder.recordedSteps())
        steps.push_back(step.type == StepType::textInput ? step.label : "(not a text input)");
    EXPECT_EQ(steps, labels) << "the field focused as the recording began, then each Tab's";
    EXPECT_EQ(recorder.detectedBundleID(), "yad");
    EXPECT_EQ(form.wait(std::chrono::milliseconds(500)), -1)
        << "the form closed: Escape reached it";
    EXPECT_TRUE(shortcutKeysOf(escapeAction).empty()) << "Escape stayed a global shortcut";
}

namespace {

/// Whether Ctrl+Shift+Esc is a global shortcut of some program now.
bool stopShortcutTaken() {
    QDBusMessage message = QDBusMessage::createMethodCall(
        QStringLiteral("org.kde.kglobalaccel"), QStringLiteral("/kglobalaccel"),
        QStringLiteral("org.kde.KGlobalAccel"), QStringLiteral("isGlobalShortcutAvailable"));
    message << 0x07000000 << QStringLiteral("keyferry-test");
    const QDBusMessage reply = QDBusConnection::sessionBus().call(message);
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
           !reply.arguments().front().toBool();
}

/// The Qt form with Name, City and Code, printing each row it is given into a file.
class KdeRun : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<Process>(std::vector<std::string>{
            "sh", "-c",
            "exec env QT_QPA_PLATFORM=wayland " + shellWord(KEYFERRY_QT_FORM) +
                " --keep Name City Code >" + shellWord(printed.string())});
        ASSERT_TRUE(waitForKWinViewOf(form->pid()));
    }

    /// Name, City and Code, then Return: Tab after each field but the last.
    static Template formTemplate() {
        Template item;
        item.name = "Form";
        item.targetAppBundleID = "qt_form"; // the Wayland app_id, KWin's resource class
        item.settings.countdownSeconds = 1;
        item.settings.interCharDelay = 0;
        for (const char* label : {"Name", "City", "Code"})
            item.steps.push_back(makeStep(StepType::textInput, label, 0.1));
        item.steps.push_back(makeStep(StepType::returnKey, "", 0.5));
        return item;
    }

    static std::string csvOf(const std::vector<std::vector<std::string>>& rows) {
        std::string csv = "Name;City;Code\n";
        for (const auto& row : rows)
            csv += csvField(row[0]) + ";" + csvField(row[1]) + ";" + csvField(row[2]) + "\n";
        return csv;
    }

    std::size_t rowsLanded() const {
        const std::string text = readText(printed);
        return static_cast<std::size_t>(std::ranges::count(text, '\n'));
    }

    TemporaryFolder temp;
    std::filesystem::path printed = temp.path() / "form.txt";
    std::unique_ptr<Process> form;
};

} // namespace

// A run on KDE types through the desktop portal (KDE asks nothing of an application that is
// not sandboxed): rows of layout text, the characters a US layout reaches with Shift
// included, land in a native Qt form byte for byte, Tab and Return included.
TEST_F(KdeRun, FillsANativeQtFormThroughThePortal) {
    if (const auto refusal = portalRefusesSessions())
        GTEST_SKIP() << *refusal;
    const std::vector<std::vector<std::string>> rows = {
        {"Anna-Maria O'Neil", "Saint-Etienne?", "A#1"},
        {"J. R. \"Bob\" Smith", "New York, NY", "~!@$%^&*()_+"},
        {"zoe@example.org", "Paris 75001", "{x}|<y>"},
    };
    KeyferryRun run(temp.path(), formTemplate(), csvOf(rows));
    run.start();
    EXPECT_EQ(run.wait(), 0) << run.output();
    EXPECT_NE(run.output().find("Done. Entries entered: 3"), std::string::npos) << run.output();
    std::string expected;
    for (const auto& row : rows)
        expected += row[0] + "|" + row[1] + "|" + row[2] + "|\n";
    EXPECT_TRUE(spinUntil([&] { return readText(printed) == expected; }))
        << escaped(readText(printed)) << "\n"
        << run.output();
}

#if KEYFERRY_WITH_LIBEI
namespace {

/// Types `text` key by key through `sender`, by the keys and levels of the keymap the server
/// sent, as Keyferry's libei route does: Shift held for the characters on its level; a tab and
/// a line end are the Tab and Return keys.
void typeThrough(wayland::EiSender& sender, const std::string& text) {
    const auto& keymap = *sender.keymap();
    const auto shift = keymap.find(XKB_KEY_Shift_L);
    ASSERT_TRUE(shift.has_value());
    for (char32_t point : utf8::codePoints(text)) {
        const auto place = keymap.find(wayland::keysymForCodePoint(point));
        ASSERT_TRUE(place.has_value()) << "no key for U+" << std::hex << unsigned(point);
        const bool shifted = (place->modifiers & keymap.shiftMask()) != 0;
        if (shifted) {
            ASSERT_FALSE(sender.key(shift->keycode, true));
        }
        ASSERT_FALSE(sender.key(place->keycode, true));
        ASSERT_FALSE(sender.key(place->keycode, false));
        if (shifted) {
            ASSERT_FALSE(sender.key(shift->keycode, false));
        }
    }
}

} // namespace

// KWin 6's desktop portal cannot start a session without a GPU, but KWin itself hands out the
// same kind of EIS connection the portal would. Through it, Keyferry's libei sender, with the
// keymap KWin sends, types layout text into a native Qt form byte for byte, Tab and Return
// included.
TEST_F(KdeRun, LibeiThroughKWinsOwnEisTypesLayoutTextExactly) {
    const auto fd = kwinEisConnection();
    if (!fd)
        GTEST_SKIP() << "KWin offers no EIS connection of its own (KWin 5)";
    auto sender = wayland::EiSender::connect(*fd, std::chrono::seconds(5));
    ASSERT_TRUE(sender.hasValue()) << sender.error();
    ASSERT_TRUE((*sender)->keymap().has_value()) << "KWin sent no keymap";
    ASSERT_TRUE(activateInKWin(form->pid()));
    ASSERT_TRUE(waitForActiveKWinView(form->pid()));
    const std::string row = "Anna-Maria O'Neil\tNew York, NY?\t~!@$%^&*()_+{x}|<y>\n";
    typeThrough(**sender, row);
    EXPECT_TRUE((*sender)->releaseAll());
    EXPECT_TRUE(spinUntil([&] {
        return readText(printed) == "Anna-Maria O'Neil|New York, NY?|~!@$%^&*()_+{x}|<y>|\n";
    })) << escaped(readText(printed));
}

// Clicks through KWin's own EIS connection land where they are aimed: the centre of a button
// of a GTK window, placed from the window's client area as KWin lists it and the button's box
// as the window reports it, presses that button, for buttons at three corners and the middle.
TEST(KdeEis, ClicksThroughKWinsOwnEisPressTheButtonAimedAt) {
    const auto fd = kwinEisConnection();
    if (!fd)
        GTEST_SKIP() << "KWin offers no EIS connection of its own (KWin 5)";
    auto sender = wayland::EiSender::connect(*fd, std::chrono::seconds(5));
    ASSERT_TRUE(sender.hasValue()) << sender.error();
    ASSERT_TRUE((*sender)->canClick()) << "KWin gave no absolute pointer";
    TemporaryFolder temp;
    const auto log = temp.path() / "grid.jsonl";
    Process grid(
        {"env", "GDK_BACKEND=wayland", "/usr/bin/python3", KEYFERRY_CLICK_GRID, log.string()});
    ASSERT_TRUE(waitForRecord(log, "ready"));
    const auto view = waitForKWinViewOf(grid.pid());
    ASSERT_TRUE(view);
    ASSERT_TRUE(activateInKWin(grid.pid()));
    ASSERT_TRUE(waitForActiveKWinView(grid.pid()));
    ::kill(grid.pid(), SIGUSR1);
    ASSERT_TRUE(waitForRecord(log, "layout"));
    const nlohmann::json layout = recordsOf(log, "layout").back();
    ASSERT_EQ(layout["size"][0].get<double>(), view->clientWidth) << layout.dump();
    ASSERT_EQ(layout["size"][1].get<double>(), view->clientHeight) << layout.dump();

    const std::vector<std::string> aimed = {"r0c2", "r2c0", "r1c1", "r2c2"};
    for (std::size_t i = 0; i < aimed.size(); ++i) {
        const auto& box = layout["buttons"][aimed[i]];
        const Point centre{view->clientX + box[0].get<double>() + box[2].get<double>() / 2,
                           view->clientY + box[1].get<double>() + box[3].get<double>() / 2};
        ASSERT_FALSE((*sender)->button(centre, BTN_LEFT, true));
        ASSERT_FALSE((*sender)->button(centre, BTN_LEFT, false));
        ASSERT_TRUE(waitForRecord(log, "click", i + 1, std::chrono::seconds(5)))
            << "no click for " << aimed[i] << "\n"
            << readText(log);
        EXPECT_EQ(recordsOf(log, "click").back()["button"].get<std::string>(), aimed[i]);
    }
    EXPECT_TRUE((*sender)->releaseAll());
}
#endif

// Ctrl+Shift+Esc pressed on a keyboard of the session's (as a remote user's hand) ends the run
// before its last rows; the key is a global shortcut only while the run lasts.
TEST_F(KdeRun, TheStopShortcutPressedStopsTheRun) {
    if (const auto refusal = portalRefusesSessions())
        GTEST_SKIP() << *refusal;
    std::vector<std::vector<std::string>> rows;
    for (int i = 1; i <= 12; ++i)
        rows.push_back({"Name " + std::to_string(i), "City", std::to_string(i)});
    Template slow = formTemplate();
    slow.steps.back().postDelay = 1.0;
    ASSERT_FALSE(stopShortcutTaken());
    KeyferryRun run(temp.path(), slow, csvOf(rows));
    run.start();
    ASSERT_TRUE(spinUntil([&] { return rowsLanded() > 0; }, std::chrono::seconds(30)))
        << run.output();
    EXPECT_TRUE(stopShortcutTaken()) << "the run holds no shortcut";
    SessionKeyboard hand;
    ASSERT_TRUE(hand.started());
    ASSERT_TRUE(hand.pressStopShortcut());
    EXPECT_EQ(run.wait(std::chrono::seconds(30)), 1) << run.output();
    const std::size_t landed = rowsLanded();
    EXPECT_LT(landed, rows.size()) << run.output();
    EXPECT_NE(run.output().find("Entries that need another try"), std::string::npos)
        << run.output();
    EXPECT_EQ(run.output().find("Paused"), std::string::npos) << "stopped, not paused";
    settle(std::chrono::milliseconds(1500));
    EXPECT_EQ(rowsLanded(), landed) << "typing went on after the stop";
    EXPECT_FALSE(stopShortcutTaken()) << "the shortcut outlived the run";
}

// A key another program has as a global shortcut (Alt+Space is KRunner's on Plasma) stays
// with it: the recorder's keys are bound without it, and it is named as one that cannot be
// kept from the applications.
TEST_F(KdeDesktop, AKeyAnotherProgramHasStaysWithIt) {
    const QStringList other = {QStringLiteral("other-tool"), QStringLiteral("launcher"),
                               QStringLiteral("Other tool"), QStringLiteral("Launcher")};
    const auto accel = [](const char* method, const QList<QVariant>& arguments) {
        QDBusMessage message = QDBusMessage::createMethodCall(
            QStringLiteral("org.kde.kglobalaccel"), QStringLiteral("/kglobalaccel"),
            QStringLiteral("org.kde.KGlobalAccel"), QString::fromLatin1(method));
        message.setArguments(arguments);
        return QDBusConnection::sessionBus().call(message);
    };
    constexpr int altSpace = 0x08000020;
    ASSERT_EQ(accel("doRegister", {other}).type(), QDBusMessage::ReplyMessage);
    ASSERT_EQ(accel("setShortcut", {other, QVariant::fromValue(QList<int>{altSpace}), 7u}).type(),
              QDBusMessage::ReplyMessage);
    {
        const KeyCombination escape{Key::escape, {}}, optionSpace{Key::space, Modifier::alt};
        auto bound = desktop->bindKeys({escape, optionSpace}, [](const InputEvent&) {});
        ASSERT_TRUE(bound);
        EXPECT_EQ(bound->unconsumable(), std::vector<KeyCombination>{optionSpace});
        EXPECT_EQ(shortcutKeysOf(wayland::KGlobalShortcuts::actionName("keys", 0)),
                  std::vector<int>{0x01000000});
        EXPECT_TRUE(shortcutKeysOf(wayland::KGlobalShortcuts::actionName("keys", 1)).empty());
    }
    const QDBusMessage stillOthers = accel("shortcut", {other});
    ASSERT_EQ(stillOthers.type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(qdbus_cast<QList<int>>(stillOthers.arguments().front()), QList<int>{altSpace});
    accel("unRegister", {other});
}
