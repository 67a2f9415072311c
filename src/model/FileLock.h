#pragma once

#include "model/Expected.h"

#include <filesystem>
#include <string>
#include <utility>

namespace keyferry {

/// An advisory lock (flock) on a lock file, held while the object lives. Processes that take
/// it around the same work never do that work at the same time; the lock goes with the
/// process, so a killed holder never leaves it held.
class FileLock {
public:
    enum class Wait { untilFree, no };

    /// Takes the exclusive lock on `lockFile`, creating the file (owner-only) if missing.
    /// With Wait::no, a lock held by another process is a failure saying so. The failure
    /// names the file.
    static Expected<FileLock> acquire(const std::filesystem::path& lockFile, Wait wait);

    FileLock(FileLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileLock& operator=(FileLock&&) = delete;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

private:
    explicit FileLock(int fd) : fd_(fd) {}
    int fd_;
};

} // namespace keyferry
