#include "platform/x11/guardian/BorrowedKeycode.h"

#include <X11/Xutil.h>
#include <algorithm>
#include <charconv>

namespace keyferry::x11 {

namespace {

// More than any server uses per keycode; a longer list is not ours.
constexpr std::size_t mostKeysyms = 64;

void appendKeysyms(std::string& out, const std::vector<KeySym>& keysyms) {
    if (keysyms.empty()) {
        out += '-';
        return;
    }
    char digits[24];
    for (std::size_t i = 0; i < keysyms.size(); ++i) {
        if (i > 0)
            out += ',';
        const auto end = std::to_chars(digits, digits + sizeof digits, keysyms[i], 16).ptr;
        out.append(digits, end);
    }
}

std::optional<std::vector<KeySym>> parseKeysyms(std::string_view text) {
    std::vector<KeySym> keysyms;
    if (text == "-")
        return keysyms;
    while (true) {
        const std::size_t comma = text.find(',');
        const std::string_view part = text.substr(0, comma);
        KeySym keysym = 0;
        const auto [end, error] =
            std::from_chars(part.data(), part.data() + part.size(), keysym, 16);
        // Keysyms have 29 bits.
        if (part.empty() || error != std::errc() || end != part.data() + part.size() ||
            keysym > 0x1FFFFFFF || keysyms.size() == mostKeysyms)
            return std::nullopt;
        keysyms.push_back(keysym);
        if (comma == std::string_view::npos)
            return keysyms;
        text.remove_prefix(comma + 1);
    }
}

// The list as the core protocol reads it: group 1 and group 2 with both levels filled in,
// then any further entries, without trailing NoSymbol.
std::vector<KeySym> asRead(std::span<const KeySym> keysyms) {
    std::vector<KeySym> list(keysyms.begin(), keysyms.end());
    while (!list.empty() && list.back() == NoSymbol)
        list.pop_back();
    if (list.empty())
        return list;
    if (list.size() == 1)
        list = {list[0], NoSymbol, list[0], NoSymbol};
    else if (list.size() == 2)
        list = {list[0], list[1], list[0], list[1]};
    else if (list.size() == 3)
        list.push_back(NoSymbol);
    // An empty second group is the first (Xlib reads it so, and XKB writes it back so).
    if (list[2] == NoSymbol && list[3] == NoSymbol) {
        list[2] = list[0];
        list[3] = list[1];
    }
    for (std::size_t group = 0; group < 4; group += 2) {
        if (list[group + 1] != NoSymbol)
            continue;
        KeySym lower = NoSymbol, upper = NoSymbol;
        XConvertCase(list[group], &lower, &upper);
        if (lower != upper) {
            list[group] = lower;
            list[group + 1] = upper;
        } else {
            list[group + 1] = list[group];
        }
    }
    while (!list.empty() && list.back() == NoSymbol)
        list.pop_back();
    return list;
}

} // namespace

void BorrowedKeycode::appendText(std::string& out) const {
    char digits[4];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, keycode).ptr);
    out += ' ';
    appendKeysyms(out, bound);
    out += ' ';
    appendKeysyms(out, original);
}

std::string BorrowedKeycode::text() const {
    std::string out;
    appendText(out);
    return out;
}

std::optional<BorrowedKeycode> BorrowedKeycode::parse(std::string_view text) {
    const std::size_t first = text.find(' ');
    const std::size_t second = first == std::string_view::npos ? first : text.find(' ', first + 1);
    if (second == std::string_view::npos || text.find(' ', second + 1) != std::string_view::npos)
        return std::nullopt;
    unsigned int keycode = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + first, keycode);
    if (error != std::errc() || end != text.data() + first || keycode < 8 || keycode > 255)
        return std::nullopt;
    auto bound = parseKeysyms(text.substr(first + 1, second - first - 1));
    auto original = parseKeysyms(text.substr(second + 1));
    if (!bound || !original)
        return std::nullopt;
    return BorrowedKeycode{static_cast<KeyCode>(keycode), std::move(*bound), std::move(*original)};
}

bool BorrowedKeycode::sameMapping(std::span<const KeySym> a, std::span<const KeySym> b) {
    return asRead(a) == asRead(b);
}

BorrowedKeycode::Restore BorrowedKeycode::restoreIn(Display* display) const {
    int width = 0;
    KeySym* current = XGetKeyboardMapping(display, keycode, 1, &width);
    if (!current)
        return Restore::failed;
    const bool stillOurs =
        sameMapping(std::span<const KeySym>(current, static_cast<std::size_t>(width)), bound);
    XFree(current);
    if (!stillOurs)
        return Restore::changedSince;
    // An empty original means the keycode had no symbols: clear every level we read.
    std::vector<KeySym> keysyms = original;
    if (keysyms.empty())
        keysyms.assign(static_cast<std::size_t>(std::max(width, 1)), NoSymbol);
    XChangeKeyboardMapping(display, keycode, static_cast<int>(keysyms.size()), keysyms.data(), 1);
    return Restore::restored;
}

} // namespace keyferry::x11
