#include "TrustDesktop.h"

#include <cstdio>
#include <nlohmann/json.hpp>
#include <sstream>
#include <unistd.h>

using namespace keyferry;
using namespace keyferry::testing;

namespace {

using Row = std::vector<std::string>;

// Twenty rows for a web form of three fields: letters with diacritics, the dotted capital
// I, Hangul, CJK, emoji with skin-tone modifiers, quotation marks of several languages,
// characters that sit on AltGr in German and French, combining marks that must stay
// uncombined, and plain ASCII.
const std::vector<Row> formRows = {
    {"J\u00FCrgen Wei\u00DF", "K\u00F6ln", "Stra\u00DFe 5"},
    {"\u00C4\u00D6\u00DC \u00E4\u00F6\u00FC \u00DF", "\u0130stanbul", "\u0130\u0130 \u0131i"},
    {"\uD55C\uAD6D\uC5B4", "\uC11C\uC6B8\uD2B9\uBCC4\uC2DC", "\uAE40\uBBFC\uC900"},
    {"\u6771\u4EAC\u90FD", "\u4E2D\u6587\u8F93\u5165",
     "\u65E5\u672C\u8A9E\u30C6\u30AD\u30B9\u30C8"},
    {"\U0001F44D\U0001F3FD", "\U0001F600 Gr\u00FC\u00DFe", "\U0001F44B\U0001F3FF hi \U0001F389"},
    {"\u00ABBonjour\u00BB", "\u201EGuten Tag\u201C", "'single' \"double\""},
    {"\u20AC 100,00", "user@example.com", "{a|b}~"},
    {"Plain ASCII text", "Hello, World!", "0123456789"},
    {"a{b}c", "x|y|z", "~tilde~"},
    {"\u00DCnal \u00C7elik", "Zo\u00EB No\u00EBl", "S\u00E3o Paulo"},
    {"\u20AC@{}|~", "[a]\\b^`", "<>#$%&*"},
    {"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC",
     "\u041F\u0440\u0438\u0432\u0435\u0442, \u043C\u0438\u0440", "\u05E9\u05DC\u05D5\u05DD"},
    {"Cr\u00E8me br\u00FBl\u00E9e", "na\u00EFve caf\u00E9", "\u00D8re \u00C5se"},
    {"\u0130zmir \u0130\u0130", "stra\u00DFe STRASSE", "\u01C5 \uFB01"},
    {"Mixed \uD55C \u6771 \u20AC \u00DF", "\U0001F44D\U0001F3FD\U0001F44D\U0001F3FB",
     "\u00AB\u20AC\u00BB \u201E@\u201C"},
    {"ASCII only", "foo bar baz", "The quick brown fox"},
    {"e\u0301 combining", "n\u0303", "\u00C5 vs A\u030A"},
    {"{\"json\": 1}", "a;b", "'quoted'"},
    {"Hello \u4E16\u754C", "\U0001F600\U0001F603\U0001F604", "\u00FC\u20AC@"},
    {"Last row", "Ende", "Fin ~ | @"},
};

/// The local web page with the form, served by tests/e2e/form_server.py, in a Chromium
/// application window of its own profile.
class ChromiumForm {
public:
    explicit ChromiumForm(const std::filesystem::path& folder) : log_(folder / "form.log") {
        server_ = std::make_unique<Process>(std::vector<std::string>{
            "python3", KEYFERRY_FORM_SERVER, (folder / "port").string(), log_.string()});
        spinUntil([&] { return !readText(folder / "port").empty(); });
        const std::string port = readText(folder / "port");
        if (port.empty())
            return;
        std::vector<std::string> command = {
            "/usr/bin/chromium",
            "--user-data-dir=" + (folder / "profile").string(),
            "--no-first-run",
            "--no-default-browser-check",
            "--disable-background-networking",
            "--disable-component-update",
            "--disable-sync",
            "--disable-gpu",
            "--password-store=basic",
            "--ozone-platform=x11",
            "--disable-features=Translate,AutofillServerCommunication",
            "--window-position=40,40",
            "--window-size=900,600",
            "--app=http://127.0.0.1:" + port + "/"};
        if (::geteuid() == 0)
            command.insert(command.begin() + 1, "--no-sandbox"); // refuses to start as root
        std::string line = "exec";
        for (const auto& part : command)
            line += " " + shellQuote(part);
        browser_ = std::make_unique<Process>(std::vector<std::string>{
            "sh", "-c", line + " >" + shellQuote((folder / "chromium.log").string()) + " 2>&1"});
    }
    pid_t browserProcess() const { return browser_ ? browser_->pid() : -1; }

    /// The page has loaded and its script runs.
    bool waitUntilReady() {
        return spinUntil([&] { return readText(log_).find("\"ready\"") != std::string::npos; },
                         std::chrono::seconds(30));
    }

