#include "platform/wayland/VirtualInput.h"

#include "platform/wayland/Keysyms.h"
#include "platform/wayland/WaylandConnection.h"
#include "text/Utf8.h"
#include "virtual-keyboard-unstable-v1-client-protocol.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include <algorithm>
#include <cmath>
#include <linux/input-event-codes.h>
#include <sys/mman.h>
#include <unistd.h>
#include <utility>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon-keysyms.h>
#include <xkbcommon/xkbcommon.h>

namespace keyferry::wayland {

namespace {

constexpr Keycode evdevOffset = 8; // XKB keycodes are evdev codes plus 8

// Seen on sway with a GTK entry and no delay asked for: without pacing, a text of a few
// hundred characters made the compositor drop the application ("Lost connection to Wayland
// compositor"). At these figures the same entry took 2000 characters without a loss
// (bench/run_wayland_typing_bench.sh).
constexpr std::size_t keyBurst = 8;
constexpr auto keyGap = std::chrono::microseconds(2000);

// The keymap goes to the compositor as a file it maps.
FileDescriptor keymapFile(const std::string& text) {
    FileDescriptor file(::memfd_create("keyferry-keymap", MFD_CLOEXEC));
    if (!file)
        return {};
    const char* data = text.c_str();
    std::size_t left = text.size() + 1; // the compositor expects the terminating zero
    while (left > 0) {
        const ssize_t written = ::write(file.get(), data, left);
        if (written <= 0)
            return {};
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return file;
}

} // namespace

void VirtualInput::destroyKeyboard(zwp_virtual_keyboard_v1* keyboard) {
    zwp_virtual_keyboard_v1_destroy(keyboard);
}

void VirtualInput::destroyPointer(zwlr_virtual_pointer_v1* pointer) {
    zwlr_virtual_pointer_v1_destroy(pointer);
}

VirtualInput::VirtualInput(WaylandConnection& connection)
    : connection_(connection), pacing_(keyBurst, keyGap) {
    if (!connection_.keyboardManager()) {
        keyboardProblem_ = "the compositor offers no virtual keyboard to applications";
    } else {
        keyboard_.reset(zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(
            connection_.keyboardManager(), connection_.seat()));
        followLayout();
        // Uploaded at once, so that the seat has its keyboard long before the first key: a
        // keyboard new to the seat loses its first key.
        if (layout_ && !upload())
            keyboardProblem_ = "the keymap could not be uploaded";
        if (!connection_.roundtrip())
            keyboardProblem_ =
                "the compositor refused the virtual keyboard (" + connection_.error() + ")";
    }
    if (!connection_.pointerManager()) {
        pointerProblem_ = "the compositor offers no virtual pointer to applications";
    } else {
        pointerDevice_.reset(zwlr_virtual_pointer_manager_v1_create_virtual_pointer(
            connection_.pointerManager(), connection_.seat()));
        connection_.flush();
    }
}

VirtualInput::~VirtualInput() {
    releaseAll();
    pointerDevice_.reset();
    keyboard_.reset();
    connection_.roundtrip();
}

void VirtualInput::followLayout() {
    if (layout_ && connection_.userKeymapChanges() == layoutChanges_)
        return;
    layoutChanges_ = connection_.userKeymapChanges();
    auto layout = connection_.userKeymap() ? XkbLayout::fromText(*connection_.userKeymap())
                                           : XkbLayout::fromDefaultNames();
    if (!layout) {
        if (!layout_)
            keyboardProblem_ = "no keymap: " + layout.error();
        return;
    }
    layout_ = std::move(*layout);
    spares_.emplace(layout_->spareKeycodes());
    uploaded_ = false;
}

bool VirtualInput::upload() {
    auto text = layout_->withBindings(spares_->bindings());
    if (!text)
        return false;
    const FileDescriptor file = keymapFile(*text);
    if (!file)
        return false;
    // The request carries a copy of the descriptor; this one may close afterwards.
    zwp_virtual_keyboard_v1_keymap(keyboard_.get(), WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, file.get(),
                                   static_cast<std::uint32_t>(text->size() + 1));
    spares_->markUploaded();
    uploaded_ = true;
    modifiers_ = 0; // a new keymap starts from no modifiers
    return connection_.flush();
}

std::optional<KeyPlacement> VirtualInput::find(Keysym keysym) const {
    if (!layout_)
        return std::nullopt;
    if (auto placed = layout_->find(keysym, connection_.userGroup()))
        return placed;
    if (const auto keycode = spares_->keycodeOf(keysym))
        return KeyPlacement{*keycode, 0};
    return std::nullopt;
}

bool VirtualInput::isPrepared(std::string_view character) {
    if (!uploaded_)
        return false;
    if (!pacing_.mayPost()) {
        waitingForApplication_ = true; // prepareText then only waits
        return false;
    }
    return std::ranges::all_of(utf8::codePoints(character), [&](char32_t point) {
        return find(keysymForCodePoint(point)).has_value();
    });
}

Expected<VirtualInput::Duration> VirtualInput::bind(const std::vector<Keysym>& wanted) {
    if (keyboardProblem_)
        return Unexpected{*keyboardProblem_};
    const std::size_t covered = spares_->bind(wanted);
    if (covered == 0 && !wanted.empty())
        return Unexpected{std::string("no free keycode")};
    if ((spares_->changed() || !uploaded_) && !upload())
        return Unexpected{std::string("the keymap could not be uploaded")};
    // Applications get the keymap before the keys that follow it, on the same connection:
    // nothing to wait for.
    return Duration{0};
}

Expected<VirtualInput::Duration> VirtualInput::prepareText(std::string_view text) {
    const auto paced = pacing_.nextBurst(std::chrono::steady_clock::now());
    if (std::exchange(waitingForApplication_, false))
        return paced;
    connection_.dispatch(); // a layout switch of the user's arrives as a keymap event
    followLayout();
    if (keyboardProblem_)
        return Unexpected{*keyboardProblem_};
    std::vector<Keysym> wanted;
    for (char32_t point : utf8::codePoints(text)) {
        const Keysym keysym = keysymForCodePoint(point);
        if (keysym == XKB_KEY_NoSymbol)
            return Unexpected{std::string("a character has no key symbol")};
        if (!layout_->find(keysym, connection_.userGroup()) &&
            std::ranges::find(wanted, keysym) == wanted.end())
            wanted.push_back(keysym);
    }
    const auto bound = bind(wanted);
    if (!bound)
        return bound;
    return std::max(*bound, paced);
}

Expected<VirtualInput::Duration> VirtualInput::prepareKey(Key key, Modifiers modifiers) {
    connection_.dispatch();
    followLayout();
    if (keyboardProblem_)
        return Unexpected{*keyboardProblem_};
    const Keysym keysym = keysymFor(key);
    if (keysym == XKB_KEY_NoSymbol)
        return Unexpected{std::string("the key has no symbol")};
    const auto placed = layout_->find(keysym, connection_.userGroup());
    // A shortcut must be the letter itself: Ctrl with Shift held is another shortcut.
    if (placed && (modifiers.empty() || placed->modifiers == 0))
        return bind({});
    return bind({keysym});
}

ModifierMask VirtualInput::maskOf(Modifiers modifiers) const {
    ModifierMask mask = 0;
    if (modifiers.contains(Modifier::control))
        mask |= layout_->controlMask();
    if (modifiers.contains(Modifier::shift))
        mask |= layout_->shiftMask();
    if (modifiers.contains(Modifier::alt))
        mask |= layout_->altMask();
    return mask;
}

std::uint32_t VirtualInput::now() const {
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now() - start_)
                                          .count());
}

