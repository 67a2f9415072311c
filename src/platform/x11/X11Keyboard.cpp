#include "platform/x11/X11Keyboard.h"

#include "csv/Utf8.h"
#include "platform/x11/X11Handles.h"

#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <algorithm>
#include <thread>

namespace keyferry::x11 {

namespace {

constexpr std::size_t largestPool = 16;

std::vector<char32_t> codePoints(std::string_view text) {
    std::vector<char32_t> points;
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p < end) {
        char32_t point = 0;
        const std::size_t length = utf8::decodeOne(p, end, point);
        if (length == 0) { // not UTF-8: nothing sensible to type for this byte
            ++p;
            continue;
        }
        points.push_back(point);
        p += length;
    }
    return points;
}

} // namespace

X11Keyboard::X11Keyboard(Display* display) : display_(display) {
    XDisplayKeycodes(display_, &minKeycode_, &maxKeycode_);
    readLayout();
    shiftKeycode_ = XKeysymToKeycode(display_, XK_Shift_L);
    controlKeycode_ = XKeysymToKeycode(display_, XK_Control_L);
    altKeycode_ = XKeysymToKeycode(display_, XK_Alt_L);
}

X11Keyboard::~X11Keyboard() {
    restoreKeymap();
}

void X11Keyboard::readLayout() {
    const int count = maxKeycode_ - minKeycode_ + 1;
    XPtr<KeySym> map(
        XGetKeyboardMapping(display_, static_cast<KeyCode>(minKeycode_), count, &symsPerKeycode_));
    if (!map)
        return;
    layout_.clear();
    const bool firstRead = pool_.empty();
    for (int i = 0; i < count; ++i) {
        const auto keycode = static_cast<KeyCode>(minKeycode_ + i);
        const KeySym* syms = map.get() + i * symsPerKeycode_;
        const bool borrowed =
            std::ranges::any_of(pool_, [&](const Slot& s) { return s.keycode == keycode; });
        if (borrowed)
            continue;
        // Level 0 and 1 of the first group: reachable with and without Shift.
        for (int level = 0; level < std::min(symsPerKeycode_, 2); ++level)
            if (syms[level] != NoSymbol && !layout_.contains(syms[level]))
                layout_[syms[level]] = {keycode, level == 1};
        const bool empty =
            std::all_of(syms, syms + symsPerKeycode_, [](KeySym s) { return s == NoSymbol; });
        if (firstRead && empty && keycode > minKeycode_ && pool_.size() < largestPool)
            pool_.push_back({keycode, std::vector<KeySym>(syms, syms + symsPerKeycode_)});
    }
}

KeySym X11Keyboard::keysymFor(Key key) {
    switch (key) {
    case Key::a:
        return XK_a;
    case Key::returnKey:
        return XK_Return;
    case Key::tab:
        return XK_Tab;
    case Key::backspace:
        return XK_BackSpace;
    case Key::left:
        return XK_Left;
    case Key::right:
        return XK_Right;
    case Key::down:
        return XK_Down;
    case Key::up:
        return XK_Up;
    case Key::escape:
        return XK_Escape;
    case Key::space:
        return XK_space;
    case Key::other:
        return NoSymbol;
    }
    return NoSymbol;
}

