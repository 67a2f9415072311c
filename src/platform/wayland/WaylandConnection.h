#pragma once

#include "model/Expected.h"
#include "platform/wayland/WaylandHandles.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

struct wl_display;
struct wl_registry;
struct wl_seat;
struct wl_keyboard;
struct zwp_virtual_keyboard_manager_v1;
struct zwlr_virtual_pointer_manager_v1;

namespace keyferry::wayland {

/// Keyferry's own connection to the compositor: the seat, the managers of virtual input
/// devices when the compositor offers them, and the keymap of the seat's keyboard (the
/// user's layout), followed as it changes.
class WaylandConnection {
public:
    /// Connects to $WAYLAND_DISPLAY and learns what the compositor offers.
    static Expected<std::unique_ptr<WaylandConnection>> connect();
    WaylandConnection(const WaylandConnection&) = delete;
    WaylandConnection& operator=(const WaylandConnection&) = delete;
    ~WaylandConnection();

    wl_display* display() const { return display_.get(); }
    wl_registry* registry() const { return registry_.get(); }
    wl_seat* seat() const { return seat_.get(); }
    /// Nothing when the compositor offers no such protocol to clients.
    zwp_virtual_keyboard_manager_v1* keyboardManager() const { return keyboardManager_.get(); }
    zwlr_virtual_pointer_manager_v1* pointerManager() const { return pointerManager_.get(); }

    /// A global the compositor offers, left for whoever needs it to bind.
    struct Global {
        std::uint32_t name = 0;
        std::uint32_t version = 0;
    };
    /// The wlroots foreign toplevel manager; nothing when not offered.
    const std::optional<Global>& foreignToplevelGlobal() const { return foreignToplevel_; }

    /// The keymap of the seat's keyboard as the compositor last announced it, unless it is
    /// one of Keyferry's own; nothing when the seat never had a keyboard.
    const std::optional<std::string>& userKeymap() const { return userKeymap_; }
    /// Counts the changes of userKeymap().
    std::uint64_t userKeymapChanges() const { return userKeymapChanges_; }
    /// The layout group of the seat's keyboard.
    std::uint32_t userGroup() const { return userGroup_; }

    /// Sends what is queued and handles what the compositor has sent; false once the
    /// connection is broken (then error() says why).
    bool dispatch();
    /// Sends what is queued and waits until the compositor has handled it.
    bool roundtrip();
    /// Sends what is queued, waiting while the socket is full.
    bool flush();
    std::string error() const;

private:
    WaylandConnection() = default;
    static void onGlobal(void* data, wl_registry* registry, std::uint32_t name,
                         const char* interface, std::uint32_t version);
    static void onGlobalRemove(void* data, wl_registry* registry, std::uint32_t name);
    static void onCapabilities(void* data, wl_seat* seat, std::uint32_t capabilities);
    static void onSeatName(void* data, wl_seat* seat, const char* name);
    static void onKeymap(void* data, wl_keyboard* keyboard, std::uint32_t format, int fd,
                         std::uint32_t size);
    static void onModifiers(void* data, wl_keyboard* keyboard, std::uint32_t serial,
                            std::uint32_t depressed, std::uint32_t latched, std::uint32_t locked,
                            std::uint32_t group);

    static void disconnect(wl_display* display);
    static void destroyRegistry(wl_registry* registry);
    static void releaseSeat(wl_seat* seat);
    static void releaseKeyboard(wl_keyboard* keyboard);
    static void destroyKeyboardManager(zwp_virtual_keyboard_manager_v1* manager);
    static void destroyPointerManager(zwlr_virtual_pointer_manager_v1* manager);

    // Declared first so that it goes last: every object below lives on it.
    Handle<wl_display, disconnect> display_;
    Handle<wl_registry, destroyRegistry> registry_;
    Handle<wl_seat, releaseSeat> seat_;
    Handle<wl_keyboard, releaseKeyboard> keyboard_;
    Handle<zwp_virtual_keyboard_manager_v1, destroyKeyboardManager> keyboardManager_;
    Handle<zwlr_virtual_pointer_manager_v1, destroyPointerManager> pointerManager_;
    std::uint32_t seatVersion_ = 0;
    std::optional<Global> foreignToplevel_;
    std::optional<std::string> userKeymap_;
    std::uint64_t userKeymapChanges_ = 0;
    std::uint32_t userGroup_ = 0;
    bool broken_ = false;
};

} // namespace keyferry::wayland
