#include "platform/wayland/KWinWindows.h"

#include "platform/wayland/KWinChannel.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <set>

using namespace keyferry;
using namespace keyferry::wayland;

namespace {

/// KWin as the script would describe it: a list the test changes, activation as KWin does it.
struct FakeKWin {
    KWinReport state;
    std::vector<std::string> activations;
    bool answers = true;
};

class FakeRequests final : public KWinRequests {
public:
    explicit FakeRequests(std::shared_ptr<FakeKWin> kwin) : kwin_(std::move(kwin)) {}
    Expected<KWinReport> report() override {
        if (!kwin_->answers)
            return Unexpected{std::string("KWin did not answer Keyferry's script in time")};
        return kwin_->state;
    }
    Expected<KWinReport> activate(const std::string& id) override {
        kwin_->activations.push_back(id);
        const bool found = kwin_->state.find(id) != nullptr;
        if (found)
            for (KWinWindow& window : kwin_->state.windows)
                window.active = window.id == id;
        auto answer = report();
        if (answer)
            answer->activated = found;
        return answer;
    }

private:
    std::shared_ptr<FakeKWin> kwin_;
};

KWinWindow window(std::string id, std::string resourceClass, int pid, Rect frame) {
    KWinWindow made;
    made.id = std::move(id);
    made.resourceClass = std::move(resourceClass);
    made.processID = pid;
    made.frame = frame;
    made.client = frame;
    made.normal = true;
    return made;
}

class KWinWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Front to back: an editor with a dialog over it, a terminal, a minimised editor window
        // behind everything.
        KWinWindow dialog = window("{dialog}", "editor", 10, {200, 200, 100, 50});
        dialog.transientFor = "{editor}";
        KWinWindow editor = window("{editor}", "editor", 10, {100, 100, 400, 300});
        editor.client = {100, 130, 400, 270}; // under a title bar
        editor.active = true;
        KWinWindow terminal = window("{terminal}", "terminal", 20, {300, 150, 500, 400});
        KWinWindow hidden = window("{hidden}", "editor", 11, {0, 0, 800, 600});
        hidden.minimized = true;
        kwin->state.windows = {dialog, editor, terminal, hidden};
        kwin->state.screen = Rect{0, 0, 1280, 800};
    }

    std::shared_ptr<FakeKWin> kwin = std::make_shared<FakeKWin>();
    KWinWindows windows{std::make_unique<FakeRequests>(kwin)};
};

} // namespace

TEST_F(KWinWindowsTest, ListsShownWindowsFrontToBackWithTheirContent) {
    const auto list = windows.windowList();
    ASSERT_EQ(list.size(), 3u); // the minimised window is not shown
    EXPECT_EQ(list[0].ownerProcessID, 10);
    EXPECT_EQ(list[1].bounds, (Rect{100, 130, 400, 270}));
    EXPECT_EQ(list[2].ownerProcessID, 20);
    EXPECT_EQ(windows.layoutBounds(), std::optional(Rect{0, 0, 1280, 800}));
}

TEST_F(KWinWindowsTest, OneApplicationPerClassRegularWhenAnyWindowIsInTheTaskbar) {
    kwin->state.windows[0].skipTaskbar = true; // the dialog; its editor window is not
    KWinWindow panel = window("{panel}", "panel", 30, {0, 780, 1280, 20});
    panel.skipTaskbar = true;
    KWinWindow nameless = window("{nameless}", "", 40, {0, 0, 10, 10});
    kwin->state.windows.push_back(panel);
    kwin->state.windows.push_back(nameless);
    const auto applications = windows.runningApplications();
    ASSERT_EQ(applications.size(), 3u);
    EXPECT_EQ(applications[0].bundleID, "editor");
    EXPECT_EQ(applications[0].processID, 10); // its front-most window's
    EXPECT_TRUE(applications[0].isRegular);
    EXPECT_EQ(applications[1].bundleID, "terminal");
    EXPECT_TRUE(applications[1].isRegular);
    EXPECT_EQ(applications[2].bundleID, "panel");
    EXPECT_FALSE(applications[2].isRegular);
}

TEST_F(KWinWindowsTest, TheFrontIsTheActiveWindowsApplication) {
    auto front = windows.frontmostApplication();
    ASSERT_TRUE(front);
    EXPECT_EQ(front->bundleID, "editor");
    EXPECT_EQ(front->processID, 10);
    for (KWinWindow& each : kwin->state.windows)
        each.active = false;
    EXPECT_FALSE(windows.frontmostApplication());
    EXPECT_FALSE(windows.focusedWindow());
}