void VirtualInput::setModifiers(ModifierMask modifiers) {
    if (modifiers == modifiers_)
        return;
    zwp_virtual_keyboard_v1_modifiers(keyboard_.get(), modifiers, 0, 0, connection_.userGroup());
    modifiers_ = modifiers;
}

void VirtualInput::sendKey(Keycode keycode, bool down) {
    zwp_virtual_keyboard_v1_key(keyboard_.get(), now(), keycode - evdevOffset,
                                down ? WL_KEYBOARD_KEY_STATE_PRESSED
                                     : WL_KEYBOARD_KEY_STATE_RELEASED);
    if (down) {
        held_.insert(keycode);
    } else if (const auto found = held_.find(keycode); found != held_.end()) {
        held_.erase(found);
    }
}

Posted VirtualInput::flushed(Posted::Device device) {
    if (connection_.flush())
        return {};
    return Posted::failure("the connection to the compositor broke", device);
}

Posted VirtualInput::postKey(Key key, Modifiers modifiers, bool down) {
    if (keyboardProblem_)
        return Posted::failure(*keyboardProblem_);
    if (!uploaded_)
        return Posted::failure("the key was not prepared");
    const auto placed = find(keysymFor(key));
    if (!placed)
        return Posted::failure("the key is not on the keyboard");
    if (down) {
        setModifiers(placed->modifiers | maskOf(modifiers));
        sendKey(placed->keycode, true);
    } else {
        sendKey(placed->keycode, false);
        setModifiers(0);
    }
    return flushed(Posted::Device::keyboard);
}

