#include "recording/FieldPicker.h"

#include "automation/FieldMatch.h"

#include <utility>

namespace keyferry {

FieldPicker::FieldPicker(DesktopServices& desktop, Scheduler& scheduler,
                         RecordingPanelFactory panels)
    : desktop_(desktop), scheduler_(scheduler), panels_(std::move(panels)) {}

FieldPicker::~FieldPicker() {
    scheduler_.cancel(timer_);
    panel_.reset();
}

void FieldPicker::pick(std::optional<std::string> targetBundleID, Completion completion) {
    target_ = std::move(targetBundleID);
    onComplete_ = std::move(completion);
    deadline_ = scheduler_.now() + longest;
    if (panels_) {
        panel_ = panels_(panelTitle, panelText);
        // The panel goes with the picker; the handler cannot outlive it.
        if (panel_)
            panel_->setEscapeHandler([this] { finish(std::nullopt); });
    }
    timer_ = scheduler_.runAfter(poll, [this] { look(); });
}

void FieldPicker::look() {
    timer_ = 0;
    if (finished_)
        return;
    // Only once the user is in the target: Keyferry's own fields are not the one sought.
    const auto front =
        desktop_.isOwnApplicationActive() ? std::nullopt : desktop_.frontmostApplication();
    const bool inTarget = front && (!target_ || front->bundleID == target_);
    const auto element = inTarget ? desktop_.focusedElement() : std::nullopt;
    if (element &&
        (!element->processID || !front->processID || element->processID == front->processID)) {
        finish(fieldIdentity(*element));
        return;
    }
    if (scheduler_.now() >= deadline_) {
        finish(std::nullopt);
        return;
    }
    timer_ = scheduler_.runAfter(poll, [this] { look(); });
}

void FieldPicker::finish(std::optional<FieldIdentity> field) {
    if (finished_)
        return;
    finished_ = true;
    scheduler_.cancel(timer_);
    timer_ = 0;
    panel_.reset();
    if (auto done = std::exchange(onComplete_, nullptr))
        done(std::move(field));
}

} // namespace keyferry
