#pragma once

#include "automation/DesktopServices.h"
#include "automation/Scheduler.h"
#include "model/Signal.h"

namespace keyferry {

/// Keeps an observable copy of the permission to synthesise input and watch other
/// applications, polled so that granting or withdrawing it shows up by itself.
class AccessibilityChecker {
public:
    AccessibilityChecker(DesktopServices& desktop, Scheduler& scheduler);
    AccessibilityChecker(const AccessibilityChecker&) = delete;
    AccessibilityChecker& operator=(const AccessibilityChecker&) = delete;
    ~AccessibilityChecker();

    bool isGranted() const { return isGranted_; }
    /// Publishes a status read elsewhere (the runner re-reads it during runs).
    void setGranted(bool granted);
    /// Reads the status now and then every `intervalSeconds`, replacing earlier polling.
    void startMonitoring(double intervalSeconds);
    bool isMonitoring() const { return timer_ != 0; }

    /// Emitted on every poll, changed or not.
    Signal<bool> isGrantedChanged;

private:
    void tick();

    DesktopServices& desktop_;
    Scheduler& scheduler_;
    bool isGranted_;
    Scheduler::Duration interval_{0};
    Scheduler::TimerId timer_ = 0;
};

} // namespace keyferry
