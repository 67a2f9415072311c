#include "ui/RecordingPanelWidget.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

namespace keyferry {

RecordingPanelWidget::RecordingPanelWidget(const QString& title, const QString& text)
    : window_(std::make_unique<QWidget>(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint |
                                                     Qt::WindowDoesNotAcceptFocus)) {
    window_->setWindowTitle(title);
    window_->setAttribute(Qt::WA_ShowWithoutActivating);
    window_->setFixedSize(320, 50);
    auto* label = new QLabel(text, window_.get());
    label->setAlignment(Qt::AlignCenter);
    label->setAccessibleName(text);
    auto* layout = new QVBoxLayout(window_.get());
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(label);
    window_->setAccessibleName(title);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window_->move(screen->availableGeometry().center() - window_->rect().center());
    window_->show();
    // Escape anywhere in Keyferry cancels, as long as the panel is up.
    qApp->installEventFilter(this);
}

RecordingPanelWidget::~RecordingPanelWidget() {
    if (qApp)
        qApp->removeEventFilter(this);
}

void RecordingPanelWidget::setEscapeHandler(std::function<void()> handler) {
    onEscape_ = std::move(handler);
}

bool RecordingPanelWidget::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && onEscape_) {
        // The handler closes this panel: run it after the event is done with us.
        QTimer::singleShot(0, this, [handler = onEscape_] { handler(); });
        return true;
    }
    return QObject::eventFilter(watched, event);
}

RecordingPanelFactory RecordingPanelWidget::factory() {
    return
        [](const std::string& title, const std::string& text) -> std::unique_ptr<RecordingPanel> {
            return std::make_unique<RecordingPanelWidget>(QString::fromStdString(title),
                                                          QString::fromStdString(text));
        };
}

} // namespace keyferry
