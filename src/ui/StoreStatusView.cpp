#include "ui/StoreStatusView.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QVBoxLayout>

#include "ui/Icons.h"

namespace keyferry {

namespace {

// Selectable and reachable with Tab, so the path can be read out and copied; a warning
// sign before it. Shown and hidden with its row.
QLabel* problemLabel(const QString& name, const QString& tip, QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* sign = new QLabel(row);
    sign->setPixmap(
        symbolIcon("exclamationmark.triangle.fill", QColor(0xE6, 0x7E, 0x22)).pixmap(14, 14));
    sign->setAccessibleName(QCoreApplication::translate("keyferry::StoreStatusView", "Warning"));
    sign->setToolTip(tip);
    layout->addWidget(sign, 0, Qt::AlignTop);
    auto* label = new QLabel(row);
    layout->addWidget(label, 1, Qt::AlignTop);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    label->setFocusPolicy(Qt::StrongFocus);
    label->setAccessibleName(name);
    label->setToolTip(tip);
    row->setVisible(false);
    return label;
}

} // namespace

StoreStatusView::StoreStatusView(TemplateStore& store, QWidget* parent)
    : QFrame(parent), store_(store),
      loadProblem_(problemLabel(tr("Templates file problem"),
                                tr("The templates file found at start could not be "
                                   "read; it is kept, never overwritten"),
                                this)),
      saveProblem_(problemLabel(tr("Save problem"),
                                tr("The last save failed; this goes away when a "
                                   "save succeeds"),
                                this)) {
    setFrameShape(QFrame::StyledPanel);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    setAccessibleName(tr("Templates file status"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 6, 12, 6);
    layout->setSpacing(4);
    layout->addWidget(loadProblem_->parentWidget());
    layout->addWidget(saveProblem_->parentWidget());
    connection_ = store_.fileStatusChanged.connect([this] { apply(); });
    apply();
}

StoreStatusView::~StoreStatusView() {
    store_.fileStatusChanged.disconnect(connection_);
}

QString StoreStatusView::saveProblemText(const std::string& error) {
    return tr("Not saved: %1. Your changes are kept only while Keyferry runs.")
        .arg(QString::fromStdString(error));
}

QString StoreStatusView::loadProblemText(const std::filesystem::path& file,
                                         const TemplateStore::LoadFailure& failure) {
    QString text =
        tr("The templates file %1 could not be read: %2.")
            .arg(QString::fromStdString(file.string()), QString::fromStdString(failure.error));
    if (failure.keptAs)
        return text + tr(" The original was moved to %1.")
                          .arg(QString::fromStdString(failure.keptAs->string()));
    return text + tr(" It stays untouched and will be moved aside before the first "
                     "save.");
}

bool StoreStatusView::hasSomethingToSay() const {
    return store_.lastSaveError() || store_.loadFailure();
}

void StoreStatusView::apply() {
    const auto& failure = store_.loadFailure();
    loadProblem_->setText(failure ? loadProblemText(store_.storageURL(), *failure) : QString());
    loadProblem_->setAccessibleDescription(loadProblem_->text());
    loadProblem_->parentWidget()->setVisible(failure.has_value());

    const auto& error = store_.lastSaveError();
    saveProblem_->setText(error ? saveProblemText(*error) : QString());
    saveProblem_->setAccessibleDescription(saveProblem_->text());
    saveProblem_->parentWidget()->setVisible(error.has_value());
    setVisible(hasSomethingToSay());
    if (error && !saveDialogShown_)
        openSaveDialog(QString::fromStdString(*error));
}

void StoreStatusView::openSaveDialog(const QString& error) {
    saveDialogShown_ = true;
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Keyferry"),
                                tr("The templates could not be saved."), QMessageBox::Ok, window());
    box->setInformativeText(error +
                            tr("\n\nYour changes are kept only while Keyferry runs. Later save "
                               "problems are shown at the bottom of the window."));
    box->setAccessibleName(tr("Templates not saved"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    saveDialog_ = box;
    // Returns at once: the failed save may run inside a timer or an item edit, where a
    // nested event loop could start another save.
    box->open();
}

} // namespace keyferry
