#pragma once

#include <cstddef>
#include <functional>
#include <memory>
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
        slots_.push_back(std::make_shared<Entry>(Entry{nextId_, std::move(slot), true}));
        return nextId_++;
    }

    void disconnect(ConnectionId id) {
        std::erase_if(slots_, [id](const std::shared_ptr<Entry>& entry) {
            if (entry->id != id)
                return false;
            entry->connected = false; // an emit under way skips it from now on
            return true;
        });
    }

    /// Calls every slot. A slot may connect or disconnect others while this runs; one
    /// disconnected meanwhile (its owner destroyed, say) is not called.
    void emit(Args... args) const {
        const auto snapshot = slots_;
        for (const auto& entry : snapshot)
            if (entry->connected)
                entry->slot(args...);
    }

private:
    struct Entry {
        ConnectionId id;
        Slot slot;
        bool connected;
    };
    std::vector<std::shared_ptr<Entry>> slots_;
    ConnectionId nextId_ = 1;
};

} // namespace keyferry
