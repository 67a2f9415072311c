#include "platform/wayland/portal/EiSender.h"

#include <cerrno>
#include <cstring>
#include <libei.h>
#include <poll.h>
#include <string_view>
#include <sys/mman.h>
#include <unistd.h>

namespace keyferry::wayland {

namespace {

// How long the server may take to confirm an event: far longer than it ever should.
constexpr auto eventTimeout = std::chrono::seconds(2);

// The keymap the server sends, read through the memory it shares; the text may end in a NUL.
std::optional<XkbLayout> readKeymap(ei_device* device) {
    ei_keymap* keymap = ei_device_keyboard_get_keymap(device);
    if (!keymap || ei_keymap_get_type(keymap) != EI_KEYMAP_TYPE_XKB)
        return std::nullopt;
    const std::size_t size = ei_keymap_get_size(keymap);
    void* mapped = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, ei_keymap_get_fd(keymap), 0);
    if (mapped == MAP_FAILED)
        return std::nullopt;
    std::string_view text(static_cast<const char*>(mapped), size);
    if (const auto end = text.find('\0'); end != std::string_view::npos)
        text = text.substr(0, end);
    auto layout = XkbLayout::fromText(text);
    ::munmap(mapped, size);
    if (!layout)
        return std::nullopt;
    return std::move(*layout);
}

} // namespace

void EiSender::Free::operator()(ei* context) const {
    ei_unref(context);
}

void EiSender::Free::operator()(ei_device* device) const {
    ei_device_unref(device);
}

EiSender::EiSender() = default;

Expected<std::unique_ptr<EiSender>> EiSender::connect(int fd, std::chrono::milliseconds timeout) {
    std::unique_ptr<EiSender> sender(new EiSender());
    sender->context_.reset(ei_new_sender(nullptr));
    if (!sender->context_) {
        ::close(fd);
        return Unexpected{std::string("libei could not make a context")};
    }
    ei_configure_name(sender->context_.get(), "Keyferry");
    if (const int result = ei_setup_backend_fd(sender->context_.get(), fd); result < 0)
        return Unexpected{std::string("libei could not use the desktop's connection: ") +
                          std::strerror(-result)};
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    EiSender& self = *sender;
    // Devices come and resume in any order; the keyboard is what Keyferry waits for, and a
    // pointer the server offers along with it comes in the same burst.
    if (!self.waitFor(deadline, [&] { return self.keyboard_ && self.keyboardResumed_; })) {
        if (self.disconnected_)
            return Unexpected{std::string("the desktop ended the libei connection")};
        return Unexpected{std::string(self.keyboard_ ? "the desktop did not let Keyferry use its "
                                                       "keyboard in time"
                                                     : "the desktop offered no keyboard")};
    }
    if (!self.keymap_)
        return Unexpected{std::string("the desktop's keyboard came without an XKB keymap")};
    self.waitFor(
        std::min(deadline, std::chrono::steady_clock::now() + std::chrono::milliseconds(200)),
        [&] { return self.pointer_ && self.pointerResumed_; });
    if (self.pointer_ && !self.pointerResumed_)
        self.pointer_.reset();
    return sender;
}

EiSender::~EiSender() {
    releaseAll();
    if (keyboard_)
        ei_device_stop_emulating(keyboard_.get());
    if (pointer_ && pointer_ != keyboard_)
        ei_device_stop_emulating(pointer_.get());
    keyboard_.reset();
    pointer_.reset();
}

bool EiSender::dispatch() {
    ei* context = context_.get();
    ei_dispatch(context);
    while (ei_event* event = ei_get_event(context)) {
        switch (ei_event_get_type(event)) {
        case EI_EVENT_DISCONNECT:
            disconnected_ = true;
            keyboardResumed_ = pointerResumed_ = false;
            break;
        case EI_EVENT_SEAT_ADDED:
            ei_seat_bind_capabilities(ei_event_get_seat(event), EI_DEVICE_CAP_KEYBOARD,
                                      EI_DEVICE_CAP_POINTER_ABSOLUTE, EI_DEVICE_CAP_BUTTON,
                                      nullptr);
            break;
        case EI_EVENT_DEVICE_ADDED:
            deviceAdded(ei_event_get_device(event));
            break;
        case EI_EVENT_DEVICE_REMOVED:
            deviceGone(ei_event_get_device(event));
            break;
        case EI_EVENT_DEVICE_RESUMED: {
            ei_device* device = ei_event_get_device(event);
            if (device == keyboard_.get() || device == pointer_.get())
                ei_device_start_emulating(device, ++sequence_);
            keyboardResumed_ = keyboardResumed_ || device == keyboard_.get();
            pointerResumed_ = pointerResumed_ || device == pointer_.get();
            break;
        }
        case EI_EVENT_DEVICE_PAUSED: {
            ei_device* device = ei_event_get_device(event);
            keyboardResumed_ = keyboardResumed_ && device != keyboard_.get();
            pointerResumed_ = pointerResumed_ && device != pointer_.get();
            break;
        }
        case EI_EVENT_PONG:
            ++pongs_;
            break;
        default:
            break;
        }
        ei_event_unref(event);
    }
    return !disconnected_;
}

