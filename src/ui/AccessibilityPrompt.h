#pragma once

#include <QWidget>

#include "automation/AccessibilityChecker.h"
#include "automation/DesktopServices.h"

class QLabel;
class QPushButton;

namespace keyferry {

class CapabilityNoticeView;

/// Covers the main window while Keyferry may not type into other applications, lists what
/// the desktop lacks with why and what to do, and goes away by itself once typing is
/// allowed. It cannot be dismissed.
class AccessibilityPrompt final : public QWidget {
    Q_OBJECT

public:
    AccessibilityPrompt(DesktopServices& desktop, AccessibilityChecker& checker, QWidget* parent);
    ~AccessibilityPrompt() override;

    QPushButton* enableButton() const { return enableButton_; }
    CapabilityNoticeView* notice() const { return notice_; }
    /// Shows or hides the prompt for the current status.
    void follow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    DesktopServices& desktop_;
    AccessibilityChecker& checker_;
    QPushButton* enableButton_;
    CapabilityNoticeView* notice_ = nullptr;
    QLabel* granted_;
    Signal<bool>::ConnectionId connection_;
};

} // namespace keyferry
