#pragma once

#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

namespace keyferry {

/// Change notification for observable core objects; views connect and redraw.
/// Single-threaded by design: everything that emits lives on the main thread.
template <class... Args>
class Signal {
public:
    using Slot = std::function<void(Args...)>;
    using ConnectionId = std::size_t;

    ConnectionId connect(Slot slot) {
        slots_.push_back({nextId_, std::move(slot)});
        return nextId_++;
    }

    void disconnect(ConnectionId id) {
        std::erase_if(slots_, [id](const Entry& entry) { return entry.id == id; });
    }

    /// Calls every slot; a slot may connect or disconnect others while this runs.
    void emit(Args... args) const {
        const auto snapshot = slots_;
        for (const Entry& entry : snapshot)
            entry.slot(args...);
    }

private:
    struct Entry {
        ConnectionId id;
        Slot slot;
    };
    std::vector<Entry> slots_;
    ConnectionId nextId_ = 1;
};

} // namespace keyferry
