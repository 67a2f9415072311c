#include "ui/AccessibilityPrompt.h"

#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/DesktopServicesLoader.h"
#include "ui/CapabilityNoticeView.h"
#include "ui/Icons.h"

namespace keyferry {

AccessibilityPrompt::AccessibilityPrompt(DesktopServices& desktop, AccessibilityChecker& checker,
                                         QWidget* parent)
    : QWidget(parent), desktop_(desktop), checker_(checker), enableButton_(new QPushButton(this)),
      granted_(new QLabel(this)) {
    setAttribute(Qt::WA_StyledBackground);
    setFocusPolicy(Qt::StrongFocus);
    auto* outer = new QVBoxLayout(this);
    auto* card = new QFrame(this);
    card->setFrameShape(QFrame::StyledPanel);
    card->setAutoFillBackground(true);
    card->setFixedWidth(520);
    outer->addWidget(card, 0, Qt::AlignCenter);

    auto* layout = new QVBoxLayout(card);
    layout->setContentsMargins(40, 40, 40, 40);
    layout->setSpacing(20);
    auto* hand = new QLabel(card);
    hand->setPixmap(symbolIcon("hand.raised.fill", QColor(0x25, 0x63, 0xEB)).pixmap(48, 48));
    hand->setAlignment(Qt::AlignCenter);
    layout->addWidget(hand);
    auto* title = new QLabel(tr("Accessibility Permission Required"), card);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.4);
    title->setFont(bold);
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    auto* why = new QLabel(
        tr("Keyferry needs accessibility access to simulate keyboard input in other apps."), card);
    why->setWordWrap(true);
    why->setAlignment(Qt::AlignCenter);
    why->setForegroundRole(QPalette::PlaceholderText);
    layout->addWidget(why);

    // What is missing and what to do, from the desktop's own description.
    notice_ = new CapabilityNoticeView(false, card);
    layout->addWidget(notice_);

    enableButton_->setText(tr("Enable Assistive Technologies"));
    enableButton_->setDefault(true);
    enableButton_->setAccessibleName(tr("Enable Assistive Technologies"));
    enableButton_->setToolTip(
        tr("Asks the desktop to turn on assistive technologies for every application"));
    connect(enableButton_, &QPushButton::clicked, this, [this] {
        desktop_.isTrustedWithPrompt();
        checker_.startMonitoring(2);
    });
    layout->addWidget(enableButton_, 0, Qt::AlignCenter);

    granted_->setText(tr("✔ Permission granted!"));
    QPalette green = granted_->palette();
    green.setColor(QPalette::WindowText, QColor(0x2E, 0xA0, 0x43));
    granted_->setPalette(green);
    granted_->setAlignment(Qt::AlignCenter);
    layout->addWidget(granted_);

    parent->installEventFilter(this); // keeps covering the window as it is resized
    connection_ = checker_.isGrantedChanged.connect([this](bool) { follow(); });
    follow();
}

AccessibilityPrompt::~AccessibilityPrompt() {
    checker_.isGrantedChanged.disconnect(connection_);
}

void AccessibilityPrompt::follow() {
    const bool granted = checker_.isGranted();
    granted_->setVisible(granted);
    setGeometry(parentWidget()->rect());
    setVisible(!granted);
    // Nothing behind the prompt can be reached by keyboard or mouse while it shows.
    for (QWidget* sibling :
         parentWidget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (sibling != this)
            sibling->setEnabled(granted);
    if (!granted) {
        notice_->show(capabilityNotice(describeDesktop(desktop_)));
        raise();
        enableButton_->setFocus();
    }
}

bool AccessibilityPrompt::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

void AccessibilityPrompt::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0, 0, 0, 110));
}

void AccessibilityPrompt::keyPressEvent(QKeyEvent* event) {
    // Escape does not dismiss it: only the grant does.
    event->accept();
}

} // namespace keyferry
