#include "automation/GlobalHotkey.h"

namespace keyferry {

bool GlobalHotkey::isStopShortcut(const InputEvent& event) {
    return event.type == InputEvent::Type::keyDown && event.key == Key::escape &&
           event.modifiers.contains(Modifier::control) && event.modifiers.contains(Modifier::shift);
}

void GlobalHotkey::start() {
    stop();
    monitor_ = desktop_.monitorKeys([this](const InputEvent& event) {
        if (isStopShortcut(event) && onTrigger)
            onTrigger();
    });
}

} // namespace keyferry
