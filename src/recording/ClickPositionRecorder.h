#pragma once

#include "automation/DesktopServices.h"
#include "recording/RecordingPanel.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace keyferry {

/// Captures one click position for a mouse-click step: the next press outside Keyferry,
/// as an offset from the target application's window, handed to the completion exactly
/// once (nothing when cancelled with Escape or when no window can be found).
class ClickPositionRecorder {
public:
    using Completion = std::function<void(std::optional<Point>)>;

    ClickPositionRecorder(DesktopServices& desktop, RecordingPanelFactory panels);
    ClickPositionRecorder(const ClickPositionRecorder&) = delete;
    ClickPositionRecorder& operator=(const ClickPositionRecorder&) = delete;
    /// Tears down without calling the completion.
    ~ClickPositionRecorder();

    /// Shows the instruction panel and listens; one recording per recorder.
    void record(std::optional<std::string> targetBundleID, Completion completion);
    bool isFinished() const { return isFinished_; }

    static constexpr const char* panelTitle = "Record Click Position";
    static constexpr const char* panelText = "Click in the target app... (Esc to cancel)";

private:
    void startListening();
    void handle(const InputEvent& event);
    void handleClick(Point position);
    std::optional<Rect> targetWindow();
    void finish(std::optional<Point> position);
    void stopListening() { eventTap_.reset(); }

    DesktopServices& desktop_;
    RecordingPanelFactory panels_;
    std::unique_ptr<InputListener> eventTap_;
    std::unique_ptr<RecordingPanel> panel_;
    Completion onComplete_;
    std::optional<std::string> targetBundleID_;
    /// The target window when recording began: X11 reports a press after the fact, when a
    /// button that closes its window may already have closed it.
    std::optional<Rect> windowAtStart_;
    bool isFinished_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace keyferry
