#include "model/FileIO.h"

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

} // namespace

Expected<std::string> readWholeFile(const std::filesystem::path& path) {
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        return Unexpected{describe("Cannot open", path, errno)};
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        return Unexpected{describe("Cannot read", path, errno)};
    if (S_ISDIR(info.st_mode))
        return Unexpected{describe("Cannot read", path, EISDIR)};
    // Read straight into the result: large CSV files are held once, not twice.
    std::string content(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 0), '\0');
    std::size_t filled = 0;
    for (;;) {
        ssize_t got = 0;
        if (filled < content.size()) {
            got = ::read(fd.get(), content.data() + filled, content.size() - filled);
        } else {
            // The expected size is reached: look for more (a growing file, /proc) without
            // growing the buffer when there is none.
            char more[1 << 16];
            got = ::read(fd.get(), more, sizeof more);
            if (got > 0)
                content.append(more, static_cast<std::size_t>(got));
        }
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return Unexpected{describe("Cannot read", path, errno)};
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

std::filesystem::path homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return std::filesystem::temp_directory_path();
}

} // namespace keyferry
