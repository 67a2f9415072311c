#include "automation/AccessibilityChecker.h"

namespace keyferry {

AccessibilityChecker::AccessibilityChecker(DesktopServices& desktop, Scheduler& scheduler)
    : desktop_(desktop), scheduler_(scheduler), isGranted_(desktop.isTrusted()) {}

AccessibilityChecker::~AccessibilityChecker() {
    if (timer_)
        scheduler_.cancel(timer_);
}

void AccessibilityChecker::setGranted(bool granted) {
    isGranted_ = granted;
    isGrantedChanged.emit(granted);
}

void AccessibilityChecker::startMonitoring(double intervalSeconds) {
    if (timer_)
        scheduler_.cancel(timer_);
    timer_ = 0;
    setGranted(desktop_.isTrusted());
    interval_ = secondsToDuration(intervalSeconds);
    if (interval_ <= Scheduler::Duration{0})
        interval_ = std::chrono::milliseconds(1); // a zero interval would spin the loop
    timer_ = scheduler_.runAfter(interval_, [this] { tick(); });
}

void AccessibilityChecker::tick() {
    timer_ = scheduler_.runAfter(interval_, [this] { tick(); });
    setGranted(desktop_.isTrusted());
}

} // namespace keyferry
