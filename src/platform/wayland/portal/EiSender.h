#pragma once

#include "automation/Geometry.h"
#include "model/Expected.h"
#include "platform/wayland/XkbLayout.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>

struct ei;
struct ei_device;

namespace keyferry::wayland {

/// Emulated input through an EIS server (libei), as the desktop portal hands out from version 2
/// on: keys by their keycode in the keymap the server sends, clicks at absolute positions in
/// the regions the server gives its pointer. Every event is followed by a round trip, so that
/// the server has taken it before the next one is decided on.
class EiSender {
public:
    /// Why an event did not go; nothing when the server took it.
    using Problem = std::optional<std::string>;

    /// Connects over `fd` (owned from here on) and waits up to `timeout` for a keyboard the
    /// server lets Keyferry use.
    static Expected<std::unique_ptr<EiSender>> connect(int fd, std::chrono::milliseconds timeout);
    EiSender(const EiSender&) = delete;
    EiSender& operator=(const EiSender&) = delete;
    /// Releases what is held and disconnects.
    ~EiSender();

    /// The keymap the server's keyboard uses; nothing when it sent none.
    const std::optional<XkbLayout>& keymap() const { return keymap_; }
    /// Presses or releases a key by its XKB keycode.
    Problem key(Keycode keycode, bool down);
    /// Whether clicks can be placed: an absolute pointer with buttons.
    bool canClick() const { return pointer_ != nullptr; }
    /// Moves the pointer to `position` (desktop coordinates) and presses or releases a button
    /// (an evdev code: BTN_LEFT, BTN_RIGHT).
    Problem button(Point position, std::uint32_t button, bool down);
    /// Releases every key and button still held; says whether all went.
    bool releaseAll();

private:
    struct Free {
        void operator()(ei* context) const;
        void operator()(ei_device* device) const;
    };
    using DevicePtr = std::unique_ptr<ei_device, Free>;

    EiSender();
    /// Reads what the server sent and handles it; false once disconnected.
    bool dispatch();
    /// Waits until `done` holds or the deadline passes, dispatching as the server writes.
    bool waitFor(std::chrono::steady_clock::time_point deadline, const std::function<bool()>& done);
    /// Ends the frame and waits until the server has processed it.
    Problem send(ei_device* device);
    void deviceAdded(ei_device* device);
    void deviceGone(ei_device* device);

    std::unique_ptr<ei, Free> context_;
    DevicePtr keyboard_;
    DevicePtr pointer_;
    bool keyboardResumed_ = false;
    bool pointerResumed_ = false;
    bool disconnected_ = false;
    std::uint32_t sequence_ = 0;
    std::uint64_t pongs_ = 0;
    std::optional<XkbLayout> keymap_;
    std::multiset<Keycode> heldKeys_;
    std::multiset<std::uint32_t> heldButtons_;
    std::optional<Point> lastPosition_;
};

} // namespace keyferry::wayland
