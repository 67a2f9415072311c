#include "platform/wayland/gnome/ShellShortcuts.h"

#include "platform/common/DBusSignal.h"
#include "platform/wayland/gnome/ShellAccelerator.h"

namespace keyferry::wayland {

ShellShortcuts::ShellShortcuts(const GnomeShell& shell, DesktopServices::Callback callback)
    : shell_(shell), callback_(std::move(callback)) {}

std::unique_ptr<ShellShortcuts> ShellShortcuts::grab(const GnomeShell& shell,
                                                     std::vector<KeyCombination> keys,
                                                     DesktopServices::Callback callback) {
    std::unique_ptr<ShellShortcuts> shortcuts(new ShellShortcuts(shell, std::move(callback)));
    // Listening first: a press right after the grab is not missed.
    ShellShortcuts* self = shortcuts.get();
    shortcuts->signal_ = std::make_unique<DBusSignal>(
        QDBusConnection::sessionBus(), GnomeShell::service, GnomeShell::path, GnomeShell::interface,
        QStringLiteral("Activated"), [self](const QDBusMessage& message) {
            self->activated(message.arguments().value(0).toUInt());
        });
    for (const KeyCombination& keys : keys) {
        const auto accelerator = shellAccelerator(keys);
        const auto action = accelerator ? shell.grab(*accelerator)
                                        : Expected<std::uint32_t>(Unexpected{std::string()});
        if (action)
            shortcuts->grabbed_.emplace_back(*action, keys);
        else
            shortcuts->refused_.push_back(keys);
    }
    if (shortcuts->grabbed_.empty())
        return nullptr;
    return shortcuts;
}

ShellShortcuts::~ShellShortcuts() {
    signal_.reset();
    for (const auto& [action, keys] : grabbed_)
        shell_.ungrab(action);
}

void ShellShortcuts::activated(std::uint32_t action) {
    for (const auto& [grabbedAction, keys] : grabbed_) {
        if (grabbedAction != action)
            continue;
        InputEvent event;
        event.type = InputEvent::Type::keyDown;
        event.key = keys.key;
        event.modifiers = keys.modifiers;
        callback_(event);
        return;
    }
}

} // namespace keyferry::wayland
