#include "platform/x11/X11Keyboard.h"

#include "platform/x11/X11Handles.h"
#include "text/UnicodeText.h"
#include "text/Utf8.h"

#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <algorithm>
#include <span>

namespace keyferry::x11 {

namespace {

struct XkbDescFree {
    void operator()(XkbDescPtr desc) const { XkbFreeKeyboard(desc, 0, True); }
};
using XkbDescHolder = std::unique_ptr<XkbDescRec, XkbDescFree>;

bool isLowerLetter(KeySym symbol) {
    KeySym lower = NoSymbol, upper = NoSymbol;
    XConvertCase(symbol, &lower, &upper);
    return lower != upper && symbol == lower;
}

bool isUpperLetter(KeySym symbol) {
    KeySym lower = NoSymbol, upper = NoSymbol;
    XConvertCase(symbol, &lower, &upper);
    return lower != upper && symbol == upper;
}

// A lower-case letter before an upper-case one makes the server give the key the alphabetic
// type, and then Caps Lock, not Keyferry, picks the level. Case twins stay apart altogether.
std::optional<std::array<KeySym, 2>> levelsFor(KeySym first, KeySym second) {
    KeySym lower = NoSymbol, upper = NoSymbol;
    XConvertCase(first, &lower, &upper);
    if (lower != upper && (second == lower || second == upper))
        return std::nullopt;
    if (isLowerLetter(first) && isUpperLetter(second))
        return std::array<KeySym, 2>{second, first};
    return std::array<KeySym, 2>{first, second};
}

// What the server gets for a spare: a lone symbol on both levels, since a lone letter would
// count as its lower case without Shift.
std::array<KeySym, 2> serverLevels(const std::array<KeySym, 2>& bound) {
    return {bound[0], bound[1] == NoSymbol ? bound[0] : bound[1]};
}

} // namespace

X11Keyboard::X11Keyboard(Display* display, InputJournal& journal)
    : display_(display), journal_(journal) {
    XDisplayKeycodes(display_, &minKeycode_, &maxKeycode_);
    int width = 0;
    XPtr<KeySym> map(XGetKeyboardMapping(display_, static_cast<KeyCode>(minKeycode_), 1, &width));
    symbolsPerKeycode_ = static_cast<std::size_t>(std::max(width, 2));
    readLayout();
}

X11Keyboard::~X11Keyboard() {
    releaseHeldKeys();
    restoreKeymap();
}

void X11Keyboard::readLayout() {
    // Nobody reads the events of this connection, yet every keymap change sends one to it:
    // dropped here so that they do not pile up over a long run.
    for (XEvent event; XEventsQueued(display_, QueuedAlready) > 0;)
        XNextEvent(display_, &event);
    XkbDescHolder xkb(XkbGetMap(display_, XkbAllClientInfoMask, XkbUseCoreKbd));
    XkbStateRec state{};
    if (!xkb || XkbGetState(display_, XkbUseCoreKbd, &state) != Success)
        return;
    // The map just read, not Xlib's copy, which follows changes only as events are read.
    const auto symbolAt = [&](KeyCode keycode) {
        return XkbKeyNumSyms(xkb.get(), keycode) > 0 ? XkbKeySymsPtr(xkb.get(), keycode)[0]
                                                     : NoSymbol;
    };
    // A layout switch replaces the whole keymap, bindings of ours included: those are gone.
    std::erase_if(spare_, [&](const Spare& s) {
        const bool lost = s.isBound() && symbolAt(s.keycode) != s.bound[0];
        if (lost)
            journal_.restored(s.keycode);
        return lost;
    });
    const auto isSpare = [&](KeyCode keycode) {
        return std::ranges::any_of(spare_, [&](const Spare& s) { return s.keycode == keycode; });
    };

    // The modifier keys Keyferry presses, and the modifier the AltGr key sets.
    layout_.clear();
    shiftKeycode_ = controlKeycode_ = altKeycode_ = levelThreeKeycode_ = 0;
    levelThreeMask_ = 0;
    for (int code = minKeycode_; code <= maxKeycode_; ++code) {
        const auto keycode = static_cast<KeyCode>(code);
        if (isSpare(keycode))
            continue;
        const KeySym first = symbolAt(keycode);
        if (first == XK_Shift_L && !shiftKeycode_)
            shiftKeycode_ = keycode;
        else if (first == XK_Control_L && !controlKeycode_)
            controlKeycode_ = keycode;
        else if (first == XK_Alt_L && !altKeycode_)
            altKeycode_ = keycode;
        else if (first == XK_ISO_Level3_Shift && !levelThreeKeycode_ && xkb->map->modmap[code]) {
            levelThreeKeycode_ = keycode;
            levelThreeMask_ = xkb->map->modmap[code];
        }
    }

    // What each key gives in the current group with the locks the user has on, plain, with
    // Shift, with AltGr and with both: the fewest modifiers win.
    const unsigned int locked = state.locked_mods;
    std::vector<unsigned int> levels = {0, ShiftMask};
    if (levelThreeMask_ && levelThreeKeycode_)
        levels.insert(levels.end(), {levelThreeMask_, levelThreeMask_ | ShiftMask});
    for (unsigned int extra : levels)
        for (int code = minKeycode_; code <= maxKeycode_; ++code) {
            const auto keycode = static_cast<KeyCode>(code);
            if (isSpare(keycode))
                continue;
            KeySym symbol = NoSymbol;
            unsigned int consumed = 0;
            const unsigned int coreState = XkbBuildCoreState(locked | extra, state.group);
            if (XkbTranslateKeyCode(xkb.get(), keycode, coreState, &consumed, &symbol) &&
                symbol != NoSymbol && !layout_.contains(symbol))
                layout_[symbol] = {keycode, extra};
        }

    // Every keycode without a symbol is a spare (those of ours keep their place).
    std::erase_if(spare_, [](const Spare& s) { return !s.isBound(); });
    for (int code = minKeycode_ + 1; code <= maxKeycode_; ++code) {
        const auto keycode = static_cast<KeyCode>(code);
        if (isSpare(keycode) || XkbKeyNumSyms(xkb.get(), code) != 0 || xkb->map->modmap[code])
            continue;
        const XkbSymMapRec& map = xkb->map->key_sym_map[code];
        KeyShape shape{{map.kt_index[0], map.kt_index[1], map.kt_index[2], map.kt_index[3]},
                       map.group_info,
                       map.width};
        spare_.push_back({keycode, std::vector<KeySym>(symbolsPerKeycode_, NoSymbol), shape});
    }
    std::ranges::sort(spare_, {}, &Spare::keycode);
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

std::optional<X11Keyboard::Placement> X11Keyboard::spareFor(KeySym keysym) const {
    for (const Spare& spare : spare_) {
        if (spare.bound[0] == keysym)
            return Placement{spare.keycode, 0};
        if (spare.bound[1] == keysym)
            return Placement{spare.keycode, ShiftMask};
    }
    return std::nullopt;
}

std::optional<X11Keyboard::Placement> X11Keyboard::find(KeySym keysym) const {
    if (auto place = placement(keysym))
        return place;
    return spareFor(keysym);
}

std::optional<X11Keyboard::Placement> X11Keyboard::plainSpareFor(KeySym keysym) const {
    const auto spare = std::ranges::find(spare_, keysym, [](const Spare& s) { return s.bound[0]; });
    if (spare == spare_.end())
        return std::nullopt;
    return Placement{spare->keycode, 0};
}

std::optional<X11Keyboard::Placement> X11Keyboard::findForShortcut(KeySym keysym) const {
    // A shortcut must be the letter itself: Ctrl with Shift held is another shortcut (a letter
    // bound with a row's text may sit on a spare's Shift level).
    if (const auto place = placement(keysym); place && place->modifiers == 0)
        return place;
    return plainSpareFor(keysym);
}

bool X11Keyboard::isPrepared(std::string_view character) const {
    const auto now = Clock::now();
    return std::ranges::all_of(utf8::codePoints(character), [&](char32_t point) {
        const KeySym keysym = keysymForCodePoint(point);
        if (placement(keysym))
            return true;
        const auto spare = spareFor(keysym);
        return spare && std::ranges::any_of(spare_, [&](const Spare& s) {
                   return s.keycode == spare->keycode && bindingSeen(s, now);
               });
    });
}

Expected<X11Keyboard::Duration> X11Keyboard::prepareText(std::string_view text) {
    readLayout(); // the user may have switched layouts since the last text
    std::vector<KeySym> wanted;
    std::size_t needed = 0; // those of the first character that needs any
    for (std::string_view character : graphemeClusters(text)) {
        for (char32_t point : utf8::codePoints(character)) {
            const KeySym keysym = keysymForCodePoint(point);
            if (!placement(keysym) && std::ranges::find(wanted, keysym) == wanted.end())
                wanted.push_back(keysym);
        }
        if (needed == 0)
            needed = wanted.size();
    }
    return bindMissing(wanted, needed, false);
}

Expected<X11Keyboard::Duration> X11Keyboard::prepareKey(Key key, Modifiers modifiers) {
    readLayout();
    const KeySym keysym = keysymFor(key);
    const auto place = placement(keysym);
    const bool shortcut = !modifiers.empty(); // its letter needs no Shift (see findForShortcut)
    if (place && (!shortcut || place->modifiers == 0))
        return Duration{0};
    if (!place && keysym == NoSymbol)
        return Unexpected{std::string("the key has no symbol")};
    const auto bound = bindMissing({keysym}, 1, shortcut);
    if (!bound)
        return bound;
    // A key is pressed after one wait, not asked again: the whole settle time unless the
    // client has read the binding already.
    const auto now = Clock::now();
    Duration wait = *bound;
    if (const auto spare = shortcut ? plainSpareFor(keysym) : spareFor(keysym))
        for (const Spare& s : spare_)
            if (s.keycode == spare->keycode && !bindingSeen(s, now))
                wait = std::max(wait, Duration(s.boundAt + settleTime - now));
    return wait;
}

Expected<X11Keyboard::Duration> X11Keyboard::bindMissing(const std::vector<KeySym>& wanted,
                                                         std::size_t needed, bool singleLevel) {
    const auto now = Clock::now();
    // Spares holding a wanted symbol stay; the others may be taken over once their last key
    // had time to be read. Those wanted later in the text are taken last.
    // Only spares wanted soon are kept: were every spare held for later, a character needed
    // now could not be bound at all.
    // A shortcut's letter counts as bound only where it needs no Shift.
    const auto boundFor = [&](KeySym keysym) {
        return singleLevel ? plainSpareFor(keysym) : spareFor(keysym);
    };
    std::set<KeyCode> kept;
    std::vector<KeySym> missing;
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        if (const auto place = boundFor(wanted[i])) {
            if (i < spare_.size())
                kept.insert(place->keycode);
        } else {
            missing.push_back(wanted[i]);
        }
    }
    Duration settle{0};
    for (const Spare& spare : spare_)
        if (kept.contains(spare.keycode) && !bindingSeen(spare, now))
            settle = std::max(settle, untilSeen(spare, now));
    // While the next character is typable, later ones wait until it is their turn, to be
    // bound together with the rest then: one change instead of one per spare that frees up.
    const std::span<const KeySym> nextCharacter(wanted.data(), std::min(needed, wanted.size()));
    const auto neededNow = [&](KeySym keysym) {
        return std::ranges::find(nextCharacter, keysym) != nextCharacter.end();
    };
    if (std::ranges::none_of(missing, neededNow))
        return settle;
    if (spare_.empty())
        return Unexpected{std::string("no free keycode")};

    std::vector<Spare*> free, reusable;
    for (Spare& spare : spare_) {
        if (!spare.isBound())
            free.push_back(&spare);
        else if (!kept.contains(spare.keycode))
            reusable.push_back(&spare);
    }
    std::ranges::sort(reusable, {}, &Spare::lastTyped);

    std::vector<std::pair<Spare*, std::array<KeySym, 2>>> changes;
    std::size_t takenOver = 0; // the last of the changes, on spares bound before
    std::optional<Duration> untilReusable;
    for (KeySym keysym : missing) {
        // A second level on a spare taken over just now, unless the two are case twins.
        if (!changes.empty() && !singleLevel) {
            auto& last = changes.back().second;
            if (last[1] == NoSymbol)
                if (const auto levels = levelsFor(last[0], keysym)) {
                    last = *levels;
                    continue;
                }
        }
        Spare* spare = nullptr;
        if (!free.empty()) {
            spare = free.front();
            free.erase(free.begin());
        } else if (!reusable.empty()) {
            const Spare& oldest = *reusable.front();
            const bool read = clientReadUpTo_ && oldest.lastTyped <= *clientReadUpTo_;
            const auto ready =
                read ? now
                     : oldest.lastTyped +
                           (clientAnswersPings_ ? Duration(readPatience) : Duration(settleTime));
            if (ready > now) {
                untilReusable =
                    clientAnswersPings_ ? std::min(ready - now, Duration(readPoll)) : ready - now;
                // Spares are taken over together once the client has read them all: every
                // change costs each client a new keymap (Firefox and the window manager spent
                // most of a web form's row on them when spares were taken one by one).
                changes.erase(changes.end() - static_cast<std::ptrdiff_t>(takenOver),
                              changes.end());
                break;
            }
            spare = reusable.front();
            reusable.erase(reusable.begin());
            ++takenOver;
        } else {
            break; // the rest waits for the next round, once these are typed
        }
        changes.push_back({spare, {keysym, NoSymbol}});
    }
    if (changes.empty()) {
        if (untilReusable)
            return *untilReusable; // nothing bound: try again once a spare is free to rebind
        if (boundFor(wanted.front()))
            return settle; // the next characters are bound; the rest waits for a later round
        return Unexpected{std::string("no free keycode")};
    }
    if (!apply(changes))
        return Unexpected{journal_.failure()};
    return std::max(settle, keymapInOrder_ ? Duration{0} : Duration(settleTime));
}

bool X11Keyboard::bindingSeen(const Spare& spare, Clock::time_point now) const {
    // Time, not a ping: a client that has read the change may still take it in later
    // (Firefox right after loading a page turned the first key typed into nothing).
    return keymapInOrder_ || now >= spare.boundAt + settleTime;
}

X11Keyboard::Duration X11Keyboard::untilSeen(const Spare& spare, Clock::time_point now) const {
    return keymapInOrder_ ? Duration{0} : Duration(spare.boundAt + settleTime - now);
}

bool X11Keyboard::apply(const std::vector<std::pair<Spare*, std::array<KeySym, 2>>>& changes) {
    for (const auto& [spare, symbols] : changes) {
        const auto levels = serverLevels(symbols);
        journal_.binding(spare->keycode, spare->original, {levels[0], levels[1]});
    }
    if (!journal_.commit())
        return false;
    std::vector<SpareContent> keys;
    for (const auto& [spare, symbols] : changes)
        keys.push_back({spare->keycode, serverLevels(symbols), std::nullopt});
    writeSpares(keys);
    XSync(display_, False);
    const auto now = Clock::now();
    for (const auto& [spare, symbols] : changes) {
        spare->bound = symbols;
        spare->boundAt = now;
        spare->lastTyped = {};
    }
    return true;
}

std::vector<KeyCode> X11Keyboard::modifierKeycodes(unsigned int mask) const {
    std::vector<KeyCode> keycodes;
    if ((mask & ControlMask) && controlKeycode_)
        keycodes.push_back(controlKeycode_);
    if ((mask & ShiftMask) && shiftKeycode_)
        keycodes.push_back(shiftKeycode_);
    if ((mask & Mod1Mask) && altKeycode_)
        keycodes.push_back(altKeycode_);
    if (levelThreeMask_ && (mask & levelThreeMask_) && levelThreeKeycode_)
        keycodes.push_back(levelThreeKeycode_);
    return keycodes;
}

Posted X11Keyboard::press(const std::vector<KeyCode>& keycodes) {
    for (KeyCode keycode : keycodes)
        journal_.pressing(keycode);
    if (!journal_.commit())
        return Posted::failure(journal_.failure());
    for (KeyCode keycode : keycodes) {
        if (onPress)
            onPress(keycode);
        XTestFakeKeyEvent(display_, keycode, True, CurrentTime);
        held_.insert(keycode);
    }
    return {};
}

void X11Keyboard::release(const std::vector<KeyCode>& keycodes) {
    for (KeyCode keycode : keycodes) {
        XTestFakeKeyEvent(display_, keycode, False, CurrentTime);
        if (const auto found = held_.find(keycode); found != held_.end())
            held_.erase(found);
    }
    XFlush(display_);
    for (KeyCode keycode : keycodes)
        journal_.released(keycode);
}

Posted X11Keyboard::pressKey(Key key, Modifiers modifiers, bool down) {
    const KeySym keysym = keysymFor(key);
    const auto place = modifiers.empty() ? find(keysym) : findForShortcut(keysym);
    if (!place)
        return Posted::failure("the key is not on the keyboard");
    unsigned int mask = place->modifiers;
    if (modifiers.contains(Modifier::control))
        mask |= ControlMask;
    if (modifiers.contains(Modifier::shift))
        mask |= ShiftMask;
    if (modifiers.contains(Modifier::alt))
        mask |= Mod1Mask;
    // Modifiers go down before the key and come up after it, in reverse order.
    std::vector<KeyCode> keycodes = modifierKeycodes(mask);
    keycodes.push_back(place->keycode);
    if (down) {
        const Posted pressed = press(keycodes);
        XFlush(display_);
        return pressed;
    }
    std::ranges::reverse(keycodes);
    release(keycodes);
    return {};
}

Posted X11Keyboard::tap(const Placement& place) {
    std::vector<KeyCode> keycodes = modifierKeycodes(place.modifiers);
    keycodes.push_back(place.keycode);
    if (const Posted pressed = press(keycodes); !pressed)
        return pressed;
    std::ranges::reverse(keycodes);
    release(keycodes); // flushes: the server gets the whole tap or none of it
    return {};
}

Posted X11Keyboard::typeCharacter(std::string_view character) {
    for (char32_t point : utf8::codePoints(character)) {
        const KeySym keysym = keysymForCodePoint(point);
        const auto place = find(keysym);
        if (!place)
            return Posted::failure("the character was not prepared");
        if (const Posted tapped = tap(*place); !tapped)
            return tapped;
        for (Spare& spare : spare_)
            if (spare.keycode == place->keycode && spare.isBound())
                spare.lastTyped = Clock::now();
    }
    return {};
}

void X11Keyboard::clientRead(bool answersPings, std::optional<Clock::time_point> upTo) {
    clientAnswersPings_ = answersPings;
    clientReadUpTo_ = upTo;
}

bool X11Keyboard::clientBehind() const {
    // Keys typed, or a binding made, after the last thing the client is known to have read.
    return std::ranges::any_of(spare_, [&](const Spare& spare) {
        if (!spare.isBound())
            return false;
        const auto latest = std::max(spare.lastTyped, spare.boundAt);
        return !clientReadUpTo_ || latest > *clientReadUpTo_;
    });
}

void X11Keyboard::sync() {
    XSync(display_, False);
}

void X11Keyboard::releaseHeldKeys() {
    if (held_.empty())
        return;
    std::vector<KeyCode> keycodes(held_.rbegin(), held_.rend());
    release(keycodes);
    XSync(display_, False);
}

bool X11Keyboard::hasBorrowedKeycodes() const {
    return std::ranges::any_of(spare_, &Spare::isBound);
}

void X11Keyboard::restoreKeymap() {
    if (!hasBorrowedKeycodes())
        return;
    std::vector<KeyCode> restored;
    std::vector<SpareContent> keys;
    XkbDescHolder xkb(XkbGetMap(display_, XkbKeySymsMask, XkbUseCoreKbd));
    for (Spare& spare : spare_) {
        if (!spare.isBound())
            continue;
        // Only what is still ours: a layout switch may have replaced the whole keymap.
        const auto levels = serverLevels(spare.bound);
        const bool ours = xkb && XkbKeyNumSyms(xkb.get(), spare.keycode) >= 2 &&
                          XkbKeySymsPtr(xkb.get(), spare.keycode)[0] == levels[0] &&
                          XkbKeySymsPtr(xkb.get(), spare.keycode)[1] == levels[1];
        if (ours)
            keys.push_back({spare.keycode, {NoSymbol, NoSymbol}, spare.originalShape});
        spare.bound = {NoSymbol, NoSymbol};
        restored.push_back(spare.keycode);
    }
    writeSpares(keys);
    XSync(display_, False);
    for (KeyCode keycode : restored)
        journal_.restored(keycode);
}

void X11Keyboard::writeSpares(const std::vector<SpareContent>& keys) {
    if (keys.empty())
        return;
    // All keys in one request: each request makes every client reread the keyboard, which is
    // what costs (a window manager busy with it lags behind the focus). The keys in between
    // are written back as they are.
    XkbDescHolder xkb(XkbGetMap(display_, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd));
    if (xkb) {
        KeyCode first = keys.front().keycode, last = keys.front().keycode;
        bool written = true;
        for (const SpareContent& key : keys) {
            first = std::min(first, key.keycode);
            last = std::max(last, key.keycode);
            XkbSymMapRec& map = xkb->map->key_sym_map[key.keycode];
            KeySym* symbols = XkbResizeKeySyms(xkb.get(), key.keycode, key.original ? 0 : 2);
            written = written && symbols;
            if (!symbols)
                break;
            if (key.original) {
                std::ranges::copy(key.original->types, map.kt_index);
                map.group_info = key.original->groupInfo;
                map.width = key.original->width;
                continue;
            }
            symbols[0] = key.symbols[0];
            symbols[1] = key.symbols[1];
            map.kt_index[0] = XkbTwoLevelIndex; // Shift picks the level, Caps Lock does not
            map.group_info = static_cast<unsigned char>(XkbSetNumGroups(map.group_info, 1));
            map.width = 2;
        }
        XkbMapChangesRec changes{};
        changes.changed = XkbKeySymsMask;
        changes.first_key_sym = first;
        changes.num_key_syms = static_cast<unsigned char>(last - first + 1);
        if (written && XkbChangeMap(display_, xkb.get(), &changes))
            return;
    }
    writeSparesOneByOne(keys);
}

void X11Keyboard::writeSparesOneByOne(const std::vector<SpareContent>& keys) {
    for (const SpareContent& key : keys) {
        std::vector<KeySym> written(symbolsPerKeycode_, NoSymbol);
        if (!key.original) {
            written[0] = key.symbols[0];
            written[1] = key.symbols[1];
        }
        XChangeKeyboardMapping(display_, key.keycode, static_cast<int>(written.size()),
                               written.data(), 1);
    }
}

} // namespace keyferry::x11
