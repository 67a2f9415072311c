#include "platform/wayland/SwayIpc.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>

namespace keyferry::wayland {

namespace {

constexpr std::string_view magic = "i3-ipc";
constexpr int replyTimeoutMs = 5000;
constexpr std::size_t largestPayload = 64u << 20;

} // namespace

std::optional<std::string> SwayIpc::socketPath() {
    for (const char* variable : {"SWAYSOCK", "I3SOCK"})
        if (const char* path = std::getenv(variable); path && *path)
            return std::string(path);
    return std::nullopt;
}

Expected<std::unique_ptr<SwayIpc>> SwayIpc::connect(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return Unexpected{"the sway socket path is too long: " + path};
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    FileDescriptor socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!socket ||
        ::connect(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        return Unexpected{"cannot connect to sway at " + path + " (" + std::strerror(errno) + ")"};
    return std::unique_ptr<SwayIpc>(new SwayIpc(std::move(socket)));
}

bool SwayIpc::send(Message type, std::string_view payload) {
    std::string message(magic);
    const auto length = static_cast<std::uint32_t>(payload.size());
    const auto code = static_cast<std::uint32_t>(type);
    message.append(reinterpret_cast<const char*>(&length), sizeof length);
    message.append(reinterpret_cast<const char*>(&code), sizeof code);
    message.append(payload);
    std::string_view left = message;
    while (!left.empty()) {
        const ssize_t sent = ::send(socket_.get(), left.data(), left.size(), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return false;
        left.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

bool SwayIpc::receive(void* data, std::size_t size) {
    auto* at = static_cast<char*>(data);
    while (size > 0) {
        pollfd readable{socket_.get(), POLLIN, 0};
        if (::poll(&readable, 1, replyTimeoutMs) <= 0)
            return false;
        const ssize_t got = ::recv(socket_.get(), at, size, 0);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        at += got;
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

Expected<std::optional<SwayIpc::Reply>> SwayIpc::next(std::chrono::milliseconds timeout) {
    pollfd readable{socket_.get(), POLLIN, 0};
    const int ready = ::poll(&readable, 1, static_cast<int>(timeout.count()));
    if (ready == 0)
        return std::optional<Reply>();
    char header[14];
    if (ready < 0 || !receive(header, sizeof header) ||
        std::string_view(header, magic.size()) != magic)
        return Unexpected{std::string("the connection to sway broke")};
    std::uint32_t length = 0;
    Reply reply;
    std::memcpy(&length, header + 6, sizeof length);
    std::memcpy(&reply.type, header + 10, sizeof reply.type);
    if (length > largestPayload)
        return Unexpected{std::string("sway sent a message too large to be real")};
    reply.payload.resize(length);
    if (!receive(reply.payload.data(), length))
        return Unexpected{std::string("the connection to sway broke")};
    return std::optional<Reply>(std::move(reply));
}

Expected<std::string> SwayIpc::request(Message type, std::string_view payload) {
    if (!send(type, payload))
        return Unexpected{std::string("the connection to sway broke")};
    // Events of a subscription on this socket may come first.
    for (;;) {
        auto message = next(std::chrono::milliseconds(replyTimeoutMs));
        if (!message)
            return Unexpected{message.error()};
        if (!*message)
            return Unexpected{std::string("sway did not answer")};
        if ((*message)->type == static_cast<std::uint32_t>(type))
            return std::move((*message)->payload);
    }
}

} // namespace keyferry::wayland
