// The guardian on a real X server: runs killed with keys held and keycodes bound, at chosen
// and at random moments, must leave the keymap as it was and nothing of theirs held, within
// 2 s. Runs under scripts/test-desktop.sh.

#include <gtest/gtest.h>
// After GoogleTest, which Xlib's None and Bool macros would break.
#include "model/TemplateJson.h"
#include "platform/x11/GuardianJournal.h"
#include "platform/x11/KeymapJournalFile.h"
#include "platform/x11/LeftoverKeymaps.h"
#include "support/Shell.h"
#include "support/TemporaryFolder.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace keyferry::x11;
using keyferry::testing::readText;
using keyferry::testing::TemporaryFolder;
using keyferry::testing::writeText;
using Clock = std::chrono::steady_clock;

namespace {

constexpr auto giveBackDeadline = std::chrono::seconds(2);
constexpr KeySym cyrillicA = 0x1000430;

std::string keymap() {
    return keyferry::testing::shell("xmodmap -pke");
}

std::vector<KeySym> mappingOf(Display* display, KeyCode keycode) {
    int width = 0;
    KeySym* syms = XGetKeyboardMapping(display, keycode, 1, &width);
    std::vector<KeySym> list(syms, syms + width);
    XFree(syms);
    return list;
}

void setMapping(Display* display, KeyCode keycode, std::vector<KeySym> keysyms) {
    XChangeKeyboardMapping(display, keycode, static_cast<int>(keysyms.size()), keysyms.data(), 1);
    XSync(display, False);
}

/// Keycodes without any symbol, as Keyferry borrows them.
std::vector<KeyCode> spareKeycodes(Display* display) {
    int lowest = 0, highest = 0;
    XDisplayKeycodes(display, &lowest, &highest);
    std::vector<KeyCode> spare;
    for (int keycode = lowest + 1; keycode <= highest; ++keycode) {
        const auto list = mappingOf(display, static_cast<KeyCode>(keycode));
        if (std::ranges::all_of(list, [](KeySym s) { return s == NoSymbol; }))
            spare.push_back(static_cast<KeyCode>(keycode));
    }
    return spare;
}

/// The pressed keys and buttons of the XTest devices, which only synthesised input presses.
struct HeldByXTest {
    std::vector<int> keys, buttons;
    bool none() const { return keys.empty() && buttons.empty(); }
};

HeldByXTest heldByXTest(Display* display) {
    HeldByXTest held;
    int count = 0;
    XDeviceInfo* devices = XListInputDevices(display, &count);
    for (int i = 0; i < count; ++i) {
        const std::string name = devices[i].name;
        if (name != "Virtual core XTEST keyboard" && name != "Virtual core XTEST pointer")
            continue;
        XDevice* device = XOpenDevice(display, devices[i].id);
        if (!device)
            continue;
        XDeviceState* state = XQueryDeviceState(display, device);
        auto* item = state ? state->data : nullptr;
        for (int c = 0; state && c < state->num_classes; ++c) {
            if (item->c_class == KeyClass) {
                const auto* keys = reinterpret_cast<XKeyState*>(item);
                for (int k = 0; k < 256; ++k)
                    if (keys->keys[k / 8] & (1 << (k % 8)))
                        held.keys.push_back(k);
            } else if (item->c_class == ButtonClass) {
                const auto* buttons = reinterpret_cast<XButtonState*>(item);
                for (int b = 1; b < 256; ++b)
                    if (buttons->buttons[b / 8] & (1 << (b % 8)))
                        held.buttons.push_back(b);
            }
            item = reinterpret_cast<XInputClass*>(reinterpret_cast<char*>(item) + item->length);
        }
        if (state)
            XFreeDeviceState(state);
        XCloseDevice(display, device);
    }
    XFreeDeviceList(devices);
    return held;
}

bool journalFileOf(pid_t pid) {
    const auto folder = KeymapJournalFile::folder();
    if (!folder)
        return false;
    for (const auto& entry : std::filesystem::directory_iterator(*folder))
        if (KeymapJournalFile::ownerOf(entry.path()) == pid)
            return true;
    return false;
}

void tell(int fd, pid_t value) {
    if (::write(fd, &value, sizeof value) != sizeof value)
        ::_exit(4);
}

/// A run as X11Keyboard types: notes first, commit, then the X requests. Each text binds
/// two spare keycodes, types Shift with one of them, a letter or a click per character, and
/// restores them after a settle time. Tells `report` its guardian once a key is down, then
/// types until killed.
[[noreturn]] void typeUntilKilled(int report, unsigned int seed) {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        ::_exit(2);
    GuardianJournal journal(display);
    const auto spare = spareKeycodes(display);
    if (spare.size() < 2)
        ::_exit(2);
    const KeyCode borrowed[2] = {spare[0], spare[1]};
    const std::vector<KeySym> original[2] = {mappingOf(display, borrowed[0]),
                                             mappingOf(display, borrowed[1])};
    const KeyCode shift = XKeysymToKeycode(display, XK_Shift_L);
    const KeyCode letter = XKeysymToKeycode(display, XK_a);
    std::minstd_rand random(seed);
    const auto commit = [&] {
        if (!journal.commit())
            ::_exit(3);
    };
    const auto hold = [&] {
        // Sometimes only flushed, sometimes held a while: a kill then finds presses still on
        // their way, or keys down.
        if (random() % 2)
            XFlush(display);
        else
            XSync(display, False);
        if (random() % 4 == 0)
            std::this_thread::sleep_for(std::chrono::microseconds(random() % 2000));
    };
    // One keycode bound with every level written, one as X11Keyboard binds: the two levels
    // of a letter and its capital.
    const auto boundFor = [&](int i, unsigned int text) {
        const unsigned int letterIndex = (2 * text + static_cast<unsigned int>(i)) % 32;
        if (i == 1)
            return std::vector<KeySym>{cyrillicA + letterIndex, cyrillicA - 0x20 + letterIndex};
        std::vector<KeySym> bound(original[i].size(), NoSymbol);
        bound[0] = bound[1] = cyrillicA + letterIndex;
        return bound;
    };
    bool told = false;
    for (unsigned int text = 0;; ++text) {
        for (int i = 0; i < 2; ++i)
            journal.binding(borrowed[i], original[i], boundFor(i, text));
        commit();
        for (int i = 0; i < 2; ++i) {
            std::vector<KeySym> bound = boundFor(i, text);
            XChangeKeyboardMapping(display, borrowed[i], static_cast<int>(bound.size()),
                                   bound.data(), 1);
        }
        XSync(display, False);

        for (int character = 0; character < 16; ++character) {
            if (character % 4 == 3) {
                journal.pressingButton(1);
                commit();
                XTestFakeButtonEvent(display, 1, True, CurrentTime);
                hold();
                XTestFakeButtonEvent(display, 1, False, CurrentTime);
                XSync(display, False);
                journal.releasedButton(1);
                continue;
            }
            const KeyCode keycode = character % 4 == 2 ? letter : borrowed[character % 2];
            journal.pressing(shift);
            journal.pressing(keycode);
            commit();
            XTestFakeKeyEvent(display, shift, True, CurrentTime);
            XTestFakeKeyEvent(display, keycode, True, CurrentTime);
            hold();
            if (!told)
                tell(report, journal.guardianProcess());
            told = true;
            XTestFakeKeyEvent(display, keycode, False, CurrentTime);
            XTestFakeKeyEvent(display, shift, False, CurrentTime);
            XSync(display, False);
            journal.released(keycode);
            journal.released(shift);
        }

        std::this_thread::sleep_for(std::chrono::milliseconds(20 + random() % 20));
        for (int i = 0; i < 2; ++i)
            XChangeKeyboardMapping(display, borrowed[i], static_cast<int>(original[i].size()),
                                   const_cast<KeySym*>(original[i].data()), 1);
        XSync(display, False);
        journal.restored(borrowed[0]);
        journal.restored(borrowed[1]);
    }
}

class GuardianDesktop : public ::testing::Test {
protected:
    void SetUp() override {
        // Guardians of killed runs become our children, so that their end can be seen.
        ::prctl(PR_SET_CHILD_SUBREAPER, 1);
        display_ = XOpenDisplay(nullptr);
        ASSERT_NE(display_, nullptr) << "needs an X server (scripts/test-desktop.sh)";
        before_ = keymap();
        spare_ = spareKeycodes(display_);
        ASSERT_FALSE(before_.empty()) << "xmodmap did not answer";
        ASSERT_TRUE(heldByXTest(display_).none());
    }
    void TearDown() override {
        if (display_)
            XCloseDisplay(display_);
    }