    /// The rows the page has sent, in the order it sent them.
    std::vector<Row> rows() const {
        std::vector<std::pair<int, Row>> numbered;
        std::istringstream lines(readText(log_));
        for (std::string line; std::getline(lines, line);) {
            const auto entry = nlohmann::json::parse(line, nullptr, false);
            if (entry.is_discarded() || entry.value("kind", "") != "row" ||
                !entry.contains("values"))
                continue;
            numbered.emplace_back(entry.value("n", 0), entry.at("values").get<Row>());
        }
        std::ranges::sort(numbered, {}, &std::pair<int, Row>::first);
        std::vector<Row> rows;
        for (auto& [n, row] : numbered)
            rows.push_back(std::move(row));
        return rows;
    }

private:
    std::filesystem::path log_;
    std::unique_ptr<Process> server_;
    std::unique_ptr<Process> browser_;
};

std::string describe(const Row& row) {
    std::string text;
    for (const auto& field : row)
        text += "[" + escaped(field) + "]";
    return text;
}

class ChromiumFormTest : public ::testing::TestWithParam<std::string> {};

} // namespace

// `keyferry run` fills a web form in Chromium twenty times under one keyboard layout; the
// page must receive every value byte for byte, and the keyboard mapping must be the user's
// again when the run is over.
TEST_P(ChromiumFormTest, EveryRowArrivesExactlyAndTheKeymapIsRestored) {
    const std::string layoutName = GetParam();
    TemporaryFolder temp;
    XSession x;
    ASSERT_TRUE(x.connected());
    ASSERT_TRUE(x.windowManagerResponds()) << "the window manager is still busy";
    const KeyboardLayout layout(layoutName);
    ASSERT_TRUE(layout.active()) << shell("setxkbmap -query");

    ChromiumForm form(temp.path());
    ASSERT_TRUE(form.waitUntilReady()) << readText(temp.path() / "chromium.log");
    const auto window = x.waitForWindowOf(form.browserProcess());
    ASSERT_TRUE(window);
    ASSERT_EQ(x.windowClass(*window), "Chromium");
    x.parkPointer();

    Template item;
    item.name = "Web form";
    item.targetAppBundleID = "Chromium";
    item.settings.countdownSeconds = 1;
    item.settings.interCharDelay = 0;
    item.steps = {
        makeStep(StepType::textInput, "First", 0.1), makeStep(StepType::textInput, "Second", 0.1),
        makeStep(StepType::textInput, "Third", 0.1), makeStep(StepType::returnKey, "", 0.4)};
    std::string csv = "First;Second;Third\n";
    for (const Row& row : formRows)
        csv += csvField(row[0]) + ";" + csvField(row[1]) + ";" + csvField(row[2]) + "\n";
    KeyferryRun run(temp.path() / "run", item, csv);

    const std::string keymapBefore = shell("xmodmap -pke");
    ASSERT_FALSE(keymapBefore.empty());
    run.start();
    const int exitCode = run.wait(std::chrono::seconds(150));
    spinUntil([&] { return form.rows().size() >= formRows.size(); }, std::chrono::seconds(5));
    const bool keymapRestored = keymapBecomes(keymapBefore);

    const std::vector<Row> received = form.rows();
    std::vector<Row> unmatched = received;
    std::size_t exact = 0;
    std::string missing;
    for (const Row& row : formRows) {
        const auto found = std::ranges::find(unmatched, row);
        if (found != unmatched.end()) {
            ++exact;
            unmatched.erase(found);
        } else {
            missing += "\n  wanted " + describe(row);
        }
    }
    std::string extra;
    for (const Row& row : unmatched)
        extra += "\n  got    " + describe(row);
    std::printf("[ layout %s ] %zu of %zu rows exact, %zu received, exit %d, keymap %s\n",
                layoutName.c_str(), exact, formRows.size(), received.size(), exitCode,
                keymapRestored ? "restored" : "CHANGED");

    EXPECT_EQ(exact, formRows.size())
        << "rows not received exactly:" << missing << "\nreceived instead:" << extra;
    std::size_t inOrder = 0;
    while (inOrder < std::min(received.size(), formRows.size()) &&
           received[inOrder] == formRows[inOrder])
        ++inOrder;
    EXPECT_TRUE(inOrder == formRows.size() && received.size() == formRows.size())
        << "every row once, in order: " << received.size() << " received, the first " << inOrder
        << " as sent";
    EXPECT_EQ(exitCode, 0) << run.output();
    writeText(temp.path() / "keymap-before.txt", keymapBefore);
    EXPECT_TRUE(keymapRestored) << "the keymap differs after the run:\n"
                                << shell("xmodmap -pke | diff " +
                                         shellQuote((temp.path() / "keymap-before.txt").string()) +
                                         " - | head -20");
}

INSTANTIATE_TEST_SUITE_P(Layouts, ChromiumFormTest, ::testing::Values("us", "de", "fr", "ru"),
                         [](const auto& info) { return info.param; });
