#include "model/RunJournal.h"

#include "model/FileIO.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <openssl/evp.h>
#include <pwd.h>
#include <random>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace keyferry {

namespace {

using Json = nlohmann::ordered_json;

constexpr std::array<std::string_view, allRowStatuses.size()> statusWords = {
    "entered", "verified", "mismatch", "paused", "stopped", "failed", "wrong field", "refused"};

std::string systemError(const std::string& what, const std::filesystem::path& path, int error) {
    return what + " " + path.string() + ": " + std::strerror(error);
}

// ---- time and names ----

std::string isoTime(const timespec& now, char timeSeparator) {
    std::tm utc{};
    gmtime_r(&now.tv_sec, &utc);
    const std::string format =
        std::string("%Y-%m-%dT%H") + timeSeparator + "%M" + timeSeparator + "%S";
    char stamp[48];
    const std::size_t length = std::strftime(stamp, sizeof stamp, format.c_str(), &utc);
    char millis[16];
    std::snprintf(millis, sizeof millis, ".%03dZ",
                  static_cast<int>(now.tv_nsec / 1'000'000 % 1000));
    return std::string(stamp, length) + millis;
}

timespec realTimeNow() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return now;
}

std::string randomHex8() {
    std::uint32_t value = 0;
    if (::getrandom(&value, sizeof value, 0) != static_cast<ssize_t>(sizeof value))
        value = std::random_device{}();
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", value);
    return hex;
}

// ---- JSON ----

std::string dumpLine(const Json& json) {
    // Texts read back from a form may hold invalid UTF-8; they are kept, replaced, rather
    // than losing the line.
    return json.dump(-1, ' ', false, Json::error_handler_t::replace) + '\n';
}

Json headerJson(const RunHeader& header) {
    Json run;
    run["templateID"] = header.templateID;
    run["templateName"] = header.templateName;
    run["csvPath"] = header.csvPath;
    run["csvSHA256"] = header.csvSHA256;
    run["started"] = header.started;
    run["entries"] = formatEntryList(header.entries);
    if (!header.entries.empty()) {
        run["firstEntry"] = header.entries.front();
        run["lastEntry"] = header.entries.back();
    }
    return Json{{"run", std::move(run)}};
}

Json rowJson(const RowOutcome& outcome, const std::string& time) {
    Json row;
    row["entry"] = outcome.entry;
    row["status"] = std::string(rawValue(outcome.status));
    if (outcome.field)
        row["field"] = *outcome.field;
    if (outcome.message)
        row["message"] = *outcome.message;
    if (outcome.fieldsVerified || outcome.fieldsUnread)
        row["fields"] = {{"verified", outcome.fieldsVerified}, {"unread", outcome.fieldsUnread}};
    // Cell values stay out of the journal, except what the user needs to mend a mismatch.
    if (outcome.status == RowStatus::mismatch) {
        if (outcome.expected)
            row["expected"] = *outcome.expected;
        if (outcome.shown)
            row["shown"] = *outcome.shown;
    }
    row["time"] = time;
    return row;
}

Json summaryJson(const RunSummary& summary, const std::string& time) {
    Json body;
    body["ended"] = summary.ended;
    if (summary.message)
        body["message"] = *summary.message;
    Json counts;
    for (const RowStatus status : allRowStatuses)
        counts[std::string(rawValue(status))] = summary.count(status);
    body["counts"] = std::move(counts);
    body["time"] = time;
    return Json{{"summary", std::move(body)}};
}

// Thrown while reading one line; the reader turns it into an error naming the line.
struct LineProblem {
    std::string message;
};

const Json& member(const Json& object, const char* key) {
    const auto found = object.find(key);
    if (found == object.end())
        throw LineProblem{std::string("\"") + key + "\" is missing"};
    return *found;
}

std::string stringMember(const Json& object, const char* key) {
    const Json& value = member(object, key);
    if (!value.is_string())
        throw LineProblem{std::string("\"") + key + "\" is not a string"};
    return value.get<std::string>();
}

