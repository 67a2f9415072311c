#pragma once

#include "automation/DesktopServices.h"
#include "automation/Scheduler.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace keyferry {

/// Whether the focused element is a field the user can start a form in: it takes a value (a
/// field for text, a combo box, a check box, a list) and belongs to the application in front.
bool isStartField(const FocusedElement& element, const RunningApplication& front);

/// Finds the field a recording begins in: the one that has the focus in the application
/// recorded once the user is there. That is the application in front as the recording starts,
/// or, when Keyferry's own window is in front (Record was pressed there) or the application in
/// front shows no field (the terminal `keyferry record` was typed in), the next one to come to
/// the front. It looks once in that application and reports the field, if the focus is in one;
/// the recorder stops it as soon as the user acts, since the focus may then have moved.
class StartFieldWatch {
public:
    static constexpr Scheduler::Duration poll = std::chrono::milliseconds(100);
    using Found = std::function<void(const FocusedElement& field, const RunningApplication& in)>;

    StartFieldWatch(DesktopServices& desktop, Scheduler& scheduler)
        : desktop_(desktop), scheduler_(scheduler) {}
    StartFieldWatch(const StartFieldWatch&) = delete;
    StartFieldWatch& operator=(const StartFieldWatch&) = delete;
    ~StartFieldWatch() { stop(); }

    /// Looks now and, until it has looked in the application recorded, again every poll.
    /// `target`: the application the recording is for, when known; no other is looked in.
    void start(std::optional<std::string> target, Found found);
    void stop();
    bool isLooking() const { return looking_; }

private:
    void look();

    DesktopServices& desktop_;
    Scheduler& scheduler_;
    std::optional<std::string> target_;
    Found found_;
    /// The application in front at the start that showed no field: the user leaves it.
    std::optional<int> leftProcess_;
    bool firstLook_ = false;
    bool looking_ = false;
    Scheduler::TimerId timer_ = 0;
};

} // namespace keyferry
