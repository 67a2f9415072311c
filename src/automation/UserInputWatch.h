#pragma once

#include "automation/DesktopServices.h"

#include <memory>

namespace keyferry {

/// Notices, while armed, a key press or click that is not Keyferry's own: the user's hand on
/// the keyboard or mouse, or another program's synthesised input. The stop shortcut is not
/// counted: it has its own meaning.
class UserInputWatch {
public:
    explicit UserInputWatch(DesktopServices& desktop) : desktop_(desktop) {}
    UserInputWatch(const UserInputWatch&) = delete;
    UserInputWatch& operator=(const UserInputWatch&) = delete;

    /// Starts listening afresh: input before this moment does not count.
    void arm();
    /// Stops listening (a click wait, where the user is meant to click); keeps tripped().
    void disarm() { listener_.reset(); }
    bool isArmed() const { return static_cast<bool>(listener_); }
    /// Whether foreign input arrived since arm().
    bool tripped() const { return tripped_; }

private:
    DesktopServices& desktop_;
    std::unique_ptr<InputListener> listener_;
    bool tripped_ = false;
};

} // namespace keyferry