    /// A child process running `body` with the write end of a pipe for its reports.
    struct Run {
        pid_t pid = -1;
        int reports = -1;
        /// Waits for the next report; -1 when the run ended without one.
        pid_t report() const {
            pid_t value = -1;
            if (::read(reports, &value, sizeof value) != sizeof value)
                return -1;
            return value;
        }
        ~Run() { ::close(reports); }
    };
    template <class Body>
    Run startRun(Body body) {
        int pipe[2];
        EXPECT_EQ(::pipe(pipe), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(pipe[0]);
            body(pipe[1]);
            ::_exit(0);
        }
        ::close(pipe[1]);
        return {child, pipe[0]};
    }

    /// Kills the run and waits, up to the deadline, until nothing of it is left: keymap as
    /// before, no key or button of XTest down, guardian ended, journal file gone.
    ::testing::AssertionResult killAndExpectGivenBack(pid_t run, pid_t guardian) {
        ::kill(run, SIGKILL);
        ::waitpid(run, nullptr, 0);
        const auto deadline = Clock::now() + giveBackDeadline;
        bool guardianEnded = guardian <= 0;
        std::string now;
        HeldByXTest held;
        for (;;) {
            if (!guardianEnded)
                guardianEnded = ::waitpid(guardian, nullptr, WNOHANG) == guardian;
            XSync(display_, True); // drops the MappingNotify events of the run
            now = keymap();
            held = heldByXTest(display_);
            if (guardianEnded && now == before_ && held.none() && !journalFileOf(run))
                return ::testing::AssertionSuccess();
            if (Clock::now() > deadline)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        auto failure = ::testing::AssertionFailure();
        failure << "after 2 s:";
        if (!guardianEnded)
            failure << " the guardian still runs;";
        if (now != before_)
            failure << " the keymap differs;";
        for (int key : held.keys)
            failure << " key " << key << " is down;";
        for (int button : held.buttons)
            failure << " button " << button << " is down;";
        if (journalFileOf(run))
            failure << " the journal file is still there;";
        giveBackOurselves();
        return failure;
    }

    /// Cleans up after a failure, so that the next test starts from a clean desktop.
    void giveBackOurselves() {
        const HeldByXTest held = heldByXTest(display_);
        for (int key : held.keys)
            XTestFakeKeyEvent(display_, static_cast<unsigned int>(key), False, CurrentTime);
        for (int button : held.buttons)
            XTestFakeButtonEvent(display_, static_cast<unsigned int>(button), False, CurrentTime);
        for (KeyCode keycode : spare_)
            setMapping(display_, keycode, std::vector<KeySym>(2, NoSymbol));
    }

    Display* display_ = nullptr;
    std::string before_;
    std::vector<KeyCode> spare_;
};

} // namespace

TEST_F(GuardianDesktop, KilledWhileHoldingKeysAButtonAndABoundKeycode) {
    const KeyCode keycode = spareKeycodes(display_).at(0);
    const KeyCode shift = XKeysymToKeycode(display_, XK_Shift_L);
    const auto original = mappingOf(display_, keycode);
    const Run run = startRun([&](int report) {
        Display* display = XOpenDisplay(nullptr);
        GuardianJournal journal(display);
        std::vector<KeySym> bound(original.size(), NoSymbol);
        bound[0] = bound[1] = cyrillicA;
        journal.binding(keycode, original, bound);
        journal.pressing(shift);
        journal.pressing(keycode);
        journal.pressingButton(2);
        if (!journal.commit())
            ::_exit(3);
        setMapping(display, keycode, bound);
        XTestFakeKeyEvent(display, shift, True, CurrentTime);
        XTestFakeKeyEvent(display, keycode, True, CurrentTime);
        XTestFakeButtonEvent(display, 2, True, CurrentTime);
        XSync(display, False);
        tell(report, journal.guardianProcess());
        ::pause();
    });
    const pid_t guardian = run.report();
    ASSERT_GT(guardian, 0);
    // Really held and bound before the kill, or the test would prove nothing.
    EXPECT_NE(keymap(), before_);
    EXPECT_EQ(heldByXTest(display_).keys.size(), 2u);
    EXPECT_EQ(heldByXTest(display_).buttons, std::vector<int>{2});
    EXPECT_TRUE(journalFileOf(run.pid));
    // What reaches the guardian along with the run: Ctrl+C, a closed terminal, pkill.
    for (int sent : {SIGINT, SIGHUP, SIGTERM})
        ::kill(guardian, sent);
    EXPECT_TRUE(killAndExpectGivenBack(run.pid, guardian));
}

TEST_F(GuardianDesktop, KilledAtRandomMomentsWhileTypingLeavesNothing) {
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> killAfterMicroseconds(0, 60000);
    int passed = 0;
    constexpr int rounds = 30;
    for (int round = 0; round < rounds; ++round) {
        const auto seed = static_cast<unsigned int>(random());
        const Run run = startRun([&](int report) { typeUntilKilled(report, seed); });
        const pid_t guardian = run.report();
        ASSERT_GT(guardian, 0) << "round " << round << ": the run did not start typing";
        std::this_thread::sleep_for(std::chrono::microseconds(killAfterMicroseconds(random)));
        const auto result = killAndExpectGivenBack(run.pid, guardian);
        EXPECT_TRUE(result) << "round " << round;
        passed += result ? 1 : 0;
    }
    std::printf("%d of %d killed runs left nothing behind\n", passed, rounds);
}

// A press the run sent just before it was killed, still unread by the server (held back
// here by a server grab) when the guardian undoes: whichever the server then serves first,
// the dead run or the guardian, the key must not stay down.
TEST_F(GuardianDesktop, PressStillOnItsWayWhenKilledDoesNotOutliveTheUndo) {
    const KeyCode letter = XKeysymToKeycode(display_, XK_d);
    int go[2];
    ASSERT_EQ(::pipe(go), 0);
    const auto waitForGo = [&] {
        char byte = 0;
        if (::read(go[0], &byte, 1) != 1)
            ::_exit(4);
    };
    const Run run = startRun([&](int report) {
        Display* display = XOpenDisplay(nullptr);
        // XTest asks the server about itself on first use, which our grab would hold up.
        int event = 0, error = 0, major = 0, minor = 0;
        XTestQueryExtension(display, &event, &error, &major, &minor);
        GuardianJournal journal(display);
        journal.pressing(letter);
        if (!journal.commit())
            ::_exit(3);
        tell(report, journal.guardianProcess());
        waitForGo();
        XTestFakeKeyEvent(display, letter, True, CurrentTime);
        XFlush(display);
        tell(report, 0);
        ::pause();
    });
    const pid_t guardian = run.report();
    ASSERT_GT(guardian, 0);

    XGrabServer(display_);
    XSync(display_, False);
    ASSERT_EQ(::write(go[1], "x", 1), 1);
    ASSERT_EQ(run.report(), 0);
    ::kill(run.pid, SIGKILL);
    ::waitpid(run.pid, nullptr, 0);
    // The guardian has seen the end and waits behind our grab with its undo.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    XUngrabServer(display_);
    XSync(display_, False);
    EXPECT_TRUE(killAndExpectGivenBack(run.pid, guardian));
    ::close(go[0]);
    ::close(go[1]);
}

// A run that ends on its own with a key still noted as held: the guardian releases it, and
// leaves the run's X connection alone (it is not a killed run).
TEST_F(GuardianDesktop, CleanEndReleasesWhatIsLeftAndKeepsTheConnection) {
    const KeyCode letter = XKeysymToKeycode(display_, XK_b);
    const Run run = startRun([&](int report) {
        Display* display = XOpenDisplay(nullptr);
        {
            GuardianJournal journal(display);
            journal.pressing(letter);
            if (!journal.commit())
                ::_exit(3);
            XTestFakeKeyEvent(display, letter, True, CurrentTime);
            XSync(display, False);
        }
        // A closed connection would end this process through Xlib's I/O error handler.
        XSync(display, False);
        const bool released = heldByXTest(display).none();
        XCloseDisplay(display);
        tell(report, released ? 1 : 0);
    });
    EXPECT_EQ(run.report(), 1) << "the key was still down after the journal ended";
    int status = 0;
    ASSERT_EQ(::waitpid(run.pid, &status, 0), run.pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    EXPECT_TRUE(heldByXTest(display_).none());
}

// The second line of defence: a journal file of a process that ended with its guardian.
TEST_F(GuardianDesktop, LeftoverJournalOfAnEndedProcessIsRestored) {
    TemporaryFolder folder;
    const auto spare = spareKeycodes(display_);
    ASSERT_GE(spare.size(), 4u);
    const std::string name = DisplayString(display_);
    const auto original = mappingOf(display_, spare[0]);
    const auto boundTo = [&](KeySym keysym) {
        std::vector<KeySym> list(original.size(), NoSymbol);
        list[0] = list[1] = keysym;
        return list;
    };
    const pid_t ended = ::fork();
    if (ended == 0)
        ::_exit(0);
    ::waitpid(ended, nullptr, 0);

    // Bound by the ended process: spare[0] still as it left it, spare[1] changed since by
    // another program; spare[2] bound by a process still running, spare[3] on another display.
    for (int i = 0; i < 4; ++i)
        setMapping(display_, spare[i], boundTo(cyrillicA + i));
    setMapping(display_, spare[1], boundTo(XK_EuroSign));
    const auto journal = [&](KeyCode keycode, KeySym keysym, const std::string& display) {
        return KeymapJournalFile::format({display, {{keycode, boundTo(keysym), original}}});
    };
    const std::string endedJournal = "keymap-" + std::to_string(ended) + "-1.journal";
    writeText(folder.path() / endedJournal,
              KeymapJournalFile::format({name,
                                         {{spare[0], boundTo(cyrillicA), original},
                                          {spare[1], boundTo(cyrillicA + 1), original}}}));
    writeText(folder.path() / ("keymap-" + std::to_string(::getpid()) + "-1.journal"),
              journal(spare[2], cyrillicA + 2, name));
    writeText(folder.path() / ("keymap-" + std::to_string(ended) + "-2.journal"),
              journal(spare[3], cyrillicA + 3, ":9999"));

    const LeftoverKeymaps result = restoreLeftoverKeymaps(display_, name, folder.path());
    EXPECT_EQ(result.journals, 1u);
    EXPECT_EQ(result.restored, std::vector<KeyCode>{spare[0]});
    EXPECT_EQ(result.changedSince, std::vector<KeyCode>{spare[1]});
    EXPECT_NE(result.summary().find(std::to_string(spare[0])), std::string::npos);
    EXPECT_TRUE(BorrowedKeycode::sameMapping(mappingOf(display_, spare[0]), original));
    EXPECT_TRUE(BorrowedKeycode::sameMapping(mappingOf(display_, spare[1]), boundTo(XK_EuroSign)));
    EXPECT_TRUE(
        BorrowedKeycode::sameMapping(mappingOf(display_, spare[2]), boundTo(cyrillicA + 2)));
    EXPECT_TRUE(
        BorrowedKeycode::sameMapping(mappingOf(display_, spare[3]), boundTo(cyrillicA + 3)));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / endedJournal));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2);

    for (int i = 1; i < 4; ++i)
        setMapping(display_, spare[i], original);
    EXPECT_EQ(keymap(), before_);
}

