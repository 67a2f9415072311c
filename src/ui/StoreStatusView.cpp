#include "ui/StoreStatusView.h"

#include <QLabel>
#include <QMessageBox>
#include <QVBoxLayout>

namespace keyferry {

namespace {

// Selectable and reachable with Tab, so the path can be read out and copied.
QLabel* problemLabel(const QString& name, const QString& tip, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    label->setFocusPolicy(Qt::StrongFocus);
    label->setAccessibleName(name);
    label->setToolTip(tip);
    label->setVisible(false);
    return label;
}

} // namespace

StoreStatusView::StoreStatusView(TemplateStore& store, QWidget* parent)
    : QWidget(parent), store_(store),
      loadProblem_(problemLabel(QStringLiteral("Templates file problem"),
                                QStringLiteral("The templates file found at start could not be "
                                               "read; it is kept, never overwritten"),
                                this)),
      saveProblem_(problemLabel(QStringLiteral("Save problem"),
                                QStringLiteral("The last save failed; this goes away when a "
                                               "save succeeds"),
                                this)) {
    setAccessibleName(QStringLiteral("Templates file status"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);
    layout->addWidget(loadProblem_);
    layout->addWidget(saveProblem_);
    connection_ = store_.fileStatusChanged.connect([this] { apply(); });
    apply();
}

StoreStatusView::~StoreStatusView() {
    store_.fileStatusChanged.disconnect(connection_);
}

QString StoreStatusView::saveProblemText(const std::string& error) {
    return QStringLiteral("Not saved: %1. Your changes are kept only while Keyferry runs.")
        .arg(QString::fromStdString(error));
}

QString StoreStatusView::loadProblemText(const TemplateStore::LoadFailure& failure) {
    QString text = QStringLiteral("The templates file could not be read: %1.")
                       .arg(QString::fromStdString(failure.error));
    if (failure.keptAs)
        return text + QStringLiteral(" The original was moved to %1.")
                          .arg(QString::fromStdString(failure.keptAs->string()));
    return text + QStringLiteral(" It stays untouched and will be moved aside before the first "
                                 "save.");
}

bool StoreStatusView::hasSomethingToSay() const {
    return store_.lastSaveError() || store_.loadFailure();
}

void StoreStatusView::apply() {
    const auto& failure = store_.loadFailure();
    loadProblem_->setText(failure ? loadProblemText(*failure) : QString());
    loadProblem_->setAccessibleDescription(loadProblem_->text());
    loadProblem_->setVisible(failure.has_value());

    const auto& error = store_.lastSaveError();
    saveProblem_->setText(error ? saveProblemText(*error) : QString());
    saveProblem_->setAccessibleDescription(saveProblem_->text());
    saveProblem_->setVisible(error.has_value());
    setVisible(hasSomethingToSay());
    if (error && !saveDialogShown_)
        openSaveDialog(QString::fromStdString(*error));
}

void StoreStatusView::openSaveDialog(const QString& error) {
    saveDialogShown_ = true;
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Keyferry"),
                                QStringLiteral("The templates could not be saved."),
                                QMessageBox::Ok, window());
    box->setInformativeText(
        error + QStringLiteral("\n\nYour changes are kept only while Keyferry runs. Later save "
                               "problems are shown at the bottom of the window."));
    box->setAccessibleName(QStringLiteral("Templates not saved"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    saveDialog_ = box;
    // Returns at once: the failed save may run inside a timer or an item edit, where a
    // nested event loop could start another save.
    box->open();
}

} // namespace keyferry
