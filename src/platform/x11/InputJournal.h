#pragma once

#include <X11/Xlib.h>
#include <string>
#include <vector>

namespace keyferry::x11 {

/// What synthesis changes in the X server that would outlive Keyferry if it died half-way:
/// keys and buttons held down through XTest, and keycodes bound to characters. Presses and
/// bindings are noted before they are sent, releases and restorations after; commit() must
/// succeed before anything noted is sent to the X server, so that whoever reads the journal
/// (the guardian process) always knows at least what there is to undo.
class InputJournal {
public:
    virtual ~InputJournal() = default;

    virtual void pressing(KeyCode keycode) = 0;
    virtual void released(KeyCode keycode) = 0;
    virtual void pressingButton(unsigned int button) = 0;
    virtual void releasedButton(unsigned int button) = 0;
    /// The keycode is about to get `bound` (its keysyms per level); `original` is what to put
    /// back. Undo only while the keycode still holds `bound`: someone else may have changed it.
    virtual void binding(KeyCode keycode, std::vector<KeySym> original,
                         std::vector<KeySym> bound) = 0;
    virtual void restored(KeyCode keycode) = 0;

    /// Delivers everything noted so far; false when it cannot be delivered, and then nothing
    /// noted may be sent.
    virtual bool commit() = 0;
    /// Makes sure the reader of the journal is listening (starts the guardian, or a new one
    /// when it has gone), so that commit() need not wait for it; call it where waiting is
    /// harmless, never while the X server is grabbed. False, with failure(), when it cannot.
    virtual bool ready() = 0;
    /// Why the last commit failed, as a phrase for a message; empty after one that worked.
    virtual const std::string& failure() const = 0;
};

/// Notes nothing and always commits: for a keyboard that no guardian watches.
class UnwatchedJournal final : public InputJournal {
public:
    void pressing(KeyCode) override {}
    void released(KeyCode) override {}
    void pressingButton(unsigned int) override {}
    void releasedButton(unsigned int) override {}
    void binding(KeyCode, std::vector<KeySym>, std::vector<KeySym>) override {}
    void restored(KeyCode) override {}
    bool commit() override { return true; }
    bool ready() override { return true; }
    const std::string& failure() const override { return none_; }

private:
    std::string none_;
};

} // namespace keyferry::x11
