#pragma once

#include "automation/DesktopServices.h"
#include "automation/Scheduler.h"
#include "model/FieldIdentity.h"
#include "recording/RecordingPanel.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace keyferry {

/// Records the field of one step again: the element that has the focus in the target
/// application once the user has gone there (clicked or tabbed into the field). Hands the
/// completion its identity exactly once; nothing when cancelled with Escape, when the
/// desktop cannot say which element has the focus, or after a minute.
class FieldPicker {
public:
    using Completion = std::function<void(std::optional<FieldIdentity>)>;
    static constexpr Scheduler::Duration poll = std::chrono::milliseconds(100);
    static constexpr Scheduler::Duration longest = std::chrono::minutes(1);
    static constexpr const char* panelTitle = "Record Field";
    static constexpr const char* panelText = "Click the field in the target app... (Esc to cancel)";

    FieldPicker(DesktopServices& desktop, Scheduler& scheduler, RecordingPanelFactory panels);
    FieldPicker(const FieldPicker&) = delete;
    FieldPicker& operator=(const FieldPicker&) = delete;
    /// Tears down without calling the completion.
    ~FieldPicker();

    /// Shows the instruction panel and looks; one pick per picker.
    void pick(std::optional<std::string> targetBundleID, Completion completion);
    bool isFinished() const { return finished_; }

private:
    void look();
    void finish(std::optional<FieldIdentity> field);

    DesktopServices& desktop_;
    Scheduler& scheduler_;
    RecordingPanelFactory panels_;
    std::unique_ptr<RecordingPanel> panel_;
    Completion onComplete_;
    std::optional<std::string> target_;
    Scheduler::Duration deadline_{0};
    Scheduler::TimerId timer_ = 0;
    bool finished_ = false;
};

} // namespace keyferry
