#pragma once

#include "automation/DesktopServices.h"
#include "platform/wayland/gnome/GnomeShell.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace keyferry {
class DBusSignal;
} // namespace keyferry

namespace keyferry::wayland {

/// Combinations the shell keeps from the applications for Keyferry while this lives, each
/// press reported. The extension lets them go when this ends, or when Keyferry leaves the bus
/// without ending it (killed).
class ShellShortcuts final : public InputListener {
public:
    /// Nothing when the shell took none of them.
    static std::unique_ptr<ShellShortcuts> grab(const GnomeShell& shell,
                                                std::vector<KeyCombination> keys,
                                                DesktopServices::Callback callback);
    ~ShellShortcuts() override;
    std::vector<KeyCombination> unconsumable() const override { return refused_; }

private:
    ShellShortcuts(const GnomeShell& shell, DesktopServices::Callback callback);
    void activated(std::uint32_t action);

    GnomeShell shell_;
    DesktopServices::Callback callback_;
    std::vector<std::pair<std::uint32_t, KeyCombination>> grabbed_;
    std::vector<KeyCombination> refused_;
    std::unique_ptr<DBusSignal> signal_;
};

} // namespace keyferry::wayland
