#pragma once

#include <QDBusConnection>

#include "model/Expected.h"
#include "platform/wayland/gnome/ShellWindowList.h"

#include <cstdint>
#include <optional>
#include <string>

namespace keyferry::wayland {

/// Keyferry's GNOME Shell extension, as reached over the session bus (org.keyferry.Shell).
class GnomeShell {
public:
    static constexpr const char* extensionID = "keyferry@keyferry.org";

    /// Fails saying why when the extension does not answer (not installed, not enabled, or
    /// installed since the session began).
    static Expected<GnomeShell> connect();

    Expected<ShellWindowList> windows() const;
    bool activate(WindowID window) const;
    std::optional<Point> pointerPosition() const;
    /// Keeps an accelerator ("<Control><Shift>Escape") from the applications; its presses come
    /// as the Activated signal with the returned action.
    Expected<std::uint32_t> grab(const std::string& accelerator) const;
    void ungrab(std::uint32_t action) const;

    static const QString service;
    static const QString path;
    static const QString interface;

private:
    explicit GnomeShell(QDBusConnection bus) : bus_(std::move(bus)) {}
    QDBusConnection bus_;
};

} // namespace keyferry::wayland
