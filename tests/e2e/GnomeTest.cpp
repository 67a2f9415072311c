#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>

#include "Desktop.h"
#include "Gtk4Form.h"
#include "TrustDesktop.h"
#include "platform/wayland/WaylandDesktop.h"
#include "recording/RecorderService.h"
#include "support/Shell.h"
#include "ui/QtScheduler.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <tuple>

// Keyferry on a headless GNOME Shell: keys through the desktop portal, the user's consent given
// through AT-SPI as a user would give it; windows and shortcuts through Keyferry's shell
// extension. Judged by what the applications print and what the extension itself reports.

using namespace keyferry;
using namespace keyferry::testing;

namespace {

/// A window as the shell extension lists it, read with gdbus rather than Keyferry's code.
struct ShellView {
    unsigned long long id = 0;
    pid_t pid = 0;
    std::string wmClass;
    bool focused = false;
    int x = 0, y = 0, width = 0, height = 0;
};

std::vector<ShellView> shellViews() {
    std::string reply = shell("gdbus call --session --dest org.keyferry.Shell --object-path "
                              "/org/keyferry/Shell --method org.keyferry.Shell1.Windows");
    // gdbus prints ('JSON',) with the JSON's single quotes escaped.
    const auto open = reply.find('\'');
    const auto close = reply.rfind('\'');
    if (open == std::string::npos || close <= open)
        return {};
    std::string json;
    for (std::size_t i = open + 1; i < close; ++i) {
        if (reply[i] == '\\' && i + 1 < close && reply[i + 1] == '\'')
            ++i;
        json += reply[i];
    }
    const auto document = nlohmann::json::parse(json, nullptr, false);
    std::vector<ShellView> views;
    if (!document.is_object())
        return views;
    for (const auto& item : document["windows"]) {
        const auto& frame = item["frame"];
        views.push_back({item["id"].get<unsigned long long>(), item["pid"].get<pid_t>(),
                         item["wmClass"].get<std::string>(), item["focused"].get<bool>(),
                         frame["x"].get<int>(), frame["y"].get<int>(), frame["width"].get<int>(),
                         frame["height"].get<int>()});
    }
    return views;
}

std::optional<ShellView> viewOf(pid_t pid) {
    for (const ShellView& view : shellViews())
        if (view.pid == pid)
            return view;
    return std::nullopt;
}

std::vector<std::vector<std::string>> rowsPrinted(const std::filesystem::path& log) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(readText(log));
    for (std::string line; std::getline(lines, line);) {
        const auto record = nlohmann::json::parse(line, nullptr, false);
        if (record.is_object() && record.value("kind", "") == "row")
            rows.push_back(record["values"].get<std::vector<std::string>>());
    }
    return rows;
}

/// Expects the GTK form to have printed `rows`, byte for byte.
void expectRowsPrinted(const std::filesystem::path& log,
                       const std::vector<std::vector<std::string>>& rows,
                       const std::string& runOutput) {
    const auto typed = rowsPrinted(log);
    ASSERT_EQ(typed.size(), rows.size()) << readText(log) << runOutput;
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (std::size_t field = 0; field < 3; ++field)
            EXPECT_EQ(escaped(typed[i][field]), escaped(rows[i][field]))
                << "row " << i + 1 << " field " << field + 1;
}

std::string csvOf(const std::vector<std::vector<std::string>>& rows) {
    std::string csv = "Name;City;Code\n";
    for (const auto& row : rows)
        csv += csvField(row[0]) + ";" + csvField(row[1]) + ";" + csvField(row[2]) + "\n";
    return csv;
}

/// Name, City and Code of the GTK form, then Return: Tab after each field but the last.
Template formTemplate() {
    Template form;
    form.name = "Form";
    form.targetAppBundleID = "gtk_form.py"; // the Wayland app_id, the shell's window class
    form.settings.countdownSeconds = 1;
    form.settings.interCharDelay = 0;
    for (const char* label : {"Name", "City", "Code"})
        form.steps.push_back(makeStep(StepType::textInput, label, 0.1));
    form.steps.push_back(makeStep(StepType::returnKey, "", 0.5));
    return form;
}

/// Answers the portal's question as the user would, in the background; exits 1 when none
/// came within `seconds`.
std::unique_ptr<Process> answerConsent(const std::string& answer, int seconds = 60) {
    return std::make_unique<Process>(std::vector<std::string>{
        "/usr/bin/python3", KEYFERRY_PORTAL_CONSENT, answer, std::to_string(seconds)});
}

