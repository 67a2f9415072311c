#pragma once

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace keyferry::testing {

/// Makes every write into a folder fail until unblock() or the end of its scope.
class FolderBlocker {
public:
    enum class Way {
        /// The folder becomes read-only (0500). This does not stop a process that may write
        /// anywhere (root), which the caller learns from blocks().
        readOnly,
        /// The folder is moved aside and a plain file takes its name; stops root too.
        replacedByFile,
    };

    FolderBlocker(std::filesystem::path folder, Way way) : folder_(std::move(folder)), way_(way) {
        if (way_ == Way::readOnly) {
            std::filesystem::permissions(folder_, std::filesystem::perms::owner_read |
                                                      std::filesystem::perms::owner_exec);
        } else {
            std::filesystem::rename(folder_, aside());
            std::ofstream(folder_) << "a file where the folder was";
        }
    }
    /// readOnly where it stops this process, else replacedByFile.
    static Way strongestWay(const std::filesystem::path& folder) {
        FolderBlocker probe(folder, Way::readOnly);
        return probe.blocks() ? Way::readOnly : Way::replacedByFile;
    }
    FolderBlocker(const FolderBlocker&) = delete;
    FolderBlocker& operator=(const FolderBlocker&) = delete;
    ~FolderBlocker() { unblock(); }

    /// Whether creating a file in the folder fails now.
    bool blocks() const {
        const std::filesystem::path probe = folder_ / ".write-probe";
        const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0)
            return true;
        ::close(fd);
        ::unlink(probe.c_str());
        return false;
    }
    /// The system's words for the failure a write meets.
    std::string reason() const { return std::strerror(way_ == Way::readOnly ? EACCES : ENOTDIR); }

    void unblock() {
        if (unblocked_)
            return;
        unblocked_ = true;
        if (way_ == Way::readOnly) {
            std::filesystem::permissions(folder_, std::filesystem::perms::owner_all);
        } else {
            std::filesystem::remove(folder_);
            std::filesystem::rename(aside(), folder_);
        }
    }

private:
    std::filesystem::path aside() const { return folder_.string() + ".blocked"; }

    std::filesystem::path folder_;
    Way way_;
    bool unblocked_ = false;
};

} // namespace keyferry::testing
