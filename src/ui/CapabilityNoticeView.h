#pragma once

#include <QFrame>

#include "automation/DesktopDescription.h"

#include <optional>

class QLabel;
class QToolButton;
class QVBoxLayout;

namespace keyferry {

/// Lists what this desktop lacks, each line with why and what the user can do, under the
/// desktop's name. Hidden when nothing is missing or when the user hides it.
class CapabilityNoticeView final : public QFrame {
    Q_OBJECT

public:
    /// `hideable`: a Hide button (in the main window); none inside the permission card.
    CapabilityNoticeView(bool hideable, QWidget* parent);

    /// Shows the notice's lines, or hides the view when there is no notice.
    void show(const std::optional<CapabilityNotice>& notice);
    QLabel* title() const { return title_; }
    /// One label per line of the notice, in order.
    const std::vector<QLabel*>& lines() const { return lines_; }
    QToolButton* hideButton() const { return hide_; }

private:
    QLabel* title_;
    QVBoxLayout* linesLayout_;
    std::vector<QLabel*> lines_;
    QToolButton* hide_ = nullptr;
    bool hiddenByUser_ = false;
};

} // namespace keyferry
