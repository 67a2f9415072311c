#include "platform/wayland/WaylandConnection.h"

#include "platform/wayland/XkbLayout.h"
#include "virtual-keyboard-unstable-v1-client-protocol.h"
#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <sys/mman.h>
#include <wayland-client.h>

namespace keyferry::wayland {

void WaylandConnection::disconnect(wl_display* display) {
    wl_display_disconnect(display);
}
void WaylandConnection::destroyRegistry(wl_registry* registry) {
    wl_registry_destroy(registry);
}
void WaylandConnection::releaseSeat(wl_seat* seat) {
    if (wl_seat_get_version(seat) >= WL_SEAT_RELEASE_SINCE_VERSION)
        wl_seat_release(seat);
    else
        wl_seat_destroy(seat);
}
void WaylandConnection::releaseKeyboard(wl_keyboard* keyboard) {
    if (wl_keyboard_get_version(keyboard) >= WL_KEYBOARD_RELEASE_SINCE_VERSION)
        wl_keyboard_release(keyboard);
    else
        wl_keyboard_destroy(keyboard);
}
void WaylandConnection::destroyKeyboardManager(zwp_virtual_keyboard_manager_v1* manager) {
    zwp_virtual_keyboard_manager_v1_destroy(manager);
}
void WaylandConnection::destroyPointerManager(zwlr_virtual_pointer_manager_v1* manager) {
    zwlr_virtual_pointer_manager_v1_destroy(manager);
}

Expected<std::unique_ptr<WaylandConnection>> WaylandConnection::connect() {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    std::unique_ptr<WaylandConnection> connection(new WaylandConnection);
    connection->display_.reset(wl_display_connect(nullptr));
    if (!connection->display_)
        return Unexpected{"Cannot connect to the Wayland compositor" +
                          (name ? " at " + std::string(name) : std::string()) + " (" +
                          std::strerror(errno) + ")."};
    static const wl_registry_listener listener = {.global = &WaylandConnection::onGlobal,
                                                  .global_remove =
                                                      &WaylandConnection::onGlobalRemove};
    connection->registry_.reset(wl_display_get_registry(connection->display()));
    wl_registry_add_listener(connection->registry_.get(), &listener, connection.get());
    // Globals, then the seat's capabilities, then the keyboard's keymap.
    for (int round = 0; round < 3; ++round)
        if (!connection->roundtrip())
            return Unexpected{"The Wayland compositor closed the connection: " +
                              connection->error()};
    if (!connection->seat_)
        return Unexpected{std::string("The Wayland compositor offers no seat.")};
    return connection;
}

WaylandConnection::~WaylandConnection() {
    keyboard_.reset();
    pointerManager_.reset();
    keyboardManager_.reset();
    seat_.reset();
    registry_.reset();
    if (display_)
        wl_display_flush(display_.get());
}

void WaylandConnection::onGlobal(void* data, wl_registry* registry, std::uint32_t name,
                                 const char* interface, std::uint32_t version) {
    auto* self = static_cast<WaylandConnection*>(data);
    const std::string_view which = interface;
    if (which == wl_seat_interface.name && !self->seat_) {
        // Version 5 has everything used here (release, repeat information).
        self->seatVersion_ = std::min<std::uint32_t>(version, 5);
        self->seat_.reset(static_cast<wl_seat*>(
            wl_registry_bind(registry, name, &wl_seat_interface, self->seatVersion_)));
        static const wl_seat_listener seatListener = {.capabilities =
                                                          &WaylandConnection::onCapabilities,
                                                      .name = &WaylandConnection::onSeatName};
        wl_seat_add_listener(self->seat_.get(), &seatListener, self);
    } else if (which == zwp_virtual_keyboard_manager_v1_interface.name) {
        self->keyboardManager_.reset(static_cast<zwp_virtual_keyboard_manager_v1*>(
            wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1)));
    } else if (which == zwlr_virtual_pointer_manager_v1_interface.name) {
        self->pointerManager_.reset(static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface,
                             std::min<std::uint32_t>(version, 2))));
    } else if (which == zwlr_foreign_toplevel_manager_v1_interface.name) {
        // Bound only without a better source of windows: it reports every window's changes.
        self->foreignToplevel_ = Global{name, version};
    }
}

