#pragma once

#include <QObject>

#include "recording/RecordingPanel.h"

#include <memory>

class QWidget;

namespace keyferry {

/// The recording instruction panel on Qt: a small titled window that floats above the
/// others and never takes the focus from the target application. Escape pressed in any
/// Keyferry window while it is shown reaches the escape handler.
class RecordingPanelWidget final : public QObject, public RecordingPanel {
public:
    RecordingPanelWidget(const QString& title, const QString& text);
    ~RecordingPanelWidget() override;

    void setEscapeHandler(std::function<void()> handler) override;
    QWidget* window() const { return window_.get(); }

    /// A factory for ClickPositionRecorder.
    static RecordingPanelFactory factory();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<QWidget> window_;
    std::function<void()> onEscape_;
};

} // namespace keyferry
