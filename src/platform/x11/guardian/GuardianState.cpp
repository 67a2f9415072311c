#include "platform/x11/guardian/GuardianState.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace keyferry::x11 {

namespace {

template <class T>
void addOnce(std::vector<T>& list, T value) {
    if (std::ranges::find(list, value) == list.end())
        list.push_back(value);
}

void appendNumbered(std::string& out, std::string_view verb, unsigned int number) {
    char digits[12];
    out += verb;
    out += ' ';
    out.append(digits, std::to_chars(digits, digits + sizeof digits, number).ptr);
    out += '\n';
}

// Keycodes are 8..255; XTest buttons 1..255.
std::optional<unsigned int> number(std::string_view text, unsigned int lowest) {
    unsigned int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        value < lowest || value > 255)
        return std::nullopt;
    return value;
}

} // namespace

void GuardianState::pressing(KeyCode keycode) {
    addOnce(keys_, keycode);
}

void GuardianState::released(KeyCode keycode) {
    std::erase(keys_, keycode);
}

void GuardianState::pressingButton(unsigned int button) {
    addOnce(buttons_, button);
}

void GuardianState::releasedButton(unsigned int button) {
    std::erase(buttons_, button);
}

void GuardianState::binding(BorrowedKeycode borrowed) {
    const auto known = std::ranges::find(borrowed_, borrowed.keycode, &BorrowedKeycode::keycode);
    if (known == borrowed_.end()) {
        borrowed_.push_back(std::move(borrowed));
        return;
    }
    // What it holds now is ours; what to put back is what it held before we first took it.
    known->bound = std::move(borrowed.bound);
}

void GuardianState::restored(KeyCode keycode) {
    std::erase_if(borrowed_, [&](const BorrowedKeycode& b) { return b.keycode == keycode; });
}

bool GuardianState::apply(std::string_view line) {
    const std::size_t space = line.find(' ');
    const std::string_view verb = line.substr(0, space);
    const std::string_view rest =
        space == std::string_view::npos ? std::string_view() : line.substr(space + 1);
    if (verb == "end" && space == std::string_view::npos) {
        ending();
        return true;
    }
    if (verb == "bind") {
        auto borrowed = BorrowedKeycode::parse(rest);
        if (!borrowed)
            return false;
        binding(std::move(*borrowed));
        return true;
    }
    const bool isButton = verb == "press-button" || verb == "release-button";
    const auto value = number(rest, isButton ? 1 : 8);
    if (!value)
        return false;
    const auto keycode = static_cast<KeyCode>(*value);
    if (verb == "press")
        pressing(keycode);
    else if (verb == "release")
        released(keycode);
    else if (verb == "press-button")
        pressingButton(*value);
    else if (verb == "release-button")
        releasedButton(*value);
    else if (verb == "restore")
        restored(keycode);
    else
        return false;
    return true;
}

void GuardianState::appendPressing(std::string& out, KeyCode keycode) {
    appendNumbered(out, "press", keycode);
}

void GuardianState::appendReleased(std::string& out, KeyCode keycode) {
    appendNumbered(out, "release", keycode);
}

void GuardianState::appendPressingButton(std::string& out, unsigned int button) {
    appendNumbered(out, "press-button", button);
}

void GuardianState::appendReleasedButton(std::string& out, unsigned int button) {
    appendNumbered(out, "release-button", button);
}

void GuardianState::appendBinding(std::string& out, const BorrowedKeycode& borrowed) {
    out += "bind ";
    borrowed.appendText(out);
    out += '\n';
}

void GuardianState::appendRestored(std::string& out, KeyCode keycode) {
    appendNumbered(out, "restore", keycode);
}

void GuardianState::appendEnding(std::string& out) {
    out += "end\n";
}

std::string GuardianState::messages() const {
    std::string out;
    for (const BorrowedKeycode& borrowed : borrowed_)
        appendBinding(out, borrowed);
    for (KeyCode keycode : keys_)
        appendPressing(out, keycode);
    for (unsigned int button : buttons_)
        appendPressingButton(out, button);
    if (ended_)
        appendEnding(out);
    return out;
}

} // namespace keyferry::x11
