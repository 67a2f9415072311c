#pragma once

#include <cstddef>
#include <cstdint>
#include <wayland-util.h>

namespace keyferry::wayland {

/// Whether a foreign toplevel `state` event's array holds `state`.
inline bool hasToplevelState(const wl_array* states, std::uint32_t state) {
    const auto* values = static_cast<const std::uint32_t*>(states->data);
    for (std::size_t i = 0; i < states->size / sizeof(std::uint32_t); ++i)
        if (values[i] == state)
            return true;
    return false;
}

} // namespace keyferry::wayland
