#pragma once

#include <QWidget>

#include "recording/RecorderService.h"

class QGraphicsOpacityEffect;
class QLabel;
class QListWidget;
class QPropertyAnimation;

namespace keyferry {

/// The live view of a recording: that it is on, how many steps, the last detected field,
/// the keys that steer it, and the recorded steps, following the newest.
class RecorderView final : public QWidget {
    Q_OBJECT

public:
    explicit RecorderView(RecorderService& recorder, QWidget* parent = nullptr);
    ~RecorderView() override;

    QLabel* countLabel() const { return count_; }
    QLabel* detectedLabel() const { return detected_; }
    QLabel* windowManagerLabel() const { return windowManager_; }
    QLabel* hintLabel() const { return hint_; }
    /// What cannot be recorded where the recorder follows the focus only.
    QLabel* focusOnlyLabel() const { return focusOnly_; }
    QListWidget* list() const { return list_; }
    static QString hintText();
    /// The keys that steer a recording that follows the focus only (no Alt+Space there).
    static QString focusHintText();
    static QString focusOnlyText();

private:
    void refresh();

    RecorderService& recorder_;
    QLabel* dot_;
    QGraphicsOpacityEffect* dotOpacity_;
    QPropertyAnimation* pulse_;
    QLabel* count_;
    QLabel* detected_;
    QLabel* windowManager_;
    QListWidget* list_;
    QLabel* hint_;
    QLabel* focusOnly_;
    Signal<>::ConnectionId connection_;
};

} // namespace keyferry
