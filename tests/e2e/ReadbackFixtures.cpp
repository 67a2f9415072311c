#include "ReadbackFixtures.h"

#include "model/TemplateJson.h"

#include <algorithm>
#include <csignal>
#include <sstream>

namespace keyferry::testing {

namespace {

// The fixtures need the distribution's Python, which has the GTK and UNO bindings; a
// python3 of another installation earlier in PATH has neither.
constexpr const char* systemPython = "/usr/bin/python3";

std::vector<nlohmann::json> jsonLines(const std::string& text, std::size_t* bad = nullptr) {
    std::vector<nlohmann::json> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.empty())
            continue;
        auto parsed = nlohmann::json::parse(line, nullptr, false);
        if (parsed.is_discarded() || !parsed.is_object()) {
            if (bad)
                ++*bad;
            continue;
        }
        lines.push_back(std::move(parsed));
    }
    return lines;
}

} // namespace

// GtkForm

GtkForm::GtkForm(const std::filesystem::path& folder, int codeMax) : log_(folder / "form.log") {
    process_ = std::make_unique<Process>(std::vector<std::string>{
        systemPython, KEYFERRY_GTK_FORM, log_.string(), "--code-max", std::to_string(codeMax)});
}

std::vector<nlohmann::json> GtkForm::records(const std::string& kind) const {
    std::vector<nlohmann::json> found;
    for (auto& record : jsonLines(readText(log_)))
        if (record.value("kind", "") == kind)
            found.push_back(std::move(record));
    return found;
}

bool GtkForm::waitUntilReady(std::chrono::milliseconds timeout) {
    if (!spinUntil([&] { return !records("ready").empty(); }, timeout))
        return false;
    const nlohmann::json ready = records("ready").front();
    for (const auto& [label, point] : ready.at("points").items())
        points_[label] = {point.at(0).get<int>(), point.at(1).get<int>()};
    return true;
}

std::pair<int, int> GtkForm::centreOf(const std::string& label) const {
    const auto found = points_.find(label);
    return found == points_.end() ? std::pair{-1, -1} : found->second;
}

std::vector<Row> GtkForm::rows() const {
    std::vector<Row> rows;
    for (const auto& record : records("row"))
        rows.push_back(record.at("values").get<Row>());
    return rows;
}

std::optional<Row> GtkForm::values() {
    const std::size_t before = records("state").size();
    ::kill(process_->pid(), SIGUSR1);
    std::optional<Row> values;
    spinUntil(
        [&] {
            const auto states = records("state");
            if (states.size() <= before)
                return false;
            values = states.back().at("values").get<Row>();
            return true;
        },
        std::chrono::seconds(5));
    return values;
}

// CalcSheet

CalcSheet::CalcSheet(const std::filesystem::path& folder) : folder_(folder) {
    std::filesystem::create_directories(folder_);
    process_ = std::make_unique<Process>(std::vector<std::string>{
        "sh", "-c",
        "exec " + shellQuote(systemPython) + " " + shellQuote(KEYFERRY_CALC_SHEET) + " start " +
            shellQuote(folder_.string()) + " >" + shellQuote((folder_ / "soffice.log").string()) +
            " 2>&1"});
}

CalcSheet::~CalcSheet() {
    if (!port_.empty())
        shell(shellQuote(systemPython) + " " + shellQuote(KEYFERRY_CALC_SHEET) + " quit " + port_ +
              " 2>&1");
    process_->wait(std::chrono::seconds(20));
}

bool CalcSheet::waitUntilReady() {
    if (!spinUntil([&] { return !readText(folder_ / "port").empty(); }))
        return false;
    port_ = readText(folder_ / "port");
    const std::string answer =
        shell(shellQuote(systemPython) + " " + shellQuote(KEYFERRY_CALC_SHEET) + " ready " + port_ +
              " >/dev/null 2>&1; echo $?");
    return answer == "0\n";
}

std::optional<std::vector<Row>> CalcSheet::cells(std::string* error) const {
    const std::string printed =
        shell(shellQuote(systemPython) + " " + shellQuote(KEYFERRY_CALC_SHEET) + " cells " + port_ +
              " 2>&1");
    const auto parsed = nlohmann::json::parse(printed, nullptr, false);
    if (parsed.is_discarded() || !parsed.is_array()) {
        if (error)
            *error = printed;
        return std::nullopt;
    }
    return parsed.get<std::vector<Row>>();
}

