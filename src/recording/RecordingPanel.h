#pragma once

#include <functional>
#include <memory>
#include <string>

namespace keyferry {

/// A small always-on-top instruction window that does not take the focus from the target
/// application. It is shown while the object lives and closed when it goes away.
class RecordingPanel {
public:
    virtual ~RecordingPanel() = default;
    /// Called when the user presses Escape inside Keyferry (the panel or the main window).
    virtual void setEscapeHandler(std::function<void()> handler) = 0;
};

/// Shows a panel with a title and one line of text.
using RecordingPanelFactory = std::function<std::unique_ptr<RecordingPanel>(
    const std::string& title, const std::string& text)>;

} // namespace keyferry
