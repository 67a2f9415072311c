#pragma once

#include "platform/x11/guardian/BorrowedKeycode.h"

#include <X11/Xlib.h>
#include <string>
#include <string_view>
#include <vector>

namespace keyferry::x11 {

/// The guardian's answer to its start ("ready 1\n"); a guardian of another version answers
/// with another number and is not used.
inline constexpr int guardianProtocolVersion = 1;
/// A property on a window of the run's own X connection, holding a token only that run and
/// its guardian know: the guardian closes that connection before it undoes anything, so
/// that no request of a killed run still in flight lands after the undo.
inline constexpr char guardianWatchProperty[] = "_KEYFERRY_GUARDIAN_WATCH";

/// What a run has left in the X server that needs undoing if it ends: keys and buttons held
/// through XTest and keycodes it has bound. The run notes each change as a text line
/// ("press 50", "release 50", "press-button 1", "release-button 1", "bind <borrowed>",
/// "restore 93", "end"); the guardian applies the same lines to its copy.
class GuardianState {
public:
    void pressing(KeyCode keycode);
    void released(KeyCode keycode);
    void pressingButton(unsigned int button);
    void releasedButton(unsigned int button);
    /// A keycode bound again before it was restored keeps its first original.
    void binding(BorrowedKeycode borrowed);
    void restored(KeyCode keycode);
    /// The run ended on its own, with its X connection still open.
    void ending() { ended_ = true; }

    /// Applies one message (without its newline); false for a line that is none.
    bool apply(std::string_view line);

    static void appendPressing(std::string& out, KeyCode keycode);
    static void appendReleased(std::string& out, KeyCode keycode);
    static void appendPressingButton(std::string& out, unsigned int button);
    static void appendReleasedButton(std::string& out, unsigned int button);
    static void appendBinding(std::string& out, const BorrowedKeycode& borrowed);
    static void appendRestored(std::string& out, KeyCode keycode);
    static void appendEnding(std::string& out);
    /// The messages that bring a fresh state to this one.
    std::string messages() const;

    /// In the order they went down.
    const std::vector<KeyCode>& heldKeys() const { return keys_; }
    const std::vector<unsigned int>& heldButtons() const { return buttons_; }
    const std::vector<BorrowedKeycode>& borrowed() const { return borrowed_; }
    bool endedCleanly() const { return ended_; }
    bool empty() const { return keys_.empty() && buttons_.empty() && borrowed_.empty(); }

private:
    std::vector<KeyCode> keys_;
    std::vector<unsigned int> buttons_;
    std::vector<BorrowedKeycode> borrowed_;
    bool ended_ = false;
};

} // namespace keyferry::x11