std::string CalcSheet::log() const {
    return readText(folder_ / "soffice.log");
}

// JournalFile

const nlohmann::json* JournalFile::lastFor(std::size_t entry) const {
    const nlohmann::json* last = nullptr;
    for (const auto& row : rows)
        if (row.value("entry", std::size_t{0}) == entry)
            last = &row;
    return last;
}

std::string JournalFile::describe() const {
    std::string text = path.filename().string() + ":";
    for (const auto& row : rows)
        text += " " + std::to_string(row.value("entry", std::size_t{0})) + ":" +
                row.value("status", std::string("?"));
    return text;
}

JournalFile readJournal(const std::filesystem::path& path) {
    JournalFile journal;
    journal.path = path;
    for (auto& line : jsonLines(readText(path), &journal.badLines)) {
        if (line.contains("entry"))
            journal.rows.push_back(std::move(line));
        else
            journal.other.push_back(std::move(line));
    }
    return journal;
}

// JournaledRun

JournaledRun::JournaledRun(std::filesystem::path folder, const Template& item,
                           const std::string& csv)
    : folder_(std::move(folder)), templateName_(item.name) {
    std::filesystem::create_directories(folder_ / "data" / "Keyferry");
    std::filesystem::create_directories(folder_ / "state");
    writeText(folder_ / "data" / "Keyferry" / "templates.json", *encodeTemplates({item}));
    writeText(folder_ / "rows.csv", csv);
}

JournaledRun::~JournaledRun() {
    // A test that gave up midway stops the run as Ctrl+C would, so the keyboard is given
    // back; it is killed only when it does not end.
    if (process_ && !ended_) {
        ::kill(process_->pid(), SIGTERM);
        process_->wait(std::chrono::seconds(5));
    }
}

void JournaledRun::start(const std::vector<std::string>& extra) {
    ++runs_;
    ended_ = false;
    journalsBefore_ = journals();
    std::string arguments;
    for (const auto& argument : extra)
        arguments += " " + shellQuote(argument);
    // Signals go to Keyferry itself, so the shell only redirects and replaces itself.
    const std::string command =
        "export XDG_DATA_HOME=" + shellQuote((folder_ / "data").string()) +
        " XDG_STATE_HOME=" + shellQuote((folder_ / "state").string()) + "; exec " +
        shellQuote(KEYFERRY_BINARY) + " run --template " + shellQuote(templateName_) + " --csv " +
        shellQuote((folder_ / "rows.csv").string()) + arguments + " >" +
        shellQuote((folder_ / ("run-" + std::to_string(runs_) + ".txt")).string()) + " 2>&1";
    process_ = std::make_unique<Process>(std::vector<std::string>{"sh", "-c", command});
}

int JournaledRun::wait(std::chrono::milliseconds timeout) {
    if (!process_)
        return -1;
    const int code = process_->wait(timeout);
    ended_ = true; // reaped: its pid may belong to another process from now on
    return code;
}

int JournaledRun::run(const std::vector<std::string>& extra, std::chrono::milliseconds timeout) {
    start(extra);
    return wait(timeout);
}

std::string JournaledRun::output() const {
    return readText(folder_ / ("run-" + std::to_string(runs_) + ".txt"));
}

bool JournaledRun::waitForOutput(const std::string& text, std::chrono::milliseconds timeout) {
    return spinUntil([&] { return output().find(text) != std::string::npos; }, timeout);
}

std::vector<std::filesystem::path> JournaledRun::journals() const {
    std::vector<std::filesystem::path> found;
    std::error_code error;
    for (const auto& file : std::filesystem::directory_iterator(journalFolder(), error))
        if (file.path().extension() == ".jsonl")
            found.push_back(file.path());
    std::ranges::sort(found);
    return found;
}

std::optional<std::filesystem::path> JournaledRun::lastJournal() const {
    std::optional<std::filesystem::path> added;
    for (const auto& file : journals()) {
        if (std::ranges::find(journalsBefore_, file) != journalsBefore_.end())
            continue;
        if (added)
            return std::nullopt; // more than one: not the journal of one run
        added = file;
    }
    return added;
}

} // namespace keyferry::testing
