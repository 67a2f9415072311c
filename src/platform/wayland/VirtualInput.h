#pragma once

#include "platform/wayland/DesktopParts.h"
#include "platform/wayland/KeyPacing.h"
#include "platform/wayland/SpareBindings.h"
#include "platform/wayland/WaylandHandles.h"
#include "platform/wayland/XkbLayout.h"

#include <chrono>
#include <memory>
#include <optional>
#include <set>

struct zwp_virtual_keyboard_v1;
struct zwlr_virtual_pointer_v1;

namespace keyferry::wayland {

class WaylandConnection;

/// Keys and clicks through the virtual keyboard and virtual pointer protocols (wlroots).
///
/// One keyboard device lives as long as this object: a device new to the seat loses its first
/// key. Its keymap is the user's layout (the seat keyboard's keymap) with spare keys bound to
/// the characters a text needs that the layout lacks, all of them before the text is typed;
/// the keymap is uploaded again only when a text needs a character not bound yet. The keymap
/// belongs to Keyferry's device, so the user's keyboard is never changed. Modifiers are the
/// device's state, set around each key.
class VirtualInput final : public InputSynthesis {
public:
    explicit VirtualInput(WaylandConnection& connection);
    VirtualInput(const VirtualInput&) = delete;
    VirtualInput& operator=(const VirtualInput&) = delete;
    /// Releases what is held; the devices go with it.
    ~VirtualInput() override;

    Posted postKey(Key key, Modifiers modifiers, bool down) override;
    Posted postCharacter(std::string_view character) override;
    Expected<Duration> prepareText(std::string_view text) override;
    bool isPrepared(std::string_view character) override;
    Expected<Duration> prepareKey(Key key, Modifiers modifiers) override;
    void endText() override;
    Posted postMouseButton(MouseButton button, Point position, bool down,
                           std::optional<Rect> layout) override;
    std::optional<Point> pointerLocation() override { return pointer_; }
    void releaseAll() override;
    std::optional<std::string> keyboardUnavailable() const override { return keyboardProblem_; }
    std::optional<std::string> pointerUnavailable() const override { return pointerProblem_; }

private:
    static void destroyKeyboard(zwp_virtual_keyboard_v1* keyboard);
    static void destroyPointer(zwlr_virtual_pointer_v1* pointer);

    /// Follows a change of the user's layout: the old bindings are gone with it.
    void followLayout();
    std::optional<KeyPlacement> find(Keysym keysym) const;
    Expected<Duration> bind(const std::vector<Keysym>& wanted);
    bool upload();
    void setModifiers(ModifierMask modifiers);
    void sendKey(Keycode keycode, bool down);
    ModifierMask maskOf(Modifiers modifiers) const;
    std::uint32_t now() const;
    Posted flushed(Posted::Device device);

    WaylandConnection& connection_;
    Handle<zwp_virtual_keyboard_v1, destroyKeyboard> keyboard_;
    Handle<zwlr_virtual_pointer_v1, destroyPointer> pointerDevice_;
    std::optional<std::string> keyboardProblem_;
    std::optional<std::string> pointerProblem_;
    std::optional<XkbLayout> layout_;
    std::optional<SpareBindings> spares_;
    std::uint64_t layoutChanges_ = 0;
    bool uploaded_ = false;
    ModifierMask modifiers_ = 0;
    std::multiset<Keycode> held_;
    std::set<std::uint32_t> buttonsHeld_;
    std::optional<Point> pointer_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    KeyPacing pacing_;
    bool waitingForApplication_ = false; ///< the last isPrepared() was false for pacing only
};

} // namespace keyferry::wayland