/// The running shell's major version: 43 from "GNOME Shell 43.9"; 0 when it does not say.
int gnomeShellMajor() {
    const std::string version = shell("gnome-shell --version 2>/dev/null");
    const auto digit = version.find_first_of("0123456789");
    return digit == std::string::npos ? 0 : std::atoi(version.c_str() + digit);
}

/// Whether the desktop portal has a clipboard to join to a remote desktop (GNOME 45 on).
bool portalHasClipboard() {
    QDBusMessage get = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.portal.Desktop"),
        QStringLiteral("/org/freedesktop/portal/desktop"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << QStringLiteral("org.freedesktop.portal.Clipboard") << QStringLiteral("version");
    return QDBusConnection::sessionBus().call(get).type() == QDBusMessage::ReplyMessage;
}

/// Calls the test desktop's own service in the shell (the clipboard, as the shell has it).
QDBusMessage testDesktop(const char* method, const QList<QVariant>& arguments = {}) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.gnome.Shell"), QStringLiteral("/org/keyferry/TestDesktop"),
        QStringLiteral("org.keyferry.TestDesktop1"), QString::fromLatin1(method));
    call.setArguments(arguments);
    return QDBusConnection::sessionBus().call(call);
}

bool setClipboard(const std::string& text) {
    return testDesktop("SetClipboard", {QString::fromStdString(text)}).type() ==
           QDBusMessage::ReplyMessage;
}

std::optional<std::string> clipboardText() {
    const QDBusMessage reply = testDesktop("GetClipboard");
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    return reply.arguments().first().toString().toStdString();
}

/// Whether another program may take Ctrl+Shift+Esc from the shell now (gdbus holds it only
/// while it runs: the extension lets go when its caller leaves the bus).
bool stopShortcutFree() {
    return shell("gdbus call --session --dest org.keyferry.Shell --object-path "
                 "/org/keyferry/Shell --method org.keyferry.Shell1.Grab "
                 "'<Control><Shift>Escape' 2>&1")
               .find("uint32") != std::string::npos;
}

class GnomeRun : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<Process>(
            std::vector<std::string>{"env", "GDK_BACKEND=wayland", "/usr/bin/python3",
                                     KEYFERRY_GTK_FORM, log.string(), "--code-max", "100"});
        ASSERT_TRUE(spinUntil([&] { return readText(log).find("\"ready\"") != std::string::npos; },
                              std::chrono::seconds(20)))
            << "the form did not come up";
    }

    /// Twelve rows a second apart: time to press a key while the run goes on.
    static std::vector<std::vector<std::string>> slowRows() {
        std::vector<std::vector<std::string>> rows;
        for (int i = 1; i <= 12; ++i)
            rows.push_back({"Name " + std::to_string(i), "City", std::to_string(i)});
        return rows;
    }
    static Template slowTemplate() {
        Template slow = formTemplate();
        slow.steps.back().postDelay = 1.0;
        return slow;
    }
    /// Starts the run, allows it as the user would and waits for its first row.
    void startAllowed(KeyferryRun& run) {
        run.start();
        auto consent = answerConsent("allow");
        ASSERT_EQ(consent->wait(std::chrono::seconds(60)), 0);
        ASSERT_TRUE(spinUntil([&] { return !rowsPrinted(log).empty(); }, std::chrono::seconds(30)))
            << run.output();
    }

    TemporaryFolder temp;
    std::filesystem::path log = temp.path() / "form.jsonl";
    std::unique_ptr<Process> form;
};

} // namespace

// Layout text with the characters a US layout reaches only with Shift, through the portal
// once the user has allowed it: every row lands byte for byte, Tab and Return included.
TEST_F(GnomeRun, FillsANativeGtkFormWithLayoutTextOnceTheUserAllowsIt) {
    const std::vector<std::vector<std::string>> rows = {
        {"Anna-Maria O'Neil", "Saint-\u00C9tienne?", "A#1"},
        {"J. R. \"Bob\" Smith", "New York, NY", "~!@$%^&*()_+"},
        {"zoe@example.org", "Paris 75001", "{x}|<y>"},
    };
    // The É is not on a US layout: that row is held back, and asked about separately below.
    std::vector<std::vector<std::string>> layoutRows = rows;
    layoutRows[0][1] = "Saint-Etienne?";
    KeyferryRun run(temp.path(), formTemplate(), csvOf(layoutRows));
    run.start();
    auto consent = answerConsent("allow");
    EXPECT_EQ(consent->wait(std::chrono::seconds(60)), 0) << "the portal asked nothing";
    EXPECT_EQ(run.wait(), 0) << run.output();
    EXPECT_NE(run.output().find("Done. Entries entered: 3"), std::string::npos) << run.output();
    EXPECT_NE(run.output().find("Waiting for your permission to type"), std::string::npos)
        << run.output();
    expectRowsPrinted(log, layoutRows, run.output());
}

