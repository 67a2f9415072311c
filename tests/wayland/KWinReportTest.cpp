#include "platform/wayland/KWinReport.h"

#include <gtest/gtest.h>

using namespace keyferry;
using namespace keyferry::wayland;

namespace {

// As the script sends it: front to back, a Qt window with its decoration (client inside the
// frame), a GTK dialog drawing its own, and a window KWin knows no process of.
constexpr const char* threeWindows = R"({
  "sequence": 7,
  "screen": [0, 0, 1280, 800],
  "windows": [
    {"id": "{a1}", "resourceClass": "qt_form", "pid": 4242, "caption": "Form",
     "frame": [100, 50, 400, 330], "client": [100, 80, 400, 300], "active": true,
     "normal": true, "minimized": false, "skipTaskbar": false, "popup": false,
     "transientFor": null, "stacking": 3},
    {"id": "{b2}", "resourceClass": "yad", "pid": 77, "caption": "Ask",
     "frame": [10.5, 20, 220, 78], "client": null, "active": false, "normal": true,
     "minimized": true, "skipTaskbar": false, "popup": false, "transientFor": "{a1}",
     "stacking": 2},
    {"id": "{c3}", "resourceClass": "", "pid": -1, "caption": "",
     "frame": [0, 0, 10, 10], "active": false, "normal": false, "popup": true, "stacking": 1}
  ]
})";

} // namespace

TEST(KWinReport, ReadsEveryWindowFrontToBack) {
    const auto report = parseKWinReport(threeWindows);
    ASSERT_TRUE(report) << report.error();
    EXPECT_EQ(report->sequence, 7u);
    ASSERT_TRUE(report->screen);
    EXPECT_EQ(*report->screen, (Rect{0, 0, 1280, 800}));
    EXPECT_FALSE(report->activated);
    ASSERT_EQ(report->windows.size(), 3u);

    const KWinWindow& form = report->windows[0];
    EXPECT_EQ(form.id, "{a1}");
    EXPECT_EQ(form.resourceClass, "qt_form");
    EXPECT_EQ(form.processID, 4242);
    EXPECT_EQ(form.caption, "Form");
    EXPECT_EQ(form.frame, (Rect{100, 50, 400, 330}));
    EXPECT_EQ(form.client, (Rect{100, 80, 400, 300}));
    EXPECT_TRUE(form.active && form.normal);
    EXPECT_FALSE(form.transientFor);

    // No client area told: the frame stands for it. Fractional positions stay.
    const KWinWindow& dialog = report->windows[1];
    EXPECT_EQ(dialog.client, (Rect{10.5, 20, 220, 78}));
    EXPECT_TRUE(dialog.minimized);
    EXPECT_EQ(dialog.transientFor, std::optional<std::string>("{a1}"));

    // KWin's -1 for an unknown process becomes 0; missing flags are false.
    const KWinWindow& popup = report->windows[2];
    EXPECT_EQ(popup.processID, 0);
    EXPECT_TRUE(popup.popup);
    EXPECT_FALSE(popup.skipTaskbar);
    EXPECT_FALSE(popup.minimized);

    EXPECT_EQ(report->active(), &report->windows[0]);
    EXPECT_EQ(report->find("{b2}"), &report->windows[1]);
    EXPECT_EQ(report->find("{zz}"), nullptr);
}

TEST(KWinReport, AnActivationSaysWhetherTheWindowWasFound) {
    for (const bool found : {true, false}) {
        const std::string text = std::string(R"({"sequence": 3, "windows": [], "screen": null, )") +
                                 R"("activated": )" + (found ? "true" : "false") + "}";
        const auto report = parseKWinReport(text);
        ASSERT_TRUE(report) << report.error();
        EXPECT_EQ(report->activated, std::optional<bool>(found));
        EXPECT_FALSE(report->screen);
        EXPECT_EQ(report->active(), nullptr);
    }
}

TEST(KWinReport, RefusesWhatIsNoReport) {
    const struct {
        const char* name;
        const char* text;
        const char* inError;
    } cases[] = {
        {"not JSON", "{\"sequence\": 1, ", "not a JSON object"},
        {"an array", "[]", "not a JSON object"},
        {"no sequence", R"({"windows": []})", "sequence"},
        {"a negative sequence", R"({"sequence": -1, "windows": []})", "sequence"},
        {"no windows", R"({"sequence": 1})", "window list"},
        {"a window without id", R"({"sequence": 1, "windows": [{"frame": [0,0,1,1]}]})",
         "without an id"},
        {"a window without frame", R"({"sequence": 1, "windows": [{"id": "{a}"}]})",
         "without a frame"},
        {"a frame of three numbers",
         R"({"sequence": 1, "windows": [{"id": "{a}", "frame": [0, 0, 1]}]})", "without a frame"},
        {"a frame of text",
         R"({"sequence": 1, "windows": [{"id": "{a}", "frame": ["0", 0, 1, 1]}]})",
         "without a frame"},
        {"a window that is text", R"({"sequence": 1, "windows": ["{a}"]})", "not an object"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto report = parseKWinReport(c.text);
        ASSERT_FALSE(report);
        EXPECT_NE(report.error().find(c.inError), std::string::npos) << report.error();
    }
}