KeySym X11Keyboard::keysymForCodePoint(char32_t codePoint) {
    switch (codePoint) {
    case U'\n':
        return XK_Return;
    case U'\r':
        return XK_Return;
    case U'\t':
        return XK_Tab;
    case U'\b':
        return XK_BackSpace;
    default:
        break;
    }
    if ((codePoint >= 0x20 && codePoint <= 0x7E) || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return codePoint;
    return 0x01000000 | codePoint;
}

Key X11Keyboard::keyFor(KeyCode keycode) const {
    const KeySym sym = XkbKeycodeToKeysym(display_, keycode, 0, 0);
    for (Key key : {Key::a, Key::returnKey, Key::tab, Key::backspace, Key::left, Key::right,
                    Key::down, Key::up, Key::escape, Key::space})
        if (keysymFor(key) == sym)
            return key;
    if (sym == XK_KP_Enter)
        return Key::returnKey;
    if (sym == XK_ISO_Left_Tab)
        return Key::tab;
    return Key::other;
}

std::optional<Modifier> X11Keyboard::modifierFor(KeyCode keycode) const {
    switch (XkbKeycodeToKeysym(display_, keycode, 0, 0)) {
    case XK_Shift_L:
    case XK_Shift_R:
        return Modifier::shift;
    case XK_Control_L:
    case XK_Control_R:
        return Modifier::control;
    case XK_Alt_L:
    case XK_Alt_R:
    case XK_Meta_L:
    case XK_Meta_R:
        return Modifier::alt;
    default:
        return std::nullopt;
    }
}

std::optional<X11Keyboard::Placement> X11Keyboard::placement(KeySym keysym) const {
    const auto found = layout_.find(keysym);
    if (found == layout_.end())
        return std::nullopt;
    return found->second;
}

bool X11Keyboard::pressKey(Key key, Modifiers modifiers, bool down) {
    const KeyCode keycode = XKeysymToKeycode(display_, keysymFor(key));
    if (keycode == 0)
        return false;
    const std::pair<Modifier, KeyCode> held[] = {{Modifier::control, controlKeycode_},
                                                 {Modifier::shift, shiftKeycode_},
                                                 {Modifier::alt, altKeycode_}};
    // Modifiers go down before the key and come up after it, in reverse order.
    if (down) {
        for (const auto& [modifier, code] : held)
            if (modifiers.contains(modifier) && code)
                fakePress(code);
        fakePress(keycode);
    } else {
        XTestFakeKeyEvent(display_, keycode, False, CurrentTime);
        for (auto it = std::rbegin(held); it != std::rend(held); ++it)
            if (modifiers.contains(it->first) && it->second)
                XTestFakeKeyEvent(display_, it->second, False, CurrentTime);
    }
    XSync(display_, False);
    return true;
}

void X11Keyboard::fakePress(KeyCode keycode) {
    if (onPress)
        onPress(keycode);
    XTestFakeKeyEvent(display_, keycode, True, CurrentTime);
}

void X11Keyboard::bind(Slot& slot, KeySym keysym) {
    // The same symbol on both levels, so Shift or Caps Lock cannot change it.
    std::vector<KeySym> syms(static_cast<std::size_t>(std::max(symsPerKeycode_, 2)), NoSymbol);
    syms[0] = syms[1] = keysym;
    XChangeKeyboardMapping(display_, slot.keycode, static_cast<int>(syms.size()), syms.data(), 1);
    XSync(display_, False);
    slot.bound = keysym;
    slot.usedSinceBound = false;
}

std::optional<KeyCode> X11Keyboard::borrowedKeycode(KeySym keysym) {
    for (Slot& slot : pool_)
        if (slot.bound == keysym)
            return slot.keycode;
    if (pool_.empty())
        return std::nullopt;
    // The slot typed longest ago: a keycode typed a moment ago may not be read yet, so a
    // client must have had settleTime since then before it is rebound.
    Slot& slot = *std::ranges::min_element(
        pool_, {}, [](const Slot& s) { return std::pair(s.usedSinceBound, s.lastTyped); });
    if (slot.usedSinceBound) {
        const auto ready = slot.lastTyped + settleTime;
        if (ready > std::chrono::steady_clock::now())
            std::this_thread::sleep_until(ready);
    }
    bind(slot, keysym);
    return slot.keycode;
}

void X11Keyboard::prepare(std::string_view text) {
    readLayout(); // the user may have switched layouts since the last text
    std::size_t bound = 0;
    for (char32_t point : codePoints(text)) {
        const KeySym keysym = keysymForCodePoint(point);
        if (placement(keysym) || bound >= pool_.size())
            continue;
        const bool already =
            std::ranges::any_of(pool_, [&](const Slot& s) { return s.bound == keysym; });
        if (already)
            continue;
        // Free slots first, so one text never rebinds what it bound itself.
        auto free = std::ranges::find_if(pool_, [](const Slot& s) { return s.bound == NoSymbol; });
        if (free == pool_.end())
            break;
        bind(*free, keysym);
        ++bound;
    }
}

bool X11Keyboard::tap(KeyCode keycode, bool shifted) {
    if (shifted && shiftKeycode_)
        fakePress(shiftKeycode_);
    fakePress(keycode);
    XTestFakeKeyEvent(display_, keycode, False, CurrentTime);
    if (shifted && shiftKeycode_)
        XTestFakeKeyEvent(display_, shiftKeycode_, False, CurrentTime);
    XSync(display_, False);
    return true;
}

bool X11Keyboard::typeCharacter(std::string_view character) {
    for (char32_t point : codePoints(character)) {
        const KeySym keysym = keysymForCodePoint(point);
        if (const auto place = placement(keysym)) {
            tap(place->keycode, place->shifted);
            continue;
        }
        const auto keycode = borrowedKeycode(keysym);
        if (!keycode)
            return false;
        tap(*keycode, false);
        for (Slot& slot : pool_)
            if (slot.keycode == *keycode) {
                slot.usedSinceBound = true;
                slot.lastTyped = std::chrono::steady_clock::now();
            }
    }
    return true;
}

bool X11Keyboard::hasBorrowedKeycodes() const {
    return std::ranges::any_of(pool_, [](const Slot& s) { return s.bound != NoSymbol; });
}

void X11Keyboard::restoreKeymap() {
    for (Slot& slot : pool_) {
        if (slot.bound == NoSymbol)
            continue;
        XChangeKeyboardMapping(display_, slot.keycode, static_cast<int>(slot.original.size()),
                               slot.original.data(), 1);
        slot.bound = NoSymbol;
        slot.usedSinceBound = false;
    }
    XSync(display_, False);
}

} // namespace keyferry::x11
