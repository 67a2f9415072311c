#include "recording/StartField.h"

#include "recording/FocusStepBuilder.h"

#include <utility>

namespace keyferry {

bool isStartField(const FocusedElement& element, const RunningApplication& front) {
    // A focus the accessibility layer still reports from another process is not the user's.
    return FocusStepBuilder::takesText(element.role) && element.processID != 0 &&
           element.processID == front.processID;
}

void StartFieldWatch::start(std::optional<std::string> target, Found found) {
    stop();
    target_ = std::move(target);
    found_ = std::move(found);
    leftProcess_.reset();
    firstLook_ = true;
    looking_ = true;
    look();
}

void StartFieldWatch::stop() {
    looking_ = false;
    if (timer_)
        scheduler_.cancel(timer_);
    timer_ = 0;
}

void StartFieldWatch::look() {
    timer_ = 0;
    if (!looking_)
        return;
    const bool first = std::exchange(firstLook_, false);
    const auto front =
        desktop_.isOwnApplicationActive() ? std::nullopt : desktop_.frontmostApplication();
    const bool there = front && (!target_ || front->bundleID == target_) &&
                       (!leftProcess_ || front->processID != *leftProcess_);
    if (there) {
        const auto element = desktop_.focusedElement();
        if (element && isStartField(*element, *front)) {
            stop();
            found_(*element, *front);
            return;
        }
        if (!first) { // arrived where no field has the focus: recording starts as it always did
            stop();
            return;
        }
        leftProcess_ = front->processID;
    }
    timer_ = scheduler_.runAfter(poll, [this] { look(); });
}

} // namespace keyferry
