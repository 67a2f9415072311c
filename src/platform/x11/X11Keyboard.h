#pragma once

#include "automation/Keys.h"

#include <X11/Xlib.h>
#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

namespace keyferry::x11 {

/// Synthesises key presses with XTest. Characters of the current layout are typed through
/// their own key and shift level; any other character through a spare keycode (one that
/// has no symbol) bound to it for the time of the text and restored afterwards.
class X11Keyboard {
public:
    explicit X11Keyboard(Display* display);
    X11Keyboard(const X11Keyboard&) = delete;
    X11Keyboard& operator=(const X11Keyboard&) = delete;
    /// Puts every borrowed keycode back.
    ~X11Keyboard();

    bool pressKey(Key key, Modifiers modifiers, bool down);
    /// Binds the characters of `text` that the layout lacks, as far as the pool reaches.
    void prepare(std::string_view text);
    /// Types one character (all code points of one grapheme cluster).
    bool typeCharacter(std::string_view character);
    /// Restores the borrowed keycodes; call once clients had time to read the last keys.
    void restoreKeymap();
    bool hasBorrowedKeycodes() const;
    std::size_t poolSize() const { return pool_.size(); }

    static KeySym keysymFor(Key key);
    static KeySym keysymForCodePoint(char32_t codePoint);
    /// The Key of a keycode as the layout maps it, for listening.
    Key keyFor(KeyCode keycode) const;
    /// Modifier keys of the layout, for tracking what the user holds.
    std::optional<Modifier> modifierFor(KeyCode keycode) const;

    /// Told of every key this object presses, so listeners can tell Keyferry's own keys from
    /// those of other XTest users.
    std::function<void(KeyCode)> onPress;

    /// Time clients get to turn a keycode into a symbol before it is rebound.
    static constexpr std::chrono::milliseconds settleTime{100};

private:
    struct Placement {
        KeyCode keycode;
        bool shifted;
    };
    struct Slot {
        KeyCode keycode;
        std::vector<KeySym> original;
        KeySym bound = NoSymbol;
        bool usedSinceBound = false;
        std::chrono::steady_clock::time_point lastTyped{};
    };

    void readLayout();
    std::optional<Placement> placement(KeySym keysym) const;
    std::optional<KeyCode> borrowedKeycode(KeySym keysym);
    bool tap(KeyCode keycode, bool shifted);
    void fakePress(KeyCode keycode);
    void bind(Slot& slot, KeySym keysym);

    Display* display_;
    int minKeycode_ = 8, maxKeycode_ = 255, symsPerKeycode_ = 0;
    std::map<KeySym, Placement> layout_;
    std::vector<Slot> pool_;
    KeyCode shiftKeycode_ = 0, controlKeycode_ = 0, altKeycode_ = 0;
};

} // namespace keyferry::x11
