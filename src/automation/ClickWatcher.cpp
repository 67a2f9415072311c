#include "automation/ClickWatcher.h"

#include <algorithm>

namespace keyferry {

ClickWatcher::ClickWatcher(DesktopServices& desktop, Scheduler& scheduler)
    : desktop_(desktop), scheduler_(scheduler), click_(scheduler) {}

ClickWatcher::~ClickWatcher() {
    if (setUpTimer_)
        scheduler_.cancel(setUpTimer_);
    stopListening();
}

Task<void> ClickWatcher::waitForClick() {
    // Releasable at once, even before the tap exists: a Stop right now must not be lost.
    onClick = [this] { click_.resume(); };
    // The tap is set up on the next turn of the loop, after the caller has suspended.
    if (setUpTimer_)
        scheduler_.cancel(setUpTimer_);
    setUpTimer_ = scheduler_.runAfter(Scheduler::Duration{0}, [this] {
        setUpTimer_ = 0;
        setUp();
    });
    co_await click_.wait();
}

void ClickWatcher::setUp() {
    if (!click_.isPending())
        return; // released before the tap was set up
    stopListening();
    onClick = [this] { click_.resume(); }; // an earlier callback is dropped uncalled
    tap_ = desktop_.listen({InputEvent::Type::leftMouseDown},
                           [this](const InputEvent& event) { handle(event); });
    if (!tap_) {
        onClick = nullptr;
        click_.resume();
    }
}

void ClickWatcher::handle(const InputEvent& event) {
    if (event.type == InputEvent::Type::tapDisabled) {
        if (tap_)
            tap_->reenable();
        return;
    }
    if (event.type != InputEvent::Type::leftMouseDown || event.synthetic)
        return;
    // A click on Keyferry's own windows (the Stop button, say) never ends the wait.
    const Point where = desktop_.pointerLocation().value_or(event.position);
    const auto own = desktop_.ownVisibleWindows();
    if (std::ranges::any_of(own, [&](const Rect& frame) { return frame.contains(where); }))
        return;
    stopListening();
    if (auto callback = std::exchange(onClick, nullptr))
        callback();
}

void ClickWatcher::stopListening() {
    tap_.reset();
}

} // namespace keyferry