std::optional<std::string> optionalString(const Json& object, const char* key) {
    const auto found = object.find(key);
    if (found == object.end() || found->is_null())
        return std::nullopt;
    if (!found->is_string())
        throw LineProblem{std::string("\"") + key + "\" is not a string"};
    return found->get<std::string>();
}

std::size_t countMember(const Json& object, const char* key) {
    const Json& value = member(object, key);
    if (!value.is_number_unsigned())
        throw LineProblem{std::string("\"") + key + "\" is not a whole number"};
    return value.get<std::size_t>();
}

RunHeader readHeader(const Json& run) {
    if (!run.is_object())
        throw LineProblem{"\"run\" is not an object"};
    RunHeader header;
    header.templateID = stringMember(run, "templateID");
    header.templateName = stringMember(run, "templateName");
    header.csvPath = stringMember(run, "csvPath");
    header.csvSHA256 = stringMember(run, "csvSHA256");
    header.started = stringMember(run, "started");
    const std::string entries = stringMember(run, "entries");
    if (!trimmed(entries).empty()) {
        auto parsed = parseEntryList(entries);
        if (!parsed)
            throw LineProblem{"\"entries\": " + parsed.error()};
        header.entries = std::move(*parsed);
    }
    return header;
}

JournalRow readRow(const Json& row) {
    JournalRow result;
    result.outcome.entry = countMember(row, "entry");
    if (result.outcome.entry == 0)
        throw LineProblem{"\"entry\" is 0; entries are counted from 1"};
    const std::string status = stringMember(row, "status");
    const auto parsed = rowStatusFrom(status);
    if (!parsed)
        throw LineProblem{"\"status\" \"" + status + "\" is not a row status"};
    result.outcome.status = *parsed;
    result.outcome.field = optionalString(row, "field");
    result.outcome.message = optionalString(row, "message");
    result.outcome.expected = optionalString(row, "expected");
    result.outcome.shown = optionalString(row, "shown");
    // Journals written before fields were counted have none.
    if (const auto fields = row.find("fields"); fields != row.end()) {
        if (!fields->is_object())
            throw LineProblem{"\"fields\" is not an object"};
        result.outcome.fieldsVerified = countMember(*fields, "verified");
        result.outcome.fieldsUnread = countMember(*fields, "unread");
    }
    result.time = stringMember(row, "time");
    return result;
}

RunSummary readSummary(const Json& body) {
    if (!body.is_object())
        throw LineProblem{"\"summary\" is not an object"};
    RunSummary summary;
    summary.ended = stringMember(body, "ended");
    summary.message = optionalString(body, "message");
    const Json& counts = member(body, "counts");
    if (!counts.is_object())
        throw LineProblem{"\"counts\" is not an object"};
    for (std::size_t i = 0; i < allRowStatuses.size(); ++i)
        if (counts.contains(statusWords[i]))
            summary.counts[i] = countMember(counts, std::string(statusWords[i]).c_str());
    return summary;
}

// ---- SHA-256 ----

struct DigestContextFree {
    void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};
using DigestContext = std::unique_ptr<EVP_MD_CTX, DigestContextFree>;

} // namespace

std::string_view rawValue(RowStatus status) {
    return statusWords[static_cast<std::size_t>(status)];
}

std::optional<RowStatus> rowStatusFrom(std::string_view raw) {
    for (std::size_t i = 0; i < statusWords.size(); ++i)
        if (statusWords[i] == raw)
            return allRowStatuses[i];
    return std::nullopt;
}

EntryList RunJournal::unfinishedEntries() const {
    std::map<std::size_t, RowStatus> last;
    for (const JournalRow& row : rows)
        last[row.outcome.entry] = row.outcome.status;
    EntryList unfinished;
    for (const std::size_t entry : header.entries) {
        const auto found = last.find(entry);
        if (found == last.end() || !landed(found->second))
            unfinished.push_back(entry);
    }
    return unfinished;
}