// A GTK 4 form (the toolkit of GNOME's own applications now): layout text in its three fields,
// then a click on Submit at its place in the window, through libei's pointer; each row is
// sent by that click, byte for byte.
TEST(GnomeGtk4, FillsAGtk4FormAndAClickStepPressesItsSubmitButton) {
    if (!(KEYFERRY_WITH_LIBEI && portalVersion() >= 2))
        GTEST_SKIP() << "this desktop portal places clicks only through libei, which it lacks";
    TemporaryFolder temp;
    Gtk4Form form(temp.path() / "form.jsonl");
    ASSERT_TRUE(form.ready()) << "the GTK 4 form did not come up";
    const auto submit = form.submitCentre();
    ASSERT_TRUE(submit) << "the form did not say where Submit is";
    const std::vector<std::vector<std::string>> rows = {
        {"Anna-Maria O'Neil", "New York, NY?", "~!@$%^&*()_+"},
        {"J. R. \"Bob\" Smith", "{x}|<y>", "A#1"},
    };
    KeyferryRun run(temp.path(), Gtk4Form::clickingTemplate(*submit), csvOf(rows));
    run.start();
    auto consent = answerConsent("allow");
    EXPECT_EQ(consent->wait(std::chrono::seconds(60)), 0) << "the portal asked nothing";
    EXPECT_EQ(run.wait(), 0) << run.output();
    form.expectRowsSentByClick(rows, run.output());
}

// A text that begins with a pasted character, first thing in a session, while nobody owns the
// clipboard (a fresh desktop: this runs before anything here copies): asking then what the
// user had would end the desktop portal, and the keyboard with it.
TEST_F(GnomeRun, AFirstCharacterPastedWhileTheClipboardIsEmptyLands) {
    if (!portalHasClipboard())
        GTEST_SKIP() << "this desktop portal has no clipboard: such characters are refused";
    if (clipboardText() != "")
        GTEST_SKIP() << "something was copied on this desktop before: it has no empty clipboard";
    const std::vector<std::vector<std::string>> rows = {
        {"\u00C4rger", "\u00DF", "1"},
        {"\u00D6l", "K\u00F6ln", "2"},
    };
    KeyferryRun run(temp.path(), formTemplate(), csvOf(rows));
    run.start();
    auto consent = answerConsent("allow");
    EXPECT_EQ(consent->wait(std::chrono::seconds(60)), 0) << "the portal asked nothing";
    EXPECT_EQ(run.wait(), 0) << run.output();
    expectRowsPrinted(log, rows, run.output());
}

// Characters outside the layout, where the portal has a clipboard (GNOME 45 on): each run of
// them is pasted at its place in the text, and the rows land byte for byte (Latin, Cyrillic,
// CJK, symbols, an emoji, a text that is nothing but them); what the user had on the
// clipboard is there again after the run.
TEST_F(GnomeRun, CharactersTheLayoutLacksArePastedAndTheClipboardPutBack) {
    if (!portalHasClipboard())
        GTEST_SKIP() << "this desktop portal has no clipboard: such characters are refused";
    const std::string users = "the user's own \u2702 text";
    ASSERT_TRUE(setClipboard(users));
    ASSERT_TRUE(spinUntil([&] { return clipboardText() == users; }));
    const std::vector<std::vector<std::string>> rows = {
        {"J\u00FCrgen Stra\u00DFe", "K\u00F6ln-\u0413\u043E\u0440\u043E\u0434", "\u2713 1"},
        {"Zo\u00EB \U0001F600!", "\u65E5\u672C\u8A9E", "x\u20ACy"},
        {"Anna", "Paris", "3"},
    };
    KeyferryRun run(temp.path(), formTemplate(), csvOf(rows));
    run.start();
    auto consent = answerConsent("allow");
    EXPECT_EQ(consent->wait(std::chrono::seconds(60)), 0) << "the portal asked nothing";
    EXPECT_EQ(run.wait(), 0) << run.output();
    EXPECT_NE(run.output().find("Done. Entries entered: 3"), std::string::npos) << run.output();
    expectRowsPrinted(log, rows, run.output());
    const auto after = clipboardText();
    EXPECT_EQ(escaped(after.value_or("(not read)")), escaped(users))
        << "the user's clipboard was not put back\n"
        << run.output();
}

