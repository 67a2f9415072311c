#include "ui/CSVPanel.h"

#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/CSVPreviewModel.h"
#include "ui/Icons.h"

#include <algorithm>

namespace keyferry {

namespace {

bool hasTextInputs(const Template& item) {
    return std::ranges::any_of(item.steps,
                               [](const Step& step) { return step.type == StepType::textInput; });
}

} // namespace

CSVPanel::CSVPanel(std::function<Template()> currentTemplate, std::function<void()> onTableChanged,
                   QWidget* parent)
    : QWidget(parent), currentTemplate_(std::move(currentTemplate)),
      onTableChanged_(std::move(onTableChanged)), exportButton_(new QPushButton(this)),
      copyButton_(new QToolButton(this)), importButton_(new QPushButton(this)),
      counterButton_(new QPushButton(this)), message_(new QLabel(this)), hint_(new QLabel(this)),
      preview_(new QTableView(this)), moreRows_(new QLabel(this)), previewArea_(new QWidget(this)),
      previewModel_(new CSVPreviewModel(this)) {
    setAcceptDrops(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* bar = new QWidget(this);
    bar->setAutoFillBackground(true);
    bar->setBackgroundRole(QPalette::AlternateBase);
    auto* toolbar = new QHBoxLayout(bar);
    toolbar->setContentsMargins(16, 8, 16, 8);
    toolbar->setSpacing(16);

    exportButton_->setIcon(symbolIcon("square.and.arrow.up"));
    exportButton_->setText(QStringLiteral("CSV Export"));
    exportButton_->setToolTip(
        QStringLiteral("Save a CSV file with the header this template expects"));
    exportButton_->setAccessibleName(QStringLiteral("CSV Export"));
    connect(exportButton_, &QPushButton::clicked, this, &CSVPanel::chooseExportDestination);
    toolbar->addWidget(exportButton_);

    copyButton_->setIcon(symbolIcon("doc.on.clipboard"));
    copyButton_->setToolTip(QStringLiteral("Copy header to clipboard"));
    copyButton_->setAccessibleName(QStringLiteral("Copy header to clipboard"));
    connect(copyButton_, &QToolButton::clicked, this, &CSVPanel::copyHeader);
    toolbar->addWidget(copyButton_);

    auto* separator = new QFrame(bar);
    separator->setFrameShape(QFrame::VLine);
    separator->setFixedHeight(20);
    toolbar->addWidget(separator);

    importButton_->setIcon(symbolIcon("square.and.arrow.down"));
    importButton_->setText(QStringLiteral("CSV Import"));
    importButton_->setToolTip(
        QStringLiteral("Load a semicolon-separated CSV file (you can also drop one here)"));
    importButton_->setAccessibleName(QStringLiteral("CSV Import"));
    connect(importButton_, &QPushButton::clicked, this, &CSVPanel::chooseFileToImport);
    toolbar->addWidget(importButton_);
    toolbar->addStretch();

    counterButton_->setFlat(true);
    counterButton_->setToolTip(QStringLiteral("Show or hide the preview"));
    counterButton_->setLayoutDirection(Qt::RightToLeft); // the chevron after the text
    connect(counterButton_, &QPushButton::clicked, this, &CSVPanel::togglePreview);
    toolbar->addWidget(counterButton_);

    QPalette orange = message_->palette();
    orange.setColor(QPalette::WindowText, QColor(0xE6, 0x7E, 0x22));
    message_->setPalette(orange);
    QFont caption = message_->font();
    caption.setPointSizeF(caption.pointSizeF() * 0.85);
    message_->setFont(caption);
    message_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    message_->setWordWrap(true);
    toolbar->addWidget(message_, 1);

    hint_->setText(QStringLiteral("No text input step in template"));
    hint_->setFont(caption);
    hint_->setForegroundRole(QPalette::PlaceholderText);
    toolbar->addWidget(hint_);
    layout->addWidget(bar);

    auto* previewLayout = new QVBoxLayout(previewArea_);
    previewLayout->setContentsMargins(8, 8, 8, 8);
    previewLayout->setSpacing(4);
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPointSizeF(caption.pointSizeF());
    preview_->setFont(mono);
    preview_->setModel(previewModel_);
    preview_->verticalHeader()->hide();
    preview_->horizontalHeader()->setMinimumSectionSize(40);
    preview_->horizontalHeader()->setDefaultSectionSize(100);
    preview_->setShowGrid(false);
    preview_->setWordWrap(false);
    preview_->setTextElideMode(Qt::ElideRight);
    preview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    preview_->setMaximumHeight(200);
    preview_->setAccessibleName(QStringLiteral("CSV preview"));
    preview_->setToolTip(QStringLiteral("The first 100 rows of the imported file"));
    previewLayout->addWidget(preview_);
    moreRows_->setForegroundRole(QPalette::PlaceholderText);
    moreRows_->setFont(mono);
    previewLayout->addWidget(moreRows_);
    layout->addWidget(previewArea_);

    refresh();
}

void CSVPanel::templateChanged() {
    refresh();
}

void CSVPanel::refresh() {
    const bool inputs = hasTextInputs(currentTemplate_());
    exportButton_->setEnabled(inputs);
    copyButton_->setEnabled(inputs);
    hint_->setVisible(!inputs);

    const auto& table = state_.csvData;
    counterButton_->setVisible(table.has_value());
    if (table) {
        counterButton_->setText(QStringLiteral("%1 entries").arg(table->rowCount()));
        counterButton_->setIcon(symbolIcon(state_.showPreview ? "chevron.up" : "chevron.down"));
        counterButton_->setAccessibleName(
            QStringLiteral("%1 entries, %2 preview")
                .arg(table->rowCount())
                .arg(state_.showPreview ? QStringLiteral("hide") : QStringLiteral("show")));
    }
    message_->setVisible(state_.validationError.has_value());
    if (state_.validationError) {
        message_->setText(QStringLiteral("\u26A0 ") +
                          QString::fromStdString(*state_.validationError));
        message_->setAccessibleName(QString::fromStdString(*state_.validationError));
        // The reader's full account (reason, help, row index) helps find the faulty row.
        message_->setToolTip(
            QString::fromStdString(state_.failureDetail.value_or(*state_.validationError)));
    }
    const bool previewShown = state_.showPreview && table.has_value();
    previewArea_->setVisible(previewShown);
    const std::size_t rows = table ? table->rowCount() : 0;
    moreRows_->setVisible(rows > CSVPreviewModel::shownRows);
    moreRows_->setText(
        QStringLiteral("... and %1 more rows")
            .arg(rows > CSVPreviewModel::shownRows ? rows - CSVPreviewModel::shownRows : 0));
}

void CSVPanel::loadFile(const QString& path) {
    // Reading a large file takes a moment: say so.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto outcome = loadCSV(path.toStdString(), currentTemplate_());
    QApplication::restoreOverrideCursor();
    previewModel_->setTable(nullptr);
    const bool imported = outcome.csvData.has_value();
    std::move(outcome).applyTo(state_);
    if (imported) // a failed import may leave the earlier table, and with it its file
        loadedFile_ = std::filesystem::path(path.toStdString());
    else if (!state_.csvData)
        loadedFile_.clear();
    previewModel_->setTable(state_.csvData ? &*state_.csvData : nullptr);
    refresh();
    if (onTableChanged_)
        onTableChanged_();
}

void CSVPanel::exportTo(const QString& path) {
    if (const auto error = writeHeaderFile(path.toStdString(), currentTemplate_())) {
        state_.validationError = "Export failed: " + *error;
        state_.failureDetail.reset();
        refresh();
    }
}

void CSVPanel::copyHeader() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(QString::fromStdString(headerLine(currentTemplate_())));
}

void CSVPanel::togglePreview() {
    state_.showPreview = !state_.showPreview;
    refresh();
}

void CSVPanel::chooseFileToImport() {
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("CSV Import"), QString(),
                                                      QStringLiteral("CSV files (*.csv *.CSV)"));
    if (!path.isEmpty())
        loadFile(path);
}

void CSVPanel::chooseExportDestination() {
    const QString proposed =
        QString::fromStdString(currentTemplate_().name) + QStringLiteral(".csv");
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("CSV Export"), proposed,
                                                      QStringLiteral("CSV files (*.csv)"));
    if (!path.isEmpty())
        exportTo(path);
}

void CSVPanel::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls() && !event->mimeData()->urls().isEmpty())
        event->acceptProposedAction();
}

void CSVPanel::dropEvent(QDropEvent* event) {
    const auto urls = event->mimeData()->urls();
    if (urls.isEmpty())
        return;
    event->acceptProposedAction();
    const QUrl& first = urls.first(); // only the first of several files
    if (!first.isLocalFile())
        return;
    const QString path = first.toLocalFile();
    if (QFileInfo(path).suffix().toLower() == QStringLiteral("csv"))
        loadFile(path);
}

} // namespace keyferry