RunSummary RunJournal::tally() const {
    std::map<std::size_t, RowStatus> last;
    for (const JournalRow& row : rows)
        last[row.outcome.entry] = row.outcome.status;
    RunSummary counted;
    if (summary) {
        counted.ended = summary->ended;
        counted.message = summary->message;
    }
    for (const auto& [entry, status] : last)
        ++counted.counts[static_cast<std::size_t>(status)];
    return counted;
}

std::filesystem::path runJournalFolder() {
    return stateFolder() / "runs";
}

Expected<std::string> sha256OfFile(const std::filesystem::path& path) {
    // O_NONBLOCK: a named pipe put in the file's place must not hold the check up for ever.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0)
        return Unexpected{systemError("Cannot open", path, errno)};
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        return Unexpected{systemError("Cannot read", path, errno)};
    if (!S_ISREG(info.st_mode))
        return Unexpected{"Cannot read " + path.string() + ": it is not a regular file."};
    DigestContext context(EVP_MD_CTX_new());
    if (!context || EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) != 1)
        return Unexpected{std::string("Cannot start a SHA-256 digest.")};
    // Streamed: a large table is not held in memory a second time.
    std::array<unsigned char, 1 << 16> buffer{};
    for (;;) {
        const ssize_t got = ::read(fd.get(), buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return Unexpected{systemError("Cannot read", path, errno)};
        if (got == 0)
            break;
        if (EVP_DigestUpdate(context.get(), buffer.data(), static_cast<std::size_t>(got)) != 1)
            return Unexpected{std::string("Cannot compute a SHA-256 digest.")};
    }
    std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
    unsigned int length = 0;
    if (EVP_DigestFinal_ex(context.get(), digest.data(), &length) != 1)
        return Unexpected{std::string("Cannot finish a SHA-256 digest.")};
    std::string hex;
    for (unsigned int i = 0; i < length; ++i) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", digest[i]);
        hex += pair;
    }
    return hex;
}

std::string isoTimeNow() {
    return isoTime(realTimeNow(), ':');
}

Expected<JournalWriter> JournalWriter::create(const std::filesystem::path& folder,
                                              const RunHeader& header) {
    if (auto problem = ensureOwnerOnlyFolder(folder))
        return Unexpected{std::move(*problem)};
    // Named by time so that a listing sorts by time, with a random tail so that two runs in
    // the same millisecond (or two processes) never share a file.
    const std::string stamp = isoTime(realTimeNow(), '-');
    for (int attempt = 0;; ++attempt) {
        const std::filesystem::path file = folder / (stamp + "-" + randomHex8() + ".jsonl");
        FileDescriptor fd(
            ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0600));
        if (fd.get() < 0 && errno == EEXIST && attempt < 16)
            continue;
        if (fd.get() < 0)
            return Unexpected{systemError("Cannot create", file, errno)};
        // The umask may have narrowed the mode further; the owner must still write.
        if (::fchmod(fd.get(), 0600) != 0) {
            const int error = errno;
            ::unlink(file.c_str());
            return Unexpected{systemError("Cannot set the permissions of", file, error)};
        }
        JournalWriter writer(file, fd.release());
        if (auto problem = writer.writeLine(dumpLine(headerJson(header)))) {
            ::unlink(file.c_str());
            return Unexpected{std::move(*problem)};
        }
        // The new name lasts only once the folder's entry is on disk.
        FileDescriptor folderFd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (folderFd.get() >= 0)
            ::fsync(folderFd.get());
        return writer;
    }
}

JournalWriter::JournalWriter(JournalWriter&& other) noexcept
    : file_(std::move(other.file_)), fd_(std::exchange(other.fd_, -1)) {}

