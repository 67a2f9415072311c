#pragma once

#include "automation/DesktopServices.h"
#include "automation/Keys.h"
#include "model/Expected.h"
#include "platform/x11/InputJournal.h"

#include <X11/Xlib.h>
#include <array>
#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string_view>
#include <vector>

namespace keyferry::x11 {

/// Synthesises key presses with XTest. A character the current layout produces is typed with
/// its own key and level (Shift, AltGr); any other character through a spare keycode (one
/// without any symbol) bound to it, two characters per keycode (the second with Shift).
/// Everything a text needs is bound at once, before the text, so that applications see one
/// change and then the whole text at full speed. Shortcut letters the layout lacks (Ctrl+A
/// on a Cyrillic layout) are bound the same way. Every press and binding is noted in the
/// journal first, so a guardian can undo it should this process die.
class X11Keyboard {
public:
    using Duration = std::chrono::nanoseconds;

    X11Keyboard(Display* display, InputJournal& journal);
    X11Keyboard(const X11Keyboard&) = delete;
    X11Keyboard& operator=(const X11Keyboard&) = delete;
    /// Releases what is held and puts every borrowed keycode back.
    ~X11Keyboard();

    /// Binds the characters of `text` the layout lacks, as many as the spare keycodes hold
    /// (those needed first); nothing while its first such character is bound already. Returns how
    /// long applications need before the first character can be typed; an error when not even it
    /// can be made typable.
    Expected<Duration> prepareText(std::string_view text);
    bool isPrepared(std::string_view character) const;
    /// Binds the key's symbol when the layout lacks it.
    Expected<Duration> prepareKey(Key key, Modifiers modifiers);

    Posted pressKey(Key key, Modifiers modifiers, bool down);
    /// Types one character (all code points of one grapheme cluster); it must be prepared.
    Posted typeCharacter(std::string_view character);
    /// Waits until the X server has handled everything sent.
    void sync();
    /// Releases every key this object holds down.
    void releaseHeldKeys();
    /// Puts the borrowed keycodes back (where nobody else changed them since); call once
    /// clients had time to read the last keys typed with them.
    void restoreKeymap();
    bool hasBorrowedKeycodes() const;
    /// How many characters fit on the spare keycodes at once.
    std::size_t capacity() const { return 2 * spare_.size(); }

    static KeySym keysymFor(Key key);
    static KeySym keysymForCodePoint(char32_t codePoint);
    /// The Key of a keycode as the layout maps it, for listening.
    Key keyFor(KeyCode keycode) const;
    /// Modifier keys of the layout, for tracking what the user holds.
    std::optional<Modifier> modifierFor(KeyCode keycode) const;

    /// Told of every key this object presses, so listeners can tell Keyferry's own keys from
    /// those of other XTest users.
    std::function<void(KeyCode)> onPress;

    /// Time clients get to see a keymap change before a key uses it, and to turn a keycode
    /// into a symbol before the keycode is bound to another.
    static constexpr std::chrono::milliseconds settleTime{100};
    /// A client that answers pings gets a keycode rebound only once it has read the keys
    /// typed with it, or after this long without an answer.
    static constexpr std::chrono::milliseconds readPatience{1500};
    /// How often a wait for the client's answer looks again.
    static constexpr std::chrono::milliseconds readPoll{5};

    /// What is known of the client typed into: whether it answers pings, and the time up to
    /// which it has read every key (the last answered ping).
    void clientRead(bool answersPings, std::optional<std::chrono::steady_clock::time_point> upTo);
    /// Whether the client typed into takes a keymap change in before the keys sent after it,
    /// so a binding needs no settle time.
    void clientTakesKeymapInOrder(bool inOrder) { keymapInOrder_ = inOrder; }
    bool clientTakesKeymapInOrder() const { return keymapInOrder_; }
    /// Whether the client may not have read a borrowed keycode's binding or the keys typed
    /// with it yet.
    bool clientBehind() const;

private:
    using Clock = std::chrono::steady_clock;
    /// A key and the modifier mask (Shift, the AltGr level modifier) that produce a symbol.
    struct Placement {
        KeyCode keycode;
        unsigned int modifiers;
    };
    /// A spare keycode and what Keyferry bound to it, level 1 and level 2 (with Shift).
    /// How the server describes a key's symbols: what a spare gets back when it is restored.
    struct KeyShape {
        std::array<unsigned char, 4> types{};
        unsigned char groupInfo = 0;
        unsigned char width = 0;
    };
    struct Spare {
        KeyCode keycode;
        std::vector<KeySym> original;
        KeyShape originalShape;
        std::array<KeySym, 2> bound{NoSymbol, NoSymbol};
        Clock::time_point boundAt{};
        Clock::time_point lastTyped{};
        bool isBound() const { return bound[0] != NoSymbol; }
    };

    void readLayout();
    std::optional<Placement> placement(KeySym keysym) const;
    std::optional<Placement> spareFor(KeySym keysym) const;
    std::optional<Placement> find(KeySym keysym) const;
    /// A spare giving `keysym` without Shift.
    std::optional<Placement> plainSpareFor(KeySym keysym) const;
    /// Where a shortcut's key is: on a key that gives it without Shift or AltGr.
    std::optional<Placement> findForShortcut(KeySym keysym) const;
    /// Binds what `wanted` needs that no key gives, in the order wanted, once the first
    /// `needed` of them (the next character's) lack a key.
    Expected<Duration> bindMissing(const std::vector<KeySym>& wanted, std::size_t needed,
                                   bool singleLevel);
    bool bindingSeen(const Spare& spare, Clock::time_point now) const;
    Duration untilSeen(const Spare& spare, Clock::time_point now) const;
    bool apply(const std::vector<std::pair<Spare*, std::array<KeySym, 2>>>& changes);
    /// What a spare keycode is to hold: two levels, or nothing as before it was bound.
    struct SpareContent {
        KeyCode keycode;
        std::array<KeySym, 2> symbols;
        std::optional<KeyShape> original; ///< set when it is restored
    };
    void writeSpares(const std::vector<SpareContent>& keys);
    void writeSparesOneByOne(const std::vector<SpareContent>& keys);
    std::vector<KeyCode> modifierKeycodes(unsigned int mask) const;
    Posted tap(const Placement& place);
    Posted press(const std::vector<KeyCode>& keycodes);
    void release(const std::vector<KeyCode>& keycodes);

    Display* display_;
    InputJournal& journal_;
    int minKeycode_ = 8, maxKeycode_ = 255;
    std::size_t symbolsPerKeycode_ = 2;
    std::map<KeySym, Placement> layout_;
    std::vector<Spare> spare_;
    std::multiset<KeyCode> held_;
    KeyCode shiftKeycode_ = 0, controlKeycode_ = 0, altKeycode_ = 0, levelThreeKeycode_ = 0;
    unsigned int levelThreeMask_ = 0;
    bool clientAnswersPings_ = false;
    bool keymapInOrder_ = false;
    std::optional<Clock::time_point> clientReadUpTo_;
};

} // namespace keyferry::x11
