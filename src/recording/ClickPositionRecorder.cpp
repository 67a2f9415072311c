#include "recording/ClickPositionRecorder.h"

#include <algorithm>
#include <utility>

namespace keyferry {

ClickPositionRecorder::ClickPositionRecorder(DesktopServices& desktop, RecordingPanelFactory panels)
    : desktop_(desktop), panels_(std::move(panels)) {}

ClickPositionRecorder::~ClickPositionRecorder() {
    *alive_ = false;
    stopListening();
    panel_.reset();
}

void ClickPositionRecorder::record(std::optional<std::string> targetBundleID,
                                   Completion completion) {
    targetBundleID_ = std::move(targetBundleID);
    onComplete_ = std::move(completion);
    windowAtStart_ = targetWindow();
    if (panels_) {
        panel_ = panels_(panelTitle, panelText);
        if (panel_)
            panel_->setEscapeHandler([this, alive = std::weak_ptr<bool>(alive_)] {
                if (const auto stillHere = alive.lock(); stillHere && *stillHere)
                    finish(std::nullopt);
            });
    }
    startListening();
}

void ClickPositionRecorder::startListening() {
    eventTap_ = desktop_.listen({InputEvent::Type::leftMouseDown, InputEvent::Type::rightMouseDown},
                                [this](const InputEvent& event) { handle(event); });
    if (!eventTap_)
        finish(std::nullopt);
}

void ClickPositionRecorder::handle(const InputEvent& event) {
    if (event.type == InputEvent::Type::tapDisabled) {
        if (eventTap_)
            eventTap_->reenable();
        return;
    }
    if (event.synthetic || isFinished_)
        return;
    // Presses on the panel or Keyferry's main window are not the position sought.
    const Point pointer = desktop_.pointerLocation().value_or(event.position);
    const auto own = desktop_.ownVisibleWindows();
    if (std::ranges::any_of(own, [&](const Rect& frame) { return frame.contains(pointer); }))
        return;
    handleClick(event.position);
}

std::optional<Rect> ClickPositionRecorder::targetWindow() {
    if (!targetBundleID_)
        return std::nullopt;
    std::optional<int> processID;
    for (const auto& application : desktop_.runningApplications())
        if (application.bundleID == targetBundleID_) {
            processID = application.processID;
            break;
        }
    if (!processID)
        return std::nullopt;
    // The window rule of replay: the first on-screen window of positive size, front to back.
    for (const WindowInfo& window : desktop_.windowList())
        if (window.ownerProcessID == *processID && window.bounds.width > 0 &&
            window.bounds.height > 0)
            return window.bounds;
    return std::nullopt;
}

void ClickPositionRecorder::handleClick(Point position) {
    auto window = targetWindow();
    if (!window)
        window = windowAtStart_;
    if (!window) {
        finish(std::nullopt);
        return;
    }
    finish(Point{position.x - window->x, position.y - window->y});
}

void ClickPositionRecorder::finish(std::optional<Point> position) {
    if (isFinished_)
        return;
    isFinished_ = true;
    stopListening();
    panel_.reset();
    if (auto completion = std::exchange(onComplete_, nullptr))
        completion(position);
}

} // namespace keyferry
