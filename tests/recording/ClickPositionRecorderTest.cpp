#include "recording/ClickPositionRecorder.h"

#include "automation/SimulatedSession.h"

using namespace keyferry;
using namespace keyferry::testing;

namespace {

// Keeps track of what the recorder shows, as the Qt panel would.
struct PanelLog {
    int shown = 0;
    int open = 0;
    std::string title, text;
    std::function<void()> escape;
};

class TestPanel final : public RecordingPanel {
public:
    explicit TestPanel(PanelLog& log) : log_(log) { ++log_.open; }
    ~TestPanel() override {
        --log_.open;
        log_.escape = nullptr;
    }
    void setEscapeHandler(std::function<void()> handler) override {
        log_.escape = std::move(handler);
    }

private:
    PanelLog& log_;
};

class ClickPositionTest : public SimulatedSession {
protected:
    ClickPositionRecorder makeRecorder() {
        return ClickPositionRecorder(desktop,
                                     [this](const std::string& title, const std::string& text) {
                                         ++panels.shown;
                                         panels.title = title;
                                         panels.text = text;
                                         return std::make_unique<TestPanel>(panels);
                                     });
    }
    void record(ClickPositionRecorder& recorder, std::optional<std::string> target = "Yad") {
        recorder.record(target, [this](std::optional<Point> p) { results.push_back(p); });
    }

    PanelLog panels;
    std::vector<std::optional<Point>> results;
};

} // namespace

TEST_F(ClickPositionTest, ClickOnTheTargetGivesTheOffsetOnce) {
    auto recorder = makeRecorder();
    record(recorder);
    EXPECT_EQ(panels.open, 1);
    EXPECT_EQ(panels.title, "Record Click Position");
    EXPECT_EQ(panels.text, "Click in the target app... (Esc to cancel)");
    desktop.userClick(MouseButton::left, {950, 150}); // on Keyferry's own window: ignored
    EXPECT_TRUE(results.empty());
    desktop.userClick(MouseButton::right, {140, 125});
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0], (Point{40, 25}));
    EXPECT_EQ(panels.open, 0);
    desktop.userClick(MouseButton::left, {150, 150});
    if (panels.escape)
        panels.escape();
    EXPECT_EQ(results.size(), 1u) << "the completion is never called twice";
    EXPECT_EQ(desktop.listenerCount(), 0u);
}

TEST_F(ClickPositionTest, ClickElsewhereIsRelativeToTheTargetWindow) {
    const int other = desktop.addApplication("Other", "Other");
    desktop.addWindow(other, {600, 500, 100, 100});
    auto recorder = makeRecorder();
    record(recorder);
    desktop.userClick(MouseButton::left, {650, 550});
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0], (Point{550, 450})) << "may lie outside the window";
}

TEST_F(ClickPositionTest, EscapeAndFailuresCompleteWithNothing) {
    {
        auto recorder = makeRecorder();
        record(recorder);
        ASSERT_TRUE(panels.escape);
        panels.escape();
        ASSERT_EQ(results.size(), 1u);
        EXPECT_FALSE(results[0]);
        EXPECT_EQ(panels.open, 0);
        desktop.userClick(MouseButton::left, {140, 125});
        EXPECT_EQ(results.size(), 1u);
    }
    results.clear();
    {
        auto recorder = makeRecorder();
        record(recorder, "NotRunning");
        desktop.userClick(MouseButton::left, {140, 125});
        ASSERT_EQ(results.size(), 1u);
        EXPECT_FALSE(results[0]);
    }
    results.clear();
    {
        desktop.setTrusted(false);
        auto recorder = makeRecorder();
        record(recorder);
        ASSERT_EQ(results.size(), 1u) << "no tap: finished at once";
        EXPECT_FALSE(results[0]);
        EXPECT_EQ(panels.open, 0);
    }
}

TEST_F(ClickPositionTest, DestroyedWhileListeningCallsNothing) {
    {
        auto recorder = makeRecorder();
        record(recorder);
    }
    EXPECT_EQ(panels.open, 0);
    EXPECT_EQ(desktop.listenerCount(), 0u);
    desktop.userClick(MouseButton::left, {140, 125});
    EXPECT_TRUE(results.empty());
}

TEST_F(ClickPositionTest, ClickThatClosedTheTargetWindowStillCounts) {
    // On X11 a press is reported after the fact: a button that closes its window may have
    // closed it already. The window seen when recording began stands in.
    auto recorder = makeRecorder();
    record(recorder);
    desktop.quitApplication(target);
    desktop.userClick(MouseButton::left, {140, 125});
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0], (Point{40, 25}));
}