namespace {

/// The processes whose parent is `parent` (the guardian a run started).
std::vector<pid_t> childrenOf(pid_t parent) {
    std::vector<pid_t> children;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename();
        if (name.empty() || !std::ranges::all_of(name, ::isdigit))
            continue;
        FILE* stat = std::fopen((entry.path() / "stat").c_str(), "r");
        if (!stat)
            continue;
        int pid = 0, ppid = 0;
        char state = 0;
        // pid (comm) state ppid: comm has no ')' in our processes
        if (std::fscanf(stat, "%d %*s %c %d", &pid, &state, &ppid) == 3 && ppid == parent)
            children.push_back(pid);
        std::fclose(stat);
    }
    return children;
}

} // namespace

// The whole program as the user runs it: `keyferry run` typing text full of characters the
// layout lacks, killed at random moments. Nothing may stay bound or pressed.
TEST_F(GuardianDesktop, KeyferryRunKilledAtRandomMomentsLeavesNothing) {
    TemporaryFolder folder;
    keyferry::Template item;
    item.name = "Killed";
    item.targetAppBundleID = "KfKillTarget";
    item.settings.countdownSeconds = 0;
    item.settings.interCharDelay = 0.004;
    keyferry::Step field = keyferry::Step::ofType(keyferry::StepType::textInput);
    field.label = "Text";
    item.steps = {field};
    std::filesystem::create_directories(folder.path() / "Keyferry");
    writeText(folder.path() / "Keyferry" / "templates.json", *keyferry::encodeTemplates({item}));
    std::string row;
    for (int i = 0; row.size() < 1200; ++i)
        row +=
            "Gr\u00FC\u00DF \u00C4\u00D6\u00DC \u20AC\u00E9\u00E8 \u0416\u0434\u044F \u6771\u4EAC "
            "\uD55C\U0001F44D " +
            std::to_string(i) + " ";
    writeText(folder.path() / "rows.csv", "Text\n" + row + "\n" + row + "\n" + row + "\n");

    const pid_t terminal = ::fork();
    if (terminal == 0) {
        ::execlp("xterm", "xterm", "-class", "KfKillTarget", "-e", "sh", "-c", "cat > /dev/null",
                 nullptr);
        ::_exit(127);
    }
    // Mapped and in front, however slowly the desktop starts it. The earlier tests' keymap
    // changes reach the window manager as a backlog of MappingNotify events, each of which
    // makes it grab its keys anew; on a loaded machine it manages new windows only minutes
    // later.
    const auto inFront = [] {
        FILE* pipe = ::popen("xprop -id \"$(xprop -root _NET_ACTIVE_WINDOW | sed 's/.* //')\" "
                             "WM_CLASS 2>/dev/null",
                             "r");
        std::array<char, 512> line{};
        const bool found = pipe && std::fgets(line.data(), line.size(), pipe) &&
                           std::string(line.data()).find("KfKillTarget") != std::string::npos;
        if (pipe)
            ::pclose(pipe);
        return found;
    };
    const auto waited = Clock::now();
    while (!inFront() && Clock::now() - waited < std::chrono::seconds(240))
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_TRUE(inFront()) << "the target terminal did not come to the front";
    std::printf("the target terminal came to the front after %.1f s\n",
                std::chrono::duration<double>(Clock::now() - waited).count());

    std::mt19937 random(7);
    // From the moment the run has bound its first keycodes, while it types.
    std::uniform_int_distribution<int> killAfterMilliseconds(0, 1500);
    const std::string home = folder.path().string();
    int passed = 0, boundAtKill = 0;
    constexpr int rounds = 30;
    for (int round = 0; round < rounds; ++round) {
        const pid_t run = ::fork();
        if (run == 0) {
            // Templates, journals and settings of the test's own, never the user's.
            for (const char* variable : {"XDG_DATA_HOME", "XDG_STATE_HOME", "XDG_CONFIG_HOME"})
                ::setenv(variable, home.c_str(), 1);
            const int printed =
                ::open((folder.path() / "run.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(printed, 1);
            ::dup2(printed, 2);
            ::execl(KEYFERRY_BINARY, "keyferry", "run", "--template", "Killed", "--csv",
                    (folder.path() / "rows.csv").c_str(), nullptr);
            ::_exit(127);
        }
        const auto started = Clock::now();
        while (keymap() == before_ && ::waitpid(run, nullptr, WNOHANG) == 0 &&
               Clock::now() - started < std::chrono::seconds(10))
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        std::this_thread::sleep_for(std::chrono::milliseconds(killAfterMilliseconds(random)));
        const bool bound = keymap() != before_;
        boundAtKill += bound ? 1 : 0;
        EXPECT_TRUE(bound || round > 0) << "the first run did not type; it printed:\n"
                                        << readText(folder.path() / "run.txt");
        const auto guardians = childrenOf(run);
        const auto result = killAndExpectGivenBack(run, guardians.empty() ? -1 : guardians[0]);
        EXPECT_TRUE(result) << "round " << round;
        passed += result ? 1 : 0;
    }
    std::printf("%d of %d killed `keyferry run`s left nothing behind; %d were killed with "
                "keycodes bound\n",
                passed, rounds, boundAtKill);
    EXPECT_GE(boundAtKill, rounds / 2) << "most kills must find keycodes bound, or this proves "
                                          "little";
    ::kill(terminal, SIGTERM);
    ::waitpid(terminal, nullptr, 0);
    while (::waitpid(-1, nullptr, WNOHANG) > 0) { // guardians adopted by the subreaper
    }
}
