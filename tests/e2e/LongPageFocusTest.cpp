// A field that has the focus before Keyferry starts, far down a long web page, inside a
// table, in a window too small to show it: no focus event will tell of it, Firefox reports it
// without SHOWING (its table body too), and Chromium's page has hundreds of elements before
// it. Keyferry's lookup finds it and counts it ready, and a run types into it at once.

#include "Browser.h"
#include "TrustDesktop.h"
#include "automation/FieldMatch.h"

#include <chrono>
#include <cstdio>

using namespace keyferry;
using namespace keyferry::testing;

namespace {

// Six hundred paragraphs of text and links, then the form in a table. The page scrolls back
// to its top once loaded, so the field keeps the focus out of view.
std::string longPage() {
    std::string page = "<!doctype html><html><head><meta charset='utf-8'><title>Long form</title>"
                       "</head><body><h1>Terms</h1>\n";
    for (int i = 0; i < 600; ++i) {
        const std::string n = std::to_string(i);
        page += "<p>Clause " + n + " of the terms, with <a href='#c" + n + "'>note " + n +
                "</a> and <b>term " + n + "</b>.</p>\n";
    }
    page += "<form><table><tbody>"
            "<tr><td><label for='name'>Name:</label></td>"
            "<td><input id='name' autofocus></td></tr>"
            "<tr><td><label for='city'>City:</label></td><td><input id='city'></td></tr>"
            "</tbody></table></form>\n"
            "<script>addEventListener('load', () => setTimeout(() => scrollTo(0, 0), 300));"
            "</script></body></html>\n";
    return page;
}

/// What the accessibility layer says has the focus, read by a helper of the test's own.
std::string focusedField() {
    return shell(shellQuote(KEYFERRY_FOCUSED_FIELD) + " 2>/dev/null");
}

class LongPageFocusTest : public ::testing::TestWithParam<std::string> {};

} // namespace

TEST_P(LongPageFocusTest, AFieldFocusedBeforeKeyferryStartsIsFoundReadyAndTypedInto) {
    const std::string browser = GetParam();
    TemporaryFolder temp;
    XSession x;
    ASSERT_TRUE(x.connected());
    ASSERT_TRUE(x.windowManagerResponds()) << "the window manager is still busy";
    writeText(temp.path() / "long.html", longPage());
    auto window =
        openBrowser(browser, temp.path(), "file://" + (temp.path() / "long.html").string(),
                    WindowSize{480, 260});
    const auto client = x.waitForWindowOf(window->pid(), std::chrono::seconds(40));
    ASSERT_TRUE(client) << readText(temp.path() / (browser + ".log"));
    ASSERT_TRUE(
        spinUntil([] { return focusedField().find("\"name\": \"Name:\"") != std::string::npos; },
                  std::chrono::seconds(30)))
        << focusedField();
    pause(1000); // the page has scrolled back to its top
    x.parkPointer();

    // Keyferry's lookup, started only now: no focus event has told it of the field.
    std::optional<FieldIdentity> recorded;
    {
        QtScheduler scheduler;
        auto connected = X11Desktop::connect(scheduler);
        ASSERT_TRUE(connected.hasValue()) << connected.error();
        const auto started = std::chrono::steady_clock::now();
        const auto focused = (**connected).focusedElement();
        const auto took =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
                .count();
        std::printf("[ %s ] the focused element looked up in %.1f ms\n", browser.c_str(), took);
        ASSERT_TRUE(focused) << "nothing found; the test's own reader says " << focusedField();
        EXPECT_EQ(focused->title, "Name:");
        EXPECT_EQ(focused->role, ElementRole::textField);
        EXPECT_EQ(focused->processID, window->pid());
        EXPECT_TRUE(focused->ready) << "a focused field out of view still takes keys";
        recorded = fieldIdentity(*focused); // as a recording stores it
    }

    // A run of a one-field template recorded on that field goes on at once and types into it.
    ASSERT_TRUE(recorded);
    Template item;
    item.name = "Long form";
    item.targetAppBundleID = x.windowClass(*client);
    item.settings.countdownSeconds = 1;
    item.settings.waitForNextField = true;
    Step name = makeStep(StepType::textInput, "Name", 0.1);
    name.field = recorded;
    item.steps = {name};
    KeyferryRun run(temp.path() / "run", item, "Name\nAda Lovelace\n");
    run.start();
    EXPECT_EQ(run.wait(std::chrono::seconds(60)), 0) << run.output();
    EXPECT_NE(run.output().find("Done. Entries entered: 1"), std::string::npos) << run.output();
    // The step's Tab went on to City: back to Name, which holds the value.
    shell("xdotool key shift+Tab");
    EXPECT_TRUE(spinUntil([] {
        const std::string field = focusedField();
        return field.find("\"name\": \"Name:\"") != std::string::npos &&
               field.find("\"text\": \"Ada Lovelace\"") != std::string::npos;
    })) << focusedField();
}

INSTANTIATE_TEST_SUITE_P(Browsers, LongPageFocusTest, ::testing::Values("chromium", "firefox"),
                         [](const auto& info) { return info.param; });
