#include "ui/RecorderView.h"

#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPropertyAnimation>
#include <QVBoxLayout>

#include "ui/CoreText.h"
#include "ui/Icons.h"

namespace keyferry {

namespace {

QPixmap redDot() {
    QPixmap pixmap(10, 10);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0xDC, 0x26, 0x26));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(0, 0, 10, 10);
    return pixmap;
}

} // namespace

QString RecorderView::hintText() {
    return tr("Tab = navigate  |  Alt+Space = toggle field type  |  Esc = stop");
}

QString RecorderView::focusHintText() {
    return tr("Tab = next field  |  Esc = stop");
}

QString RecorderView::focusOnlyText() {
    return tr(
        "This desktop does not show Keyferry your keys and clicks, so steps come from the "
        "fields you move to. Return, arrow keys and clicks are not recorded: add them by hand "
        "afterwards. Click positions cannot be recorded here either: Wayland does not tell "
        "applications where the pointer is.");
}

RecorderView::RecorderView(RecorderService& recorder, QWidget* parent)
    : QWidget(parent), recorder_(recorder), dot_(new QLabel(this)),
      dotOpacity_(new QGraphicsOpacityEffect(dot_)),
      pulse_(new QPropertyAnimation(dotOpacity_, "opacity", this)), count_(new QLabel(this)),
      detected_(new QLabel(this)), windowManager_(new QLabel(this)), list_(new QListWidget(this)),
      hint_(new QLabel(this)), focusOnly_(new QLabel(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->setSpacing(8);

    auto* header = new QHBoxLayout;
    dot_->setPixmap(redDot());
    dot_->setGraphicsEffect(dotOpacity_);
    dot_->setAccessibleName(tr("Recording"));
    dot_->setToolTip(tr("Recording is on"));
    header->addWidget(dot_);
    auto* title = new QLabel(tr("Recording..."), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    title->setAccessibleName(tr("Recording"));
    title->setToolTip(tr("Keyferry is recording the steps you take in the form"));
    header->addWidget(title);
    count_->setForegroundRole(QPalette::PlaceholderText);
    count_->setAccessibleName(tr("Number of recorded steps"));
    count_->setToolTip(tr("How many steps have been recorded"));
    header->addWidget(count_);
    header->addStretch();
    layout->addLayout(header);

    const bool focusOnly = recorder_.followsFocusOnly();
    hint_->setText(focusOnly ? focusHintText() : hintText());
    QFont caption = hint_->font();
    caption.setPointSizeF(caption.pointSizeF() * 0.85);
    hint_->setFont(caption);
    hint_->setForegroundRole(QPalette::PlaceholderText);
    hint_->setAccessibleName(tr("Recording keys"));
    hint_->setToolTip(tr("The keys that steer the recording"));
    layout->addWidget(hint_);

    focusOnly_->setText(focusOnlyText());
    focusOnly_->setFont(caption);
    focusOnly_->setWordWrap(true);
    focusOnly_->setAccessibleName(tr("What cannot be recorded here"));
    focusOnly_->setToolTip(tr("Add Return, arrow key and click steps in the template editor"));
    focusOnly_->setVisible(focusOnly);
    layout->addWidget(focusOnly_);

    QPalette blue = detected_->palette();
    blue.setColor(QPalette::WindowText, QColor(0x25, 0x63, 0xEB));
    detected_->setPalette(blue);
    detected_->setFont(caption);
    detected_->setAccessibleName(tr("Detected field"));
    detected_->setToolTip(tr("The field the last step was named after"));
    layout->addWidget(detected_);

    windowManager_->setFont(caption);
    windowManager_->setForegroundRole(QPalette::PlaceholderText);
    windowManager_->setWordWrap(true);
    windowManager_->setAccessibleName(tr("Alt+Space warning"));
    windowManager_->setToolTip(tr("Another program also takes Alt+Space while Keyferry records"));
    windowManager_->setText(
        tr("Alt+Space also reaches the window manager here (it may open its window menu; "
           "press Esc to close it)."));
    layout->addWidget(windowManager_);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    layout->addWidget(line);
    list_->setAccessibleName(tr("Recorded steps"));
    list_->setToolTip(tr("The steps recorded so far"));
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(list_, 1);

    pulse_->setDuration(600);
    pulse_->setStartValue(1.0);
    pulse_->setEndValue(0.3);
    pulse_->setEasingCurve(QEasingCurve::InOutQuad);
    pulse_->setLoopCount(-1);
    connect(pulse_, &QPropertyAnimation::currentLoopChanged, this, [this](int loop) {
        pulse_->setDirection(loop % 2 ? QAbstractAnimation::Backward : QAbstractAnimation::Forward);
    });

    connection_ = recorder_.changed.connect([this] { refresh(); });
    refresh();
}

RecorderView::~RecorderView() {
    recorder_.changed.disconnect(connection_);
}

void RecorderView::refresh() {
    const bool recording = recorder_.state() == RecorderState::recording;
    if (recording && pulse_->state() != QAbstractAnimation::Running)
        pulse_->start();
    if (!recording) {
        pulse_->stop();
        dotOpacity_->setOpacity(0.3);
    }
    const auto& steps = recorder_.recordedSteps();
    count_->setText(tr("%n steps", nullptr, static_cast<int>(steps.size())));
    const auto& label = recorder_.lastDetectedLabel();
    detected_->setVisible(label.has_value());
    if (label)
        detected_->setText(tr("⌶ Detected: ") + QString::fromStdString(*label));
    windowManager_->setVisible(recorder_.optionSpaceAlsoReachesOthers());

    const int before = list_->count();
    list_->clear();
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const Step& step = steps[i];
        const bool input = step.type == StepType::textInput;
        QString text = QStringLiteral("%1   %2").arg(i + 1).arg(displayText(step.type));
        if (input)
            text += QStringLiteral("   ") + QString::fromStdString(step.label);
        auto* item = new QListWidgetItem(
            symbolIcon(iconSymbol(step.type), input ? QColor(0x25, 0x63, 0xEB) : QColor()), text,
            list_);
        if (input)
            item->setForeground(QColor(0x25, 0x63, 0xEB));
    }
    if (list_->count() != before && list_->count() > 0)
        list_->scrollToBottom(); // the newest step stays in view
}

} // namespace keyferry
