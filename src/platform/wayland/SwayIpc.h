#pragma once

#include "model/Expected.h"
#include "platform/wayland/WaylandHandles.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace keyferry::wayland {

/// A connection to sway's IPC socket: requests with their replies, and the events of a
/// subscription.
class SwayIpc {
public:
    enum class Message : std::uint32_t {
        runCommand = 0,
        getWorkspaces = 1,
        subscribe = 2,
        getOutputs = 3,
        getTree = 4,
        getVersion = 7,
        getInputs = 100,
        getSeats = 101,
    };
    /// A message as it arrives: replies carry the request's type, events have the high bit.
    struct Reply {
        std::uint32_t type = 0;
        std::string payload;
    };

    /// The socket sway names in $SWAYSOCK (or $I3SOCK); nothing when neither is set.
    static std::optional<std::string> socketPath();
    static Expected<std::unique_ptr<SwayIpc>> connect(const std::string& path);

    /// Sends a request and returns the payload of its reply (JSON).
    Expected<std::string> request(Message type, std::string_view payload = {});
    /// The next message on the socket, waiting up to `timeout`; nothing when none came.
    Expected<std::optional<Reply>> next(std::chrono::milliseconds timeout);
    int fd() const { return socket_.get(); }

private:
    explicit SwayIpc(FileDescriptor socket) : socket_(std::move(socket)) {}
    bool send(Message type, std::string_view payload);
    bool receive(void* data, std::size_t size);

    FileDescriptor socket_;
};

} // namespace keyferry::wayland
