#include "platform/x11/KeymapJournalFile.h"

#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace keyferry::x11 {

namespace {

constexpr std::string_view header = "Keyferry keymap journal 1\n";
constexpr std::string_view displayKey = "display ";
constexpr std::string_view prefix = "keymap-";
constexpr std::string_view suffix = ".journal";
constexpr std::string_view temporarySuffix = ".journal.tmp";

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// "host:number" of a display name: without the screen, the local host written one way.
std::string server(std::string_view name) {
    const std::size_t colon = name.rfind(':');
    if (colon == std::string_view::npos)
        return std::string(name);
    std::string_view host = name.substr(0, colon);
    std::string_view number = name.substr(colon + 1);
    number = number.substr(0, number.find('.'));
    if (host == "unix")
        host = {};
    return std::string(host) + ":" + std::string(number);
}

} // namespace

KeymapJournalFile::KeymapJournalFile(std::filesystem::path folder, unsigned int serial)
    : path_(std::move(folder) / (std::string(prefix) + std::to_string(::getpid()) + "-" +
                                 std::to_string(serial) + std::string(suffix))) {}

bool KeymapJournalFile::update(const Contents& contents) {
    if (contents.borrowed.empty()) {
        remove();
        return true;
    }
    const std::string temporary = temporaryPath();
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const bool written = writeAll(fd, format(contents));
    if (::close(fd) != 0 || !written || ::rename(temporary.c_str(), path_.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

void KeymapJournalFile::remove() {
    ::unlink(path_.c_str());
}

std::optional<std::filesystem::path> KeymapJournalFile::folder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!runtime || *runtime != '/')
        return std::nullopt;
    std::filesystem::path folder = std::filesystem::path(runtime) / "Keyferry";
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return std::nullopt;
    return folder;
}

std::string KeymapJournalFile::format(const Contents& contents) {
    std::string text(header);
    text += displayKey;
    text += contents.display;
    text += '\n';
    for (const BorrowedKeycode& borrowed : contents.borrowed) {
        borrowed.appendText(text);
        text += '\n';
    }
    return text;
}

std::optional<KeymapJournalFile::Contents> KeymapJournalFile::parse(std::string_view text) {
    if (!text.starts_with(header))
        return std::nullopt;
    text.remove_prefix(header.size());
    Contents contents;
    bool first = true;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos)
            return std::nullopt; // every line ends with one: this file is not ours
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end + 1);
        if (first) {
            if (!line.starts_with(displayKey))
                return std::nullopt;
            contents.display = line.substr(displayKey.size());
            first = false;
            continue;
        }
        auto borrowed = BorrowedKeycode::parse(line);
        if (!borrowed)
            return std::nullopt;
        contents.borrowed.push_back(std::move(*borrowed));
    }
    if (first || contents.display.empty())
        return std::nullopt;
    return contents;
}

bool KeymapJournalFile::sameDisplay(std::string_view a, std::string_view b) {
    return server(a) == server(b);
}

std::optional<pid_t> KeymapJournalFile::ownerOf(const std::filesystem::path& file) {
    const std::string name = file.filename().string();
    if (!name.starts_with(prefix) || !(name.ends_with(suffix) || name.ends_with(temporarySuffix)))
        return std::nullopt;
    const char* begin = name.data() + prefix.size();
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(begin, name.data() + name.size(), pid);
    if (error != std::errc() || end == begin || *end != '-' || pid <= 0)
        return std::nullopt;
    return pid;
}

bool KeymapJournalFile::processRunning(pid_t pid) {
    return ::kill(pid, 0) == 0 || errno != ESRCH;
}

std::vector<KeymapJournalFile::Leftover>
KeymapJournalFile::leftovers(const std::filesystem::path& folder, std::string_view display,
                             const std::function<bool(pid_t)>& isRunning) {
    std::vector<Leftover> found;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::filesystem::path& path = entry.path();
        const auto owner = ownerOf(path);
        if (!owner || !entry.is_regular_file(error) || isRunning(*owner))
            continue;
        if (path.filename().string().ends_with(temporarySuffix)) {
            ::unlink(path.c_str()); // a write its process did not finish
            continue;
        }
        // O_NONBLOCK and fstat: a named pipe swapped in after the check above must not hold
        // the start up.
        const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue; // perhaps later; a file that cannot be opened tells nothing
        struct stat info {};
        if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
            ::close(fd);
            continue;
        }
        std::string text;
        char chunk[4096];
        ssize_t got = 0;
        while ((got = ::read(fd, chunk, sizeof chunk)) > 0 && text.size() < (1 << 20))
            text.append(chunk, static_cast<std::size_t>(got));
        ::close(fd);
        std::optional<Contents> contents = parse(text);
        if (contents && !sameDisplay(contents->display, display))
            continue;
        found.push_back({path, std::move(contents)});
    }
    return found;
}

} // namespace keyferry::x11