// In a terminal the paste key is Ctrl+Shift+V: Ctrl+V would reach the shell as a control
// character and the text would not come. Lines with characters the layout lacks (a shell's
// own characters among them) reach a VTE terminal's shell byte for byte.
TEST(GnomeTerminal, CharactersTheLayoutLacksArePastedIntoATerminalWithItsPasteKey) {
    if (!portalHasClipboard())
        GTEST_SKIP() << "this desktop portal has no clipboard: such characters are refused";
    TemporaryFolder temp;
    const auto log = temp.path() / "terminal.jsonl";
    const auto lines = temp.path() / "lines.txt";
    Process terminal({"env", "GDK_BACKEND=wayland", "/usr/bin/python3", KEYFERRY_VTE_TERMINAL,
                      log.string(), lines.string()});
    ASSERT_TRUE(waitForRecord(log, "ready")) << "the terminal did not come up";
    Template typing;
    typing.name = "Terminal";
    typing.targetAppBundleID = "vte_terminal.py";
    typing.settings.countdownSeconds = 1;
    typing.settings.interCharDelay = 0;
    // A shell's line is neither selected nor read back as a form's field is.
    typing.settings.clearFieldFirst = false;
    typing.settings.verifyTypedText = false;
    typing.steps.push_back(makeStep(StepType::textInput, "Line", 0.1));
    typing.steps.push_back(makeStep(StepType::returnKey, "", 0.3));
    const std::vector<std::string> rows = {"J\u00FCrgen \u2713 \u65E5\u672C\u8A9E",
                                           "\u20AC 12 $HOME \\ \U0001F600", "plain text"};
    std::string csv = "Line\n";
    for (const std::string& row : rows)
        csv += csvField(row) + "\n";
    KeyferryRun run(temp.path(), typing, csv);
    run.start();
    auto consent = answerConsent("allow");
    EXPECT_EQ(consent->wait(std::chrono::seconds(60)), 0) << "the portal asked nothing";
    EXPECT_EQ(run.wait(), 0) << run.output();
    std::string expected;
    for (const std::string& row : rows)
        expected += row + "\t\n"; // a text input ends with its Tab, in a shell's line too
    spinUntil([&] { return readText(lines) == expected; }, std::chrono::seconds(5));
    EXPECT_EQ(escaped(readText(lines)), escaped(expected)) << run.output();
}

// A field that takes no pastes: the text offered is never fetched by it (only by the desktop's
// own clipboard keeper, which must not count), so the row is not entered and the run pauses
// saying why, even with read-back off.
TEST(GnomePaste, APasteTheFieldNeverTakesPausesTheRunAtThatRow) {
    if (!portalHasClipboard())
        GTEST_SKIP() << "this desktop portal has no clipboard: such characters are refused";
    TemporaryFolder temp;
    const auto log = temp.path() / "form.jsonl";
    Process form({"env", "GDK_BACKEND=wayland", "/usr/bin/python3", KEYFERRY_GTK_FORM, log.string(),
                  "--code-max", "100", "--refuse-paste"});
    ASSERT_TRUE(waitForRecord(log, "ready")) << "the form did not come up";
    Template filling = formTemplate();
    filling.settings.verifyTypedText = false;
    KeyferryRun run(temp.path(), filling, csvOf({{"J\u00FCrgen", "Paris", "1"}}));
    run.start();
    auto consent = answerConsent("allow");
    EXPECT_EQ(consent->wait(std::chrono::seconds(60)), 0) << "the portal asked nothing";
    EXPECT_EQ(run.wait(), 1) << "a run began and a row did not land: " << run.output();
    for (const char* said :
         {"the application did not take the text pasted", "Paused", "Entries entered: 0"})
        EXPECT_NE(run.output().find(said), std::string::npos) << said << "\n" << run.output();
    EXPECT_TRUE(rowsPrinted(log).empty()) << readText(log);
}

