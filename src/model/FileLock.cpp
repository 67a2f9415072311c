#include "model/FileLock.h"

#include "model/FileIO.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace keyferry {

Expected<FileLock> FileLock::acquire(const std::filesystem::path& lockFile, Wait wait) {
    FileDescriptor fd(::open(lockFile.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (fd.get() < 0)
        return Unexpected{"Cannot open the lock file " + lockFile.string() + ": " +
                          std::strerror(errno)};
    const int operation = wait == Wait::no ? LOCK_EX | LOCK_NB : LOCK_EX;
    int result = 0;
    while ((result = ::flock(fd.get(), operation)) != 0 && errno == EINTR) {
    }
    if (result != 0 && errno == EWOULDBLOCK)
        return Unexpected{lockFile.string() + " is locked by another process"};
    if (result != 0)
        return Unexpected{"Cannot lock " + lockFile.string() + ": " + std::strerror(errno)};
    return FileLock(fd.release());
}

FileLock::~FileLock() {
    if (fd_ >= 0)
        ::close(fd_); // closing the last descriptor of the open file releases the lock
}

} // namespace keyferry
