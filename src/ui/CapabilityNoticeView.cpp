#include "ui/CapabilityNoticeView.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/CoreText.h"
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
    const QString title =
        tr("Not available on this desktop (%1)").arg(translatedCoreText(desktopName(notice->kind)));
    title_->setText(title);
    title_->setAccessibleName(title);
    for (const MissingCapabilities& missing : notice->lines) {
        QStringList names;
        for (const Capability capability : missing.capabilities)
            names << translatedCoreText(capabilityName(capability));
        QString named = names.join(
            QCoreApplication::translate("keyferry::CoreText", ", ", "a joint of a list"));
        if (!named.isEmpty())
            named[0] = named[0].toUpper();
        const QString remedy = translatedCoreText(missing.remedy);
        // Parts filled in one pass: a reason from the bus may hold "%1".
        const QString text =
            tr("%1: %2. What you can do: %3.").arg(named, translatedCoreText(missing.why), remedy);
        auto* line = new QLabel(text, this);
        line->setWordWrap(true);
        // Reachable by Tab and readable, like any text a screen reader should find.
        line->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
        line->setFocusPolicy(Qt::StrongFocus); // after the flags, which set their own
        line->setAccessibleName(named);
        line->setAccessibleDescription(text);
        line->setToolTip(tr("What you can do: %1").arg(remedy));
        linesLayout_->addWidget(line);
        lines_.push_back(line);
    }
    setVisible(!hiddenByUser_);
}

} // namespace keyferry