// Characters outside the layout, where the portal has no clipboard: refused before the run
// starts, each named with the entries holding it; the desktop is not even asked, and the form
// receives nothing.
TEST_F(GnomeRun, RowsWithCharactersTheLayoutLacksAreRefusedNamingThem) {
    if (portalHasClipboard())
        GTEST_SKIP() << "this desktop portal has a clipboard: such characters are pasted";
    const std::vector<std::vector<std::string>> rows = {
        {"Anna", "Paris", "1"},
        {"J\u00FCrgen", "K\u00F6ln", "2"},
        {"Zo\u00EB", "Caf\u00E9 \u2713", "3"},
    };
    KeyferryRun run(temp.path(), formTemplate(), csvOf(rows));
    run.start();
    EXPECT_EQ(run.wait(), 2) << "refused for its input, nothing attempted: " << run.output();
    const std::string output = run.output();
    for (const char* named :
         {"\u201C\u00FC\u201D (in entry 2)", "\u201C\u00F6\u201D (in entry 2)",
          "\u201C\u00EB\u201D (in entry 3)", "\u201C\u00E9\u201D (in entry 3)",
          "\u201C\u2713\u201D (in entry 3)", "5 characters cannot be typed on this desktop"})
        EXPECT_NE(output.find(named), std::string::npos) << named << "\n" << output;
    EXPECT_EQ(output.find("Running"), std::string::npos) << "no run began";
    settle(std::chrono::milliseconds(500));
    EXPECT_TRUE(rowsPrinted(log).empty());
}

// The user cancels the question: the run ends at once with the desktop's answer, nothing typed.
TEST_F(GnomeRun, ACancelledQuestionEndsTheRunSayingSoWithNothingTyped) {
    KeyferryRun run(temp.path(), formTemplate(), csvOf({{"Anna", "Paris", "1"}}));
    run.start();
    auto consent = answerConsent("cancel");
    EXPECT_EQ(consent->wait(std::chrono::seconds(60)), 0) << "the portal asked nothing";
    EXPECT_NE(run.wait(std::chrono::seconds(30)), 0) << run.output();
    EXPECT_NE(run.output().find("Keyferry may not type here: you did not allow it"),
              std::string::npos)
        << run.output();
    const auto state = readText(log);
    EXPECT_TRUE(rowsPrinted(log).empty()) << state;
}

// Consent is asked once: the desktop's restore token, kept in Keyferry's state folder, lets the
// next start of Keyferry type without a question. A token the desktop cannot read (a damaged
// file, which the portal refuses outright) or no longer knows makes it ask again; cancelled
// then, the run says why, and the token is not presented again.
TEST_F(GnomeRun, TheNextStartTypesWithoutAskingAndAWithdrawnPermissionAsksAgain) {
    // Measured: GNOME 43's portal offers version 2 but hands out no restore token.
    if (portalVersion() < 2 || gnomeShellMajor() < 45)
        GTEST_SKIP() << "this GNOME keeps no permission for the next start";
    const auto token = temp.path() / "state" / "Keyferry" / "portal-restore-token";
    KeyferryRun run(temp.path(), formTemplate(), csvOf({{"Anna", "Paris", "1"}}));
    run.start();
    auto consent = answerConsent("allow");
    ASSERT_EQ(consent->wait(std::chrono::seconds(60)), 0) << "the portal asked nothing";
    ASSERT_EQ(run.wait(), 0) << run.output();
    ASSERT_FALSE(readText(token).empty()) << "no permission kept for the next start";

    // A question now would be cancelled, and the run would fail.
    run.start();
    auto watch = answerConsent("cancel", 90);
    EXPECT_EQ(run.wait(), 0) << run.output();
    EXPECT_NE(watch->wait(std::chrono::milliseconds(0)), 0) << "the desktop asked again";
    EXPECT_EQ(rowsPrinted(log).size(), 2u) << readText(log);
    EXPECT_FALSE(readText(token).empty());

    writeText(token, "damaged");
    run.start();
    consent = answerConsent("allow");
    EXPECT_EQ(consent->wait(std::chrono::seconds(60)), 0) << "a damaged token asked nothing";
    EXPECT_EQ(run.wait(), 0) << run.output();
    EXPECT_EQ(rowsPrinted(log).size(), 3u) << readText(log);
    EXPECT_NE(readText(token), "damaged") << "the new permission is kept instead";

    writeText(token, "0badc0de-0000-4000-8000-000000000000"); // well-formed, never given
    run.start();
    auto cancel = answerConsent("cancel");
    EXPECT_EQ(cancel->wait(std::chrono::seconds(60)), 0) << "a withdrawn permission asked nothing";
    EXPECT_NE(run.wait(std::chrono::seconds(30)), 0) << run.output();
    EXPECT_NE(run.output().find("the permission given before no longer holds"), std::string::npos)
        << run.output();
    EXPECT_FALSE(std::filesystem::exists(token)) << "the withdrawn token is presented again";
    EXPECT_EQ(rowsPrinted(log).size(), 3u) << "nothing typed after the cancel";
}