void EiSender::deviceAdded(ei_device* device) {
    if (!keyboard_ && ei_device_has_capability(device, EI_DEVICE_CAP_KEYBOARD)) {
        keyboard_.reset(ei_device_ref(device));
        keymap_ = readKeymap(device);
    }
    if (!pointer_ && ei_device_has_capability(device, EI_DEVICE_CAP_POINTER_ABSOLUTE) &&
        ei_device_has_capability(device, EI_DEVICE_CAP_BUTTON))
        pointer_.reset(ei_device_ref(device));
}

void EiSender::deviceGone(ei_device* device) {
    // What was held on it is gone with it.
    if (device == keyboard_.get()) {
        keyboard_.reset();
        keyboardResumed_ = false;
        heldKeys_.clear();
    }
    if (device == pointer_.get()) {
        pointer_.reset();
        pointerResumed_ = false;
        heldButtons_.clear();
    }
}

bool EiSender::waitFor(std::chrono::steady_clock::time_point deadline,
                       const std::function<bool()>& done) {
    while (true) {
        if (!dispatch())
            return done();
        if (done())
            return true;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd watched{ei_get_fd(context_.get()), POLLIN, 0};
        if (::poll(&watched, 1, static_cast<int>(left.count()) + 1) < 0 && errno != EINTR)
            return false;
    }
}

EiSender::Problem EiSender::send(ei_device* device) {
    ei* context = context_.get();
    ei_device_frame(device, ei_now(context));
    // The server handles a client's requests in order: its answer to the ping says the event
    // before it has been taken.
    struct ei_ping* ping = ei_new_ping(context); // the function ei_ping hides the type
    if (!ping)
        return "libei could not ask the desktop for an answer";
    const std::uint64_t before = pongs_;
    ei_ping(ping);
    const bool answered =
        waitFor(std::chrono::steady_clock::now() + eventTimeout, [&] { return pongs_ > before; });
    ei_ping_unref(ping);
    if (disconnected_)
        return "the desktop ended the libei connection";
    if (!answered)
        return "the desktop did not take the event within 2 s";
    return std::nullopt;
}

EiSender::Problem EiSender::key(Keycode keycode, bool down) {
    dispatch(); // a pause or disconnection that came meanwhile
    if (!keyboard_ || !keyboardResumed_)
        return "the desktop does not (or no longer) let Keyferry use its keyboard";
    if (keycode < 8)
        return "no such key";
    ei_device_keyboard_key(keyboard_.get(), keycode - 8, down); // libei counts evdev codes
    if (auto problem = send(keyboard_.get()))
        return problem;
    if (down)
        heldKeys_.insert(keycode);
    else if (const auto held = heldKeys_.find(keycode); held != heldKeys_.end())
        heldKeys_.erase(held);
    return std::nullopt;
}

EiSender::Problem EiSender::button(Point position, std::uint32_t button, bool down) {
    dispatch();
    if (!pointer_ || !pointerResumed_)
        return "the desktop does not (or no longer) let Keyferry use its pointer";
    if (ei_device_get_region(pointer_.get(), 0) &&
        !ei_device_get_region_at(pointer_.get(), position.x, position.y))
        return "the position is outside the screens the desktop lets Keyferry point at";
    if (lastPosition_ != position) {
        ei_device_pointer_motion_absolute(pointer_.get(), position.x, position.y);
        if (auto problem = send(pointer_.get()))
            return problem;
        lastPosition_ = position;
    }
    ei_device_button_button(pointer_.get(), button, down);
    if (auto problem = send(pointer_.get()))
        return problem;
    if (down)
        heldButtons_.insert(button);
    else if (const auto held = heldButtons_.find(button); held != heldButtons_.end())
        heldButtons_.erase(held);
    return std::nullopt;
}

bool EiSender::releaseAll() {
    bool released = true;
    while (!heldKeys_.empty()) {
        const Keycode keycode = *heldKeys_.begin();
        if (key(keycode, false)) {
            released = false;
            heldKeys_.erase(heldKeys_.begin()); // the connection is gone: nothing is held
        }
    }
    while (!heldButtons_.empty()) {
        const std::uint32_t held = *heldButtons_.begin();
        if (!lastPosition_ || button(*lastPosition_, held, false)) {
            released = false;
            heldButtons_.erase(heldButtons_.begin());
        }
    }
    return released;
}

} // namespace keyferry::wayland
