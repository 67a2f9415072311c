#pragma once

#include <memory>
#include <unistd.h>

namespace keyferry::wayland {

/// A Wayland object (or any C handle) released by `release` when its owner goes.
template <class T, void (*release)(T*)>
struct HandleRelease {
    void operator()(T* handle) const {
        if (handle)
            release(handle);
    }
};
template <class T, void (*release)(T*)>
using Handle = std::unique_ptr<T, HandleRelease<T, release>>;

/// A file descriptor closed when its owner goes.
class FileDescriptor {
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.release()) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { reset(); }

    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }
    void reset(int fd = -1) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }

private:
    int fd_ = -1;
};

} // namespace keyferry::wayland