// The stop shortcut, pressed by the user's hand (mutter's own remote keyboard, which the shell
// treats as a real one), ends the run before its last rows.
TEST_F(GnomeRun, TheStopShortcutPressedByTheUserStopsTheRun) {
    KeyferryRun run(temp.path(), slowTemplate(), csvOf(slowRows()));
    startAllowed(run);
    if (HasFatalFailure())
        return;
    EXPECT_FALSE(stopShortcutFree()) << "the run keeps the shortcut";
    Process hand({"/usr/bin/python3", KEYFERRY_MUTTER_HAND, "Control_L+Shift_L+Escape"});
    EXPECT_EQ(hand.wait(), 0);
    EXPECT_EQ(run.wait(std::chrono::seconds(30)), 1) << run.output();
    const std::size_t landed = rowsPrinted(log).size();
    EXPECT_LT(landed, slowRows().size()) << run.output();
    EXPECT_NE(run.output().find("Entries that need another try"), std::string::npos)
        << run.output();
    EXPECT_EQ(run.output().find("Paused"), std::string::npos) << "stopped, not paused";
    settle(std::chrono::milliseconds(1500));
    EXPECT_EQ(rowsPrinted(log).size(), landed) << "typing went on after the stop";
    EXPECT_TRUE(stopShortcutFree()) << "the shortcut went back to the applications";
}

// Killed mid-run, Keyferry cannot let go of its shortcut: the extension sees it leave the bus
// and lets go for it.
TEST_F(GnomeRun, AKilledRunsShortcutGoesBackToTheApplications) {
    KeyferryRun run(temp.path(), slowTemplate(), csvOf(slowRows()));
    startAllowed(run);
    if (HasFatalFailure())
        return;
    ASSERT_FALSE(stopShortcutFree());
    run.signal(SIGKILL);
    run.wait();
    EXPECT_TRUE(spinUntil([] { return stopShortcutFree(); }, std::chrono::seconds(5)));
    const std::size_t landed = rowsPrinted(log).size();
    settle(std::chrono::milliseconds(1500));
    EXPECT_EQ(rowsPrinted(log).size(), landed);
}

// Keyferry's view of windows and applications is the extension's, with the applications' own
// pids, and activating one moves the shell's focus there.
TEST(GnomeWindows, WindowsAndActivationAgreeWithTheShellAndThePids) {
    TemporaryFolder temp;
    Process gtk({"env", "GDK_BACKEND=wayland", "/usr/bin/python3", KEYFERRY_GTK_FORM,
                 (temp.path() / "form.jsonl").string()});
    Process qt({"env", "QT_QPA_PLATFORM=wayland", KEYFERRY_QT_FORM, "Name"});
    ASSERT_TRUE(
        spinUntil([&] { return viewOf(gtk.pid()) && viewOf(qt.pid()); }, std::chrono::seconds(20)));
    QtScheduler scheduler;
    auto connected = WaylandDesktop::connect(scheduler);
    ASSERT_TRUE(connected.hasValue()) << connected.error();
    auto& desktop = **connected;
    ASSERT_TRUE(desktop.windowsProblem().empty()) << desktop.windowsProblem();

    const std::map<pid_t, std::string> applicationOf = {{gtk.pid(), "gtk_form.py"},
                                                        {qt.pid(), "qt_form"}};
    std::set<std::pair<std::string, int>> applications;
    for (const RunningApplication& running : desktop.runningApplications())
        if (running.bundleID)
            applications.insert({*running.bundleID, running.processID});
    for (const auto& [pid, id] : applicationOf)
        EXPECT_TRUE(applications.contains({id, pid})) << id;

    for (const pid_t front : {gtk.pid(), qt.pid(), gtk.pid()}) {
        SCOPED_TRACE("in front: " + applicationOf.at(front));
        ASSERT_TRUE(desktop.activate({applicationOf.at(front), std::nullopt, front, true}));
        ASSERT_TRUE(spinUntil([&] {
            const auto view = viewOf(front);
            return view && view->focused;
        })) << "the shell did not move the focus";
        const auto front_ = desktop.frontmostApplication();
        ASSERT_TRUE(front_);
        EXPECT_EQ(front_->processID, front);
        EXPECT_EQ(desktop.focusedWindow(), viewOf(front)->id);

        std::set<std::tuple<int, int, int, int, int>> expected, listed;
        for (const ShellView& view : shellViews())
            expected.insert({view.pid, view.x, view.y, view.width, view.height});
        const auto windows = desktop.windowList();
        for (const WindowInfo& window : windows)
            listed.insert({window.ownerProcessID, static_cast<int>(window.bounds.x),
                           static_cast<int>(window.bounds.y), static_cast<int>(window.bounds.width),
                           static_cast<int>(window.bounds.height)});
        EXPECT_EQ(listed, expected);
        ASSERT_FALSE(windows.empty());
        EXPECT_EQ(windows.front().ownerProcessID, front) << "the focused window is in front";
        const ShellView view = *viewOf(front);
        EXPECT_EQ(desktop.windowAt({view.x + view.width / 2.0, view.y + view.height / 2.0}),
                  view.id);
    }
}

