#pragma once

#include "model/Expected.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <unistd.h>
#include <utility>

namespace keyferry {

/// Owns a file descriptor and closes it when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    /// Hands the descriptor over; it is no longer closed here.
    int release() { return std::exchange(fd_, -1); }
    /// Closes now and reports the result, since close can report a failed write.
    int close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

/// $HOME, else the user's home from the password database, else the temporary folder.
std::filesystem::path homeFolder();

/// The whole content of a file, or the system's description of why it cannot be read.
Expected<std::string> readWholeFile(const std::filesystem::path& path);

/// Replaces `path` with `bytes` so that a crash at any moment leaves either the old or the
/// new content: a temporary file in the same folder, flushed to disk, renamed over the old
/// one, then the folder flushed. The file gets `mode` (owner-only by default). Returns the
/// error's description, or nothing on success.
[[nodiscard]] std::optional<std::string>
writeFileAtomically(const std::filesystem::path& path, std::string_view bytes, mode_t mode = 0600);

} // namespace keyferry