TEST_F(KWinWindowsTest, ActivationPicksTheApplicationsFrontWindowThatIsShown) {
    const struct {
        const char* name;
        std::optional<std::string> bundleID;
        std::vector<std::size_t> minimised; ///< of the windows set up
        bool accepted;
        std::vector<std::string> asked;
    } cases[] = {
        {"the front window", "editor", {}, true, {"{dialog}"}},
        {"another application", "terminal", {}, true, {"{terminal}"}},
        {"the front one minimised", "editor", {0}, true, {"{editor}"}},
        {"all minimised: the front one", "editor", {0, 1}, true, {"{dialog}"}},
        {"no such application", "viewer", {}, false, {}},
        {"no application id", std::nullopt, {}, false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        kwin->activations.clear();
        for (const std::size_t index : c.minimised)
            kwin->state.windows[index].minimized = true;
        EXPECT_EQ(windows.activate({c.bundleID, std::nullopt, 0, true}), c.accepted);
        EXPECT_EQ(kwin->activations, c.asked);
    }
}

// Between the look and the activation the window went: KWin does not find it, refused.
TEST_F(KWinWindowsTest, ActivationOfAWindowKWinNoLongerHasIsRefused) {
    class Vanishing final : public KWinRequests {
    public:
        explicit Vanishing(KWinReport state) : state_(std::move(state)) {}
        Expected<KWinReport> report() override { return state_; }
        Expected<KWinReport> activate(const std::string&) override {
            KWinReport answer;
            answer.activated = false;
            return answer;
        }

    private:
        KWinReport state_;
    };
    KWinWindows vanishing{std::make_unique<Vanishing>(kwin->state)};
    EXPECT_FALSE(vanishing.activate({"terminal", std::nullopt, 0, true}));
}

TEST_F(KWinWindowsTest, WindowIdsStayWhileTheWindowLivesAndFactsFollowKWin) {
    const auto first = windows.topLevelWindows();
    ASSERT_EQ(first.size(), 4u);
    EXPECT_EQ(std::set<WindowID>(first.begin(), first.end()).size(), 4u);
    EXPECT_EQ(windows.topLevelWindows(), first);
    EXPECT_EQ(windows.focusedWindow(), first[1]);

    const auto dialog = windows.windowFacts(first[0]);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->processID, 10);
    EXPECT_EQ(dialog->bundleID, "editor");
    EXPECT_EQ(dialog->transientFor, first[1]);
    EXPECT_FALSE(dialog->isPopup);

    // The dialog closes, a new window opens: new id, the others keep theirs.
    kwin->state.windows.erase(kwin->state.windows.begin());
    kwin->state.windows.push_back(window("{new}", "terminal", 21, {0, 0, 50, 50}));
    const auto second = windows.topLevelWindows();
    ASSERT_EQ(second.size(), 4u);
    EXPECT_EQ(std::vector(second.begin(), second.begin() + 3),
              std::vector(first.begin() + 1, first.end()));
    EXPECT_EQ(std::ranges::count(first, second[3]), 0);
    EXPECT_FALSE(windows.windowFacts(first[0]));
    EXPECT_FALSE(windows.windowFacts(9999));
}

TEST_F(KWinWindowsTest, TheWindowAtAPointIsTheFrontOneWhoseFrameHoldsIt) {
    const auto ids = windows.topLevelWindows();
    const struct {
        Point point;
        std::optional<WindowID> window;
    } cases[] = {
        {{250, 220}, ids[0]},     // the dialog over the editor
        {{150, 110}, ids[1]},     // the editor's title bar: in its frame, not its content
        {{600, 500}, ids[2]},     // the terminal alone
        {{350, 200}, ids[1]},     // editor over terminal
        {{10, 10}, std::nullopt}, // only the minimised window is there
    };
    for (const auto& c : cases)
        EXPECT_EQ(windows.windowAt(c.point), c.window) << c.point.x << "," << c.point.y;
}

TEST_F(KWinWindowsTest, KWinNotAnsweringMeansNothingKnown) {
    kwin->answers = false;
    EXPECT_TRUE(windows.windowList().empty());
    EXPECT_TRUE(windows.runningApplications().empty());
    EXPECT_TRUE(windows.topLevelWindows().empty());
    EXPECT_FALSE(windows.frontmostApplication());
    EXPECT_FALSE(windows.focusedWindow());
    EXPECT_FALSE(windows.windowAt({250, 220}));
    EXPECT_FALSE(windows.layoutBounds());
    EXPECT_FALSE(windows.activate({"editor", std::nullopt, 10, true}));
}
