#include "ui/CapabilityNoticeView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/Icons.h"

namespace keyferry {

CapabilityNoticeView::CapabilityNoticeView(bool hideable, QWidget* parent)
    : QFrame(parent), title_(new QLabel(this)), linesLayout_(new QVBoxLayout) {
    setFrameShape(QFrame::StyledPanel);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    setAccessibleName(tr("What this desktop lacks"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 8, 12, 8);
    layout->setSpacing(6);
    auto* header = new QHBoxLayout;
    auto* icon = new QLabel(this);
    icon->setPixmap(
        symbolIcon("exclamationmark.triangle.fill", QColor(0xE6, 0x7E, 0x22)).pixmap(18, 18));
    header->addWidget(icon);
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    title_->setWordWrap(true);
    header->addWidget(title_, 1);
    if (hideable) {
        hide_ = new QToolButton(this);
        hide_->setText(tr("Hide"));
        hide_->setAccessibleName(tr("Hide what this desktop lacks"));
        hide_->setToolTip(tr("Hide this list until Keyferry starts again"));
        connect(hide_, &QToolButton::clicked, this, [this] {
            hiddenByUser_ = true;
            setVisible(false);
        });
        header->addWidget(hide_);
    }
    layout->addLayout(header);
    linesLayout_->setSpacing(4);
    layout->addLayout(linesLayout_);
    setVisible(false);
}

void CapabilityNoticeView::show(const std::optional<CapabilityNotice>& notice) {
    for (QLabel* line : lines_)
        delete line;
    lines_.clear();
    if (!notice) {
        setVisible(false);
        return;
    }
    title_->setText(QString::fromStdString(notice->title));
    title_->setAccessibleName(QString::fromStdString(notice->title));
    for (const MissingCapabilities& missing : notice->lines) {
        const QString text = QString::fromStdString(formatMissing(missing));
        auto* line = new QLabel(text, this);
        line->setWordWrap(true);
        // Reachable by Tab and readable, like any text a screen reader should find.
        line->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
        line->setFocusPolicy(Qt::StrongFocus); // after the flags, which set their own
        line->setAccessibleName(QString::fromStdString(missing.names));
        line->setAccessibleDescription(text);
        line->setToolTip(tr("What you can do: %1").arg(QString::fromStdString(missing.remedy)));
        linesLayout_->addWidget(line);
        lines_.push_back(line);
    }
    setVisible(!hiddenByUser_);
}

} // namespace keyferry