void WaylandConnection::onGlobalRemove(void*, wl_registry*, std::uint32_t) {}

void WaylandConnection::onSeatName(void*, wl_seat*, const char*) {}

void WaylandConnection::onCapabilities(void* data, wl_seat* seat, std::uint32_t capabilities) {
    auto* self = static_cast<WaylandConnection*>(data);
    if (!(capabilities & WL_SEAT_CAPABILITY_KEYBOARD) || self->keyboard_)
        return;
    // Only for the keymap and layout group: this client has no surface to get keys.
    static const wl_keyboard_listener keyboardListener = {
        .keymap = &WaylandConnection::onKeymap,
        .enter = [](void*, wl_keyboard*, std::uint32_t, wl_surface*, wl_array*) {},
        .leave = [](void*, wl_keyboard*, std::uint32_t, wl_surface*) {},
        .key = [](void*, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t,
                  std::uint32_t) {},
        .modifiers = &WaylandConnection::onModifiers,
        .repeat_info = [](void*, wl_keyboard*, std::int32_t, std::int32_t) {},
    };
    self->keyboard_.reset(wl_seat_get_keyboard(seat));
    wl_keyboard_add_listener(self->keyboard_.get(), &keyboardListener, self);
}

void WaylandConnection::onKeymap(void* data, wl_keyboard*, std::uint32_t format, int fd,
                                 std::uint32_t size) {
    auto* self = static_cast<WaylandConnection*>(data);
    const FileDescriptor owned(fd);
    if (format != WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 || size == 0)
        return;
    void* mapped = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, owned.get(), 0);
    if (mapped == MAP_FAILED)
        return;
    std::string text(static_cast<const char*>(mapped), size);
    ::munmap(mapped, size);
    text.resize(std::strlen(text.c_str()));
    // While Keyferry's own keyboard is the seat's active one, the seat announces its keymap.
    if (XkbLayout::isOwnKeymap(text) || text == self->userKeymap_)
        return;
    self->userKeymap_ = std::move(text);
    ++self->userKeymapChanges_;
}

void WaylandConnection::onModifiers(void* data, wl_keyboard*, std::uint32_t, std::uint32_t,
                                    std::uint32_t, std::uint32_t, std::uint32_t group) {
    static_cast<WaylandConnection*>(data)->userGroup_ = group;
}

bool WaylandConnection::flush() {
    if (broken_)
        return false;
    while (wl_display_flush(display()) < 0) {
        if (errno != EAGAIN) {
            broken_ = true;
            return false;
        }
        pollfd writable{wl_display_get_fd(display()), POLLOUT, 0};
        ::poll(&writable, 1, 1000);
    }
    return true;
}

bool WaylandConnection::dispatch() {
    if (!flush())
        return false;
    wl_display* display = this->display();
    while (wl_display_prepare_read(display) != 0)
        if (wl_display_dispatch_pending(display) < 0)
            return !(broken_ = true);
    pollfd readable{wl_display_get_fd(display), POLLIN, 0};
    if (::poll(&readable, 1, 0) > 0) {
        if (wl_display_read_events(display) < 0)
            return !(broken_ = true);
    } else {
        wl_display_cancel_read(display);
    }
    if (wl_display_dispatch_pending(display) < 0)
        broken_ = true;
    return !broken_;
}

bool WaylandConnection::roundtrip() {
    if (broken_ || wl_display_roundtrip(display()) < 0)
        broken_ = true;
    return !broken_;
}

std::string WaylandConnection::error() const {
    const int code = wl_display_get_error(display());
    if (code == 0)
        return broken_ ? "the connection broke" : "";
    std::uint32_t protocolCode = 0;
    const wl_interface* interface = nullptr;
    if (code == EPROTO) {
        wl_display_get_protocol_error(display(), &interface, nullptr);
        protocolCode = wl_display_get_protocol_error(display(), nullptr, nullptr);
        return "protocol error " + std::to_string(protocolCode) + " on " +
               (interface ? interface->name : "an object");
    }
    return std::strerror(code);
}

} // namespace keyferry::wayland
