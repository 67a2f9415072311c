#include "model/FileIO.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace keyferry {

namespace {

std::string describe(const std::string& what, const std::filesystem::path& path, int error) {
    return what + " " + path.string() + ": " + std::strerror(error);
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// "a named pipe (FIFO)": what a file that is not a regular one is, for messages.
std::string fileTypeName(mode_t mode) {
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISFIFO(mode))
        return "a named pipe (FIFO)";
    if (S_ISCHR(mode))
        return "a character device";
    if (S_ISBLK(mode))
        return "a block device";
    if (S_ISSOCK(mode))
        return "a socket";
    return "not a regular file";
}

} // namespace

Expected<std::string, ReadFailure> readRegularFile(const std::filesystem::path& path,
                                                   std::uint64_t maxBytes) {
    using Kind = ReadFailure::Kind;
    const auto failure = [&](Kind kind, const std::string& what, int error) {
        return Unexpected{ReadFailure{kind, describe(what, path, error)}};
    };
    // O_NONBLOCK: opening a named pipe would otherwise wait for a writer, for ever.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (fd.get() < 0) {
        const int error = errno;
        // A socket cannot be opened at all (ENXIO): say what it is rather than why.
        if (::stat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode))
            return failure(Kind::cannotOpen, "Cannot open", error);
    } else if (::fstat(fd.get(), &info) != 0) {
        return failure(Kind::cannotRead, "Cannot read", errno);
    }
    if (!S_ISREG(info.st_mode)) {
        return Unexpected{ReadFailure{
            Kind::notAFile, path.string() + " is " + fileTypeName(info.st_mode) + ", not a file"}};
    }
    const auto tooLarge = [&](std::uint64_t size) {
        return Unexpected{
            ReadFailure{Kind::tooLarge, path.string() + " holds " + std::to_string(size) +
                                            " bytes, more than the " + std::to_string(maxBytes) +
                                            " bytes that can be read"}};
    };
    const auto size = static_cast<std::uint64_t>(info.st_size > 0 ? info.st_size : 0);
    if (size > maxBytes)
        return tooLarge(size);
    // Read straight into the result: large CSV files are held once, not twice.
    std::string content(static_cast<std::size_t>(size), '\0');
    std::size_t filled = 0;
    for (;;) {
        ssize_t got = 0;
        if (filled < content.size()) {
            got = ::read(fd.get(), content.data() + filled, content.size() - filled);
        } else {
            // The expected size is reached: look for more (a growing file, /proc) without
            // growing the buffer when there is none, and never beyond the limit.
            char more[1 << 16];
            got = ::read(fd.get(), more, sizeof more);
            if (got > 0 && filled + static_cast<std::uint64_t>(got) > maxBytes)
                return tooLarge(filled + static_cast<std::uint64_t>(got));
            if (got > 0)
                content.append(more, static_cast<std::size_t>(got));
        }
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return failure(Kind::cannotRead, "Cannot read", errno);
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    content.resize(filled);
    return content;
}

std::optional<std::string> writeFileAtomically(const std::filesystem::path& path,
                                               std::string_view bytes, mode_t mode) {
    const std::filesystem::path folder = path.parent_path().empty() ? "." : path.parent_path();
    std::string temporaryName = (folder / (path.filename().string() + ".tmp-XXXXXX")).string();
    FileDescriptor fd(::mkstemp(temporaryName.data()));
    if (fd.get() < 0)
        return describe("Cannot create a temporary file in", folder, errno);
    const std::filesystem::path temporary = temporaryName;

    const auto abandon = [&](const std::string& what) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return describe(what, path, error);
    };
    if (::fchmod(fd.get(), mode) != 0)
        return abandon("Cannot set the permissions of");
    if (!writeAll(fd.get(), bytes))
        return abandon("Cannot write");
    if (::fsync(fd.get()) != 0)
        return abandon("Cannot flush");
    if (fd.close() != 0)
        return abandon("Cannot write");
    if (::rename(temporary.c_str(), path.c_str()) != 0)
        return abandon("Cannot replace");

    // The rename itself lasts only once the folder's entry is on disk.
    FileDescriptor folderFd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folderFd.get() >= 0)
        ::fsync(folderFd.get());
    return std::nullopt;
}

bool isAtomicWriteTemporary(std::string_view name, std::string_view fileName) {
    // mkstemp replaces "XXXXXX" with letters and digits only.
    constexpr std::string_view marker = ".tmp-";
    constexpr std::size_t randomLength = 6;
    if (name.size() != fileName.size() + marker.size() + randomLength ||
        !name.starts_with(fileName) || name.substr(fileName.size(), marker.size()) != marker)
        return false;
    return std::ranges::all_of(name.substr(fileName.size() + marker.size()), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
}

std::vector<std::filesystem::path> atomicWriteTemporaries(const std::filesystem::path& path) {
    const std::filesystem::path folder = path.parent_path().empty() ? "." : path.parent_path();
    const std::string fileName = path.filename().string();
    std::vector<std::filesystem::path> found;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        // Only regular files: a link or folder of that name is not a write of ours.
        if (isAtomicWriteTemporary(entry.path().filename().string(), fileName) &&
            entry.is_regular_file(error) && !entry.is_symlink(error))
            found.push_back(entry.path());
    }
    return found;
}

std::filesystem::path homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return std::filesystem::temp_directory_path();
}

std::filesystem::path stateFolder() {
    const char* stateHome = std::getenv("XDG_STATE_HOME");
    if (stateHome && *stateHome == '/')
        return std::filesystem::path(stateHome) / "Keyferry";
    return homeFolder() / ".local" / "state" / "Keyferry";
}

std::optional<std::string> ensureOwnerOnlyFolder(const std::filesystem::path& folder) {
    std::filesystem::path partial;
    for (const auto& part : folder) {
        partial /= part;
        if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST)
            return describe("Cannot create", partial, errno);
    }
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0)
        return describe("Cannot open", folder, errno);
    if (!S_ISDIR(info.st_mode))
        return describe("Cannot use", folder, ENOTDIR);
    if ((info.st_mode & 0777) != 0700 && ::chmod(folder.c_str(), 0700) != 0)
        return describe("Cannot make owner-only", folder, errno);
    return std::nullopt;
}

} // namespace keyferry