Posted VirtualInput::postCharacter(std::string_view character) {
    if (keyboardProblem_)
        return Posted::failure(*keyboardProblem_);
    for (char32_t point : utf8::codePoints(character)) {
        const auto placed = uploaded_ ? find(keysymForCodePoint(point)) : std::nullopt;
        if (!placed)
            return Posted::failure("the character was not prepared");
        setModifiers(placed->modifiers);
        sendKey(placed->keycode, true);
        sendKey(placed->keycode, false);
        if (spares_->keycodeOf(keysymForCodePoint(point)) == placed->keycode)
            spares_->typed(placed->keycode);
    }
    pacing_.posted(std::chrono::steady_clock::now());
    return flushed(Posted::Device::keyboard);
}

void VirtualInput::endText() {
    if (keyboardProblem_)
        return;
    setModifiers(0);
    connection_.flush();
}

Posted VirtualInput::postMouseButton(MouseButton button, Point position, bool down,
                                     std::optional<Rect> layout) {
    if (pointerProblem_)
        return Posted::failure(*pointerProblem_, Posted::Device::mouse);
    const std::uint32_t code = button == MouseButton::left ? BTN_LEFT : BTN_RIGHT;
    if (down) {
        if (!layout || layout->width <= 0 || layout->height <= 0)
            return Posted::failure("the size of the desktop is unknown", Posted::Device::mouse);
        const auto x = static_cast<std::uint32_t>(
            std::clamp(std::lround(position.x - layout->x), 0L, std::lround(layout->width) - 1));
        const auto y = static_cast<std::uint32_t>(
            std::clamp(std::lround(position.y - layout->y), 0L, std::lround(layout->height) - 1));
        zwlr_virtual_pointer_v1_motion_absolute(pointerDevice_.get(), now(), x, y,
                                                static_cast<std::uint32_t>(layout->width),
                                                static_cast<std::uint32_t>(layout->height));
        zwlr_virtual_pointer_v1_frame(pointerDevice_.get());
        pointer_ = position;
        buttonsHeld_.insert(code);
    } else {
        buttonsHeld_.erase(code);
    }
    zwlr_virtual_pointer_v1_button(pointerDevice_.get(), now(), code,
                                   down ? WL_POINTER_BUTTON_STATE_PRESSED
                                        : WL_POINTER_BUTTON_STATE_RELEASED);
    zwlr_virtual_pointer_v1_frame(pointerDevice_.get());
    return flushed(Posted::Device::mouse);
}

void VirtualInput::releaseAll() {
    if (keyboard_ && uploaded_) {
        const std::multiset<Keycode> held = held_;
        for (auto key = held.rbegin(); key != held.rend(); ++key)
            sendKey(*key, false);
        setModifiers(0);
    }
    if (pointerDevice_) {
        for (std::uint32_t code : buttonsHeld_) {
            zwlr_virtual_pointer_v1_button(pointerDevice_.get(), now(), code,
                                           WL_POINTER_BUTTON_STATE_RELEASED);
            zwlr_virtual_pointer_v1_frame(pointerDevice_.get());
        }
        buttonsHeld_.clear();
    }
    connection_.flush();
}

} // namespace keyferry::wayland
