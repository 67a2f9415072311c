#pragma once

#include "model/Expected.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <unistd.h>
#include <utility>
#include <vector>

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

/// Keyferry's state: `$XDG_STATE_HOME/Keyferry`, by default `~/.local/state/Keyferry` (a
/// relative XDG value is invalid and ignored).
std::filesystem::path stateFolder();

/// Makes `folder` and any missing parents owner-only (0700), and narrows the folder itself to
/// the owner should it exist with wider permissions: what Keyferry keeps there names or holds
/// the user's data. Returns the system's description of a failure, or nothing.
[[nodiscard]] std::optional<std::string> ensureOwnerOnlyFolder(const std::filesystem::path& folder);

/// Why a file could not be read; `message` names the path and the problem.
struct ReadFailure {
    enum class Kind {
        cannotOpen, ///< missing, no permission, ...
        notAFile,   ///< a folder, device, named pipe or socket
        tooLarge,   ///< larger than the reader allows
        cannotRead, ///< the system failed while reading
    };
    Kind kind;
    std::string message;
};

/// The whole content of the regular file at `path` (symbolic links followed) if it holds at
/// most `maxBytes`. The file is opened without blocking, so a named pipe without a writer
/// fails at once like any other file that is not a regular file, and the size is checked
/// before anything is read: nothing larger than `maxBytes` is ever held in memory.
Expected<std::string, ReadFailure> readRegularFile(const std::filesystem::path& path,
                                                   std::uint64_t maxBytes);

/// Replaces `path` with `bytes` so that a crash at any moment leaves either the old or the
/// new content: a temporary file in the same folder, flushed to disk, renamed over the old
/// one, then the folder flushed. The file gets `mode` (owner-only by default). Returns the
/// error's description, or nothing on success.
[[nodiscard]] std::optional<std::string>
writeFileAtomically(const std::filesystem::path& path, std::string_view bytes, mode_t mode = 0600);

/// True when `name` is that of a temporary file writeFileAtomically creates for a file named
/// `fileName`: the name, ".tmp-", then six letters or digits.
bool isAtomicWriteTemporary(std::string_view name, std::string_view fileName);

/// The temporary files in the folder of `path` that writes of `path` created and did not
/// finish, or that are still under way: regular files whose names isAtomicWriteTemporary.
std::vector<std::filesystem::path> atomicWriteTemporaries(const std::filesystem::path& path);

} // namespace keyferry