// What `keyferry desktop` says on GNOME, line by line: what the portal and the extension give,
// and what Wayland withholds, with why.
TEST(GnomeDesktopCommand, SaysWhatWorksThroughThePortalAndTheExtensionAndWhatNot) {
    const bool extension = std::getenv("KEYFERRY_GNOME_EXTENSION") == nullptr ||
                           std::string(std::getenv("KEYFERRY_GNOME_EXTENSION")) != "off";
    const std::string output = shell(std::string(KEYFERRY_BINARY) + " desktop 2>/dev/null");
    // GNOME 45 on offer libei through a portal that remembers the answer; 43 only keysyms.
    const bool libei = KEYFERRY_WITH_LIBEI && portalVersion() >= 2;
    std::vector<std::string> expected = {
        "Desktop: GNOME\n",
        libei ? "type layout text: yes - through the desktop portal (libei, once the desktop "
                "allows it): the desktop asks you once, and again only when you withdraw it\n"
              : "type layout text: yes - through the desktop portal (keysyms): the desktop asks "
                "you once each time Keyferry starts\n",
        portalHasClipboard()
            ? "type any text: yes - characters your keyboard layout lacks are pasted through the "
              "clipboard, and what you had there is put back\n"
            : "type any text: no - the desktop portal types only the characters of your keyboard "
              "layout.",
        libei ? "click: yes - through the desktop portal (libei, once the desktop allows it)\n"
              : "click: no - the desktop portal places clicks only within a screen cast",
        "record keys: no - ",
        "see the user's clicks: no - ",
    };
    if (extension) {
        for (const char* line : {"list windows: yes\n", "activate: yes\n", "window bounds: yes\n",
                                 "stop hotkey: yes\n", "record fields: yes - "})
            expected.emplace_back(line);
    } else {
        for (const char* name : {"list windows", "activate", "window bounds", "stop hotkey"})
            expected.push_back(std::string(name) +
                               ": no - Keyferry's GNOME Shell extension is not running");
        expected.emplace_back("What you can do: turn on Keyferry's GNOME Shell extension "
                              "(Keyferry's start script installs it): gnome-extensions enable "
                              "keyferry@keyferry.org, then log out and in again");
    }
    for (const std::string& line : expected)
        EXPECT_NE(output.find(line), std::string::npos) << line << "\n--- output:\n" << output;
}

// The keysym route chosen where libei is offered: named as chosen, and without clicks; a value
// that is neither route is named, not taken for one.
TEST(GnomeDesktopCommand, TheKeysymRouteCanBeChosenAndAWrongChoiceIsNamed) {
    if (!(KEYFERRY_WITH_LIBEI && portalVersion() >= 2))
        GTEST_SKIP() << "this desktop portal offers no libei: keysyms are its only route";
    const std::string keysyms = shell("KEYFERRY_PORTAL_INPUT=keysyms " +
                                      std::string(KEYFERRY_BINARY) + " desktop 2>/dev/null");
    for (const char* line :
         {"type layout text: yes - through the desktop portal (keysyms, as KEYFERRY_PORTAL_INPUT "
          "asks)",
          "click: no - KEYFERRY_PORTAL_INPUT=keysyms keeps Keyferry off libei"})
        EXPECT_NE(keysyms.find(line), std::string::npos) << line << "\n--- output:\n" << keysyms;
    const std::string wrong = shell("KEYFERRY_PORTAL_INPUT=evdev " + std::string(KEYFERRY_BINARY) +
                                    " desktop 2>/dev/null");
    const std::string named = "KEYFERRY_PORTAL_INPUT must be \"libei\" or \"keysyms\", not "
                              "\"evdev\"";
    EXPECT_NE(wrong.find(named), std::string::npos) << wrong;
}

