#include "automation/UserInputWatch.h"

#include "automation/GlobalHotkey.h"

namespace keyferry {

void UserInputWatch::arm() {
    tripped_ = false;
    listener_ = desktop_.listen({InputEvent::Type::keyDown, InputEvent::Type::leftMouseDown,
                                 InputEvent::Type::rightMouseDown},
                                [this](const InputEvent& event) {
                                    if (!event.synthetic && !GlobalHotkey::isStopShortcut(event))
                                        tripped_ = true;
                                });
}

} // namespace keyferry