JournalWriter& JournalWriter::operator=(JournalWriter&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        file_ = std::move(other.file_);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

JournalWriter::~JournalWriter() {
    if (fd_ >= 0)
        ::close(fd_);
}

std::optional<std::string> JournalWriter::append(const RowOutcome& outcome) {
    return writeLine(dumpLine(rowJson(outcome, isoTimeNow())));
}

std::optional<std::string> JournalWriter::finish(const RunSummary& summary) {
    return writeLine(dumpLine(summaryJson(summary, isoTimeNow())));
}

std::optional<std::string> JournalWriter::writeLine(const std::string& line) {
    if (fd_ < 0)
        return "Cannot write " + file_.string() + ": the journal is closed";
    // One write per line, appended: a crash leaves whole lines and at most a cut last one.
    // Only a short write (a full disk) takes a second call.
    std::string_view rest = line;
    while (!rest.empty()) {
        const ssize_t written = ::write(fd_, rest.data(), rest.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return systemError("Cannot write", file_, errno);
        rest.remove_prefix(static_cast<std::size_t>(written));
    }
    // On disk before the next row is typed, so that not even a power cut loses a row.
    if (::fdatasync(fd_) != 0 && errno != EINVAL)
        return systemError("Cannot flush", file_, errno);
    return std::nullopt;
}

Expected<RunJournal> readRunJournal(const std::filesystem::path& file) {
    // A line per row: far less than this even for the largest table an import can hold.
    constexpr std::uint64_t maxJournalBytes = 1ull << 30;
    auto bytes = readRegularFile(file, maxJournalBytes);
    if (!bytes)
        return Unexpected{bytes.error().message};
    RunJournal journal;
    journal.file = file;
    bool haveHeader = false;
    std::size_t lineNumber = 0;
    std::size_t position = 0;
    const std::string& text = *bytes;
    while (position < text.size()) {
        ++lineNumber;
        const std::size_t end = text.find('\n', position);
        // A line without its line break is the one a crash cut short.
        if (end == std::string::npos)
            break;
        const std::string_view line(text.data() + position, end - position);
        position = end + 1;
        if (trimmed(line).empty())
            continue;
        const auto where = [&] { return file.string() + ":" + std::to_string(lineNumber) + ": "; };
        try {
            const Json json = Json::parse(line);
            if (!json.is_object())
                throw LineProblem{"not a JSON object"};
            if (journal.summary)
                throw LineProblem{"comes after the summary"};
            if (json.contains("run")) {
                if (haveHeader)
                    throw LineProblem{"a second run header"};
                journal.header = readHeader(json.at("run"));
                haveHeader = true;
            } else if (!haveHeader) {
                throw LineProblem{"the journal does not begin with its run header"};
            } else if (json.contains("summary")) {
                journal.summary = readSummary(json.at("summary"));
            } else if (json.contains("entry")) {
                journal.rows.push_back(readRow(json));
            } else {
                throw LineProblem{"neither a run header, a row nor a summary"};
            }
        } catch (const LineProblem& problem) {
            return Unexpected{where() + problem.message};
        } catch (const Json::exception& problem) {
            return Unexpected{where() + problem.what()};
        }
    }
    if (!haveHeader)
        return Unexpected{file.string() + ": no run header"};
    return journal;
}

Expected<std::vector<RunJournal>> listRunJournals(const std::filesystem::path& folder,
                                                  std::vector<std::string>* skipped) {
    std::error_code error;
    if (!std::filesystem::exists(folder, error) && !error)
        return std::vector<RunJournal>{};
    std::vector<std::filesystem::path> files;
    const auto unreadable = [&] {
        return Unexpected{"Cannot read " + folder.string() + ": " + error.message()};
    };
    std::filesystem::directory_iterator entry(folder, error);
    if (error)
        return unreadable();
    for (; entry != std::filesystem::directory_iterator{}; entry.increment(error)) {
        if (error)
            return unreadable();
        std::error_code ignored; // a file removed meanwhile is simply not listed
        if (entry->path().extension() == ".jsonl" && entry->is_regular_file(ignored))
            files.push_back(entry->path());
    }
    if (error)
        return unreadable();
    // The names begin with the start time, so name order is time order.
    std::ranges::sort(files);
    std::vector<RunJournal> journals;
    for (const auto& file : files) {
        auto journal = readRunJournal(file);
        if (journal)
            journals.push_back(std::move(*journal));
        else if (skipped)
            skipped->push_back(journal.error());
    }
    return journals;
}

} // namespace keyferry