// Recording on GNOME: the focus followed through AT-SPI as the user's hand (mutter's keyboard)
// Tabs through the form; Alt+Space changes the last step's type and Escape ends the recording,
// both kept from the form by the extension.
TEST(GnomeRecording, TabsBecomeNamedStepsAltSpaceAndEscapeAreKeptFromTheForm) {
    TemporaryFolder temp;
    const auto log = temp.path() / "form.jsonl";
    Process form(
        {"env", "GDK_BACKEND=wayland", "/usr/bin/python3", KEYFERRY_GTK_FORM, log.string()});
    ASSERT_TRUE(spinUntil([&] { return readText(log).find("\"ready\"") != std::string::npos; },
                          std::chrono::seconds(20)));
    // The user's keyboard is there all along, as on a real desktop.
    const auto keys = temp.path() / "keys.txt";
    writeText(keys, "");
    Process hand({"/usr/bin/python3", KEYFERRY_MUTTER_HAND, "--listen", keys.string()});
    const auto press = [&](const std::string& chord) {
        writeText(keys, readText(keys) + chord + "\n");
    };
    QtScheduler scheduler;
    auto connected = WaylandDesktop::connect(scheduler);
    ASSERT_TRUE(connected.hasValue()) << connected.error();
    // The user has the form in front, its Name field focused, when the recording begins.
    ASSERT_TRUE((**connected).activate({"gtk_form.py", std::nullopt, form.pid(), true}));
    ASSERT_TRUE(spinUntil([&] {
        const auto focused = (**connected).focusedElement();
        return focused && focused->title == "Name";
    })) << "the form's Name field does not have the focus";
    RecorderService recorder(**connected, scheduler);
    ASSERT_TRUE(recorder.followsFocusOnly());
    recorder.startRecording();
    ASSERT_EQ(recorder.state(), RecorderState::recording);
    // The field focused as the recording began is its first step.
    EXPECT_TRUE(spinUntil([&] { return recorder.recordedSteps().size() >= 1; }));
    for (std::size_t tab = 1; tab <= 2; ++tab) {
        press("Tab");
        EXPECT_TRUE(spinUntil([&] { return recorder.recordedSteps().size() >= tab + 1; }))
            << "no step for Tab " << tab;
    }
    settle(std::chrono::milliseconds(300));
    std::string steps;
    for (const Step& step : recorder.recordedSteps())
        steps += std::to_string(static_cast<int>(step.type)) + ":" + step.label + " ";
    ASSERT_EQ(recorder.recordedSteps().size(), 3u) << steps;
    EXPECT_EQ(recorder.recordedSteps()[0].label, "Name");
    EXPECT_EQ(recorder.recordedSteps()[1].label, "City");
    EXPECT_EQ(recorder.recordedSteps()[2].label, "Code");
    const StepType before = recorder.recordedSteps()[2].type;
    press("Alt_L+space");
    EXPECT_TRUE(spinUntil([&] { return recorder.recordedSteps()[2].type != before; }))
        << "Alt+Space did not change the last step";
    press("Escape");
    EXPECT_TRUE(spinUntil([&] { return recorder.state() == RecorderState::idle; }))
        << "Escape did not end the recording";
    press("quit");
    EXPECT_EQ(hand.wait(), 0);
    EXPECT_EQ(recorder.detectedBundleID(), "gtk_form.py");
    // Neither reached the form: the Code entry holds no space, and the form is still open.
    ::kill(form.pid(), SIGUSR1);
    ASSERT_TRUE(spinUntil([&] { return readText(log).find("\"state\"") != std::string::npos; }));
    EXPECT_EQ(readText(log).find("\" \""), std::string::npos) << readText(log);
    EXPECT_TRUE(stopShortcutFree());
}
