#include "ui/CSVPanel.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
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

#include "csv/PastedRows.h"
#include "ui/CSVPreviewModel.h"
#include "ui/CoreText.h"
#include "ui/Icons.h"

#include <algorithm>

namespace keyferry {

namespace {

bool hasTextInputs(const Template& item) {
    return std::ranges::any_of(item.steps,
                               [](const Step& step) { return step.type == StepType::textInput; });
}

// The separator choices in the order of the box: what Automatic leaves to the header line,
// then the separators.
struct SeparatorChoice {
    std::optional<Separator> separator;
    const char* label;
};
const SeparatorChoice separatorChoices[] = {
    {std::nullopt, QT_TRANSLATE_NOOP("keyferry::CSVPanel", "Automatic")},
    {Separator::semicolon, QT_TRANSLATE_NOOP("keyferry::CSVPanel", "Semicolon")},
    {Separator::comma, QT_TRANSLATE_NOOP("keyferry::CSVPanel", "Comma")},
    {Separator::tab, QT_TRANSLATE_NOOP("keyferry::CSVPanel", "Tab")},
    {Separator::pipe, QT_TRANSLATE_NOOP("keyferry::CSVPanel", "Pipe")}};

QLabel* buddyLabel(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy); // the mnemonic moves the focus to the box
    return label;
}

} // namespace

CSVPanel::CSVPanel(std::function<Template()> currentTemplate, std::function<void()> onTableChanged,
                   QWidget* parent)
    : QWidget(parent), currentTemplate_(std::move(currentTemplate)),
      onTableChanged_(std::move(onTableChanged)), exportButton_(new QPushButton(this)),
      copyButton_(new QToolButton(this)), importButton_(new QPushButton(this)),
      counterButton_(new QPushButton(this)), message_(new QLabel(this)), hint_(new QLabel(this)),
      preview_(new QTableView(this)), moreRows_(new QLabel(this)), previewArea_(new QWidget(this)),
      previewModel_(new CSVPreviewModel(this)), readingRow_(new QWidget(this)),
      readLabel_(new QLabel(this)), separatorBox_(new QComboBox(this)),
      sheetBox_(new QComboBox(this)), fallbackLabel_(new QLabel(this)),
      pasteAction_(new QAction(tr("Paste Rows"), this)) {
    setAcceptDrops(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* bar = new QWidget(this);
    bar->setAutoFillBackground(true);
    bar->setBackgroundRole(QPalette::AlternateBase);
    auto* barLayout = new QVBoxLayout(bar);
    barLayout->setContentsMargins(16, 8, 16, 8);
    barLayout->setSpacing(6);
    auto* toolbar = new QHBoxLayout;
    toolbar->setContentsMargins(0, 0, 0, 0);
    toolbar->setSpacing(16);

    exportButton_->setIcon(symbolIcon("square.and.arrow.up"));
    exportButton_->setText(tr("CSV Export"));
    exportButton_->setToolTip(tr("Save a CSV file with the header this template expects"));
    exportButton_->setAccessibleName(tr("CSV Export"));
    connect(exportButton_, &QPushButton::clicked, this, &CSVPanel::chooseExportDestination);
    toolbar->addWidget(exportButton_);

    copyButton_->setIcon(symbolIcon("doc.on.clipboard"));
    copyButton_->setToolTip(tr("Copy header to clipboard"));
    copyButton_->setAccessibleName(tr("Copy header to clipboard"));
    connect(copyButton_, &QToolButton::clicked, this, &CSVPanel::copyHeader);
    toolbar->addWidget(copyButton_);

    auto* separator = new QFrame(bar);
    separator->setFrameShape(QFrame::VLine);
    separator->setFixedHeight(20);
    toolbar->addWidget(separator);

    importButton_->setIcon(symbolIcon("square.and.arrow.down"));
    importButton_->setText(tr("CSV Import"));
    importButton_->setToolTip(tr("Load a CSV file or an .xlsx or .ods workbook (you "
                                 "can also drop one here, or paste rows with Ctrl+V)"));
    importButton_->setAccessibleName(tr("CSV Import"));
    connect(importButton_, &QPushButton::clicked, this, &CSVPanel::chooseFileToImport);
    toolbar->addWidget(importButton_);
    toolbar->addStretch();

    counterButton_->setFlat(true);
    counterButton_->setToolTip(tr("Show or hide the preview"));
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

    hint_->setText(tr("No text input step in template"));
    hint_->setFont(caption);
    hint_->setForegroundRole(QPalette::PlaceholderText);
    toolbar->addWidget(hint_);
    barLayout->addLayout(toolbar);

    // How the table was read, and what to change when it was read wrong.
    auto* reading = new QHBoxLayout(readingRow_);
    reading->setContentsMargins(0, 0, 0, 0);
    reading->setSpacing(8);
    readLabel_->setFont(caption);
    readLabel_->setWordWrap(true);
    readLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    for (const auto& choice : separatorChoices)
        separatorBox_->addItem(tr(choice.label));
    separatorBox_->setAccessibleName(tr("Separator"));
    separatorBox_->setToolTip(
        tr("The character between the fields of the file; choosing one reads the file again"));
    connect(separatorBox_, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && index < static_cast<int>(std::size(separatorChoices))) {
            import_.chooseSeparator(separatorChoices[index].separator, currentTemplate_());
            tableReplaced();
        }
    });
    separatorCaption_ = buddyLabel(tr("&Separator:"), separatorBox_, readingRow_);
    reading->addWidget(separatorCaption_);
    reading->addWidget(separatorBox_);
    sheetBox_->setAccessibleName(tr("Sheet"));
    sheetBox_->setToolTip(tr("The sheet of the workbook whose rows are imported"));
    sheetBox_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(sheetBox_, &QComboBox::activated, this, [this](int index) {
        if (index >= 0) {
            import_.chooseSheet(sheetBox_->itemText(index).toStdString(), currentTemplate_());
            tableReplaced();
        }
    });
    sheetCaption_ = buddyLabel(tr("Shee&t:"), sheetBox_, readingRow_);
    reading->addWidget(sheetCaption_);
    reading->addWidget(sheetBox_);
    fallbackLabel_->setFont(caption);
    fallbackLabel_->setWordWrap(true);
    fallbackLabel_->setPalette(orange);
    fallbackLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // The text after the boxes, so they stay in place whatever it says.
    reading->addWidget(readLabel_, 1);
    reading->addWidget(fallbackLabel_, 1);
    barLayout->addWidget(readingRow_);
    layout->addWidget(bar);

    // Tab follows the rows as they are seen: the reading's boxes before the preview.
    setTabOrder(counterButton_, separatorBox_);
    setTabOrder(separatorBox_, sheetBox_);
    setTabOrder(sheetBox_, preview_);

    // Ctrl+V pastes rows only while the focus is in the panel: elsewhere it pastes text.
    pasteAction_->setShortcut(QKeySequence::Paste);
    pasteAction_->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    pasteAction_->setToolTip(tr("Take the rows on the clipboard, copied from a "
                                "spreadsheet with the header row, as the table"));
    connect(pasteAction_, &QAction::triggered, this, &CSVPanel::pasteFromClipboard);
    addAction(pasteAction_);

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
    preview_->setAccessibleName(tr("CSV preview"));
    preview_->setToolTip(tr("The first 100 rows of the imported file"));
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

    const CSVImportState& state = import_.state();
    const auto& table = state.csvData;
    counterButton_->setVisible(table.has_value());
    if (table) {
        counterButton_->setText(tr("%n entries", nullptr, static_cast<int>(table->rowCount())));
        counterButton_->setIcon(symbolIcon(state.showPreview ? "chevron.up" : "chevron.down"));
        counterButton_->setAccessibleName(
            state.showPreview
                ? tr("%n entries, hide preview", nullptr, static_cast<int>(table->rowCount()))
                : tr("%n entries, show preview", nullptr, static_cast<int>(table->rowCount())));
    }
    message_->setVisible(state.validationError.has_value());
    if (state.validationError) {
        const QString error = translatedCoreText(*state.validationError);
        message_->setText(QStringLiteral("\u26A0 ") + error);
        message_->setAccessibleName(error);
        // The reader's full account (reason, help, row index) helps find the faulty row; it
        // stays in the reader's English, as its technical terms are searched for as they are.
        message_->setToolTip(state.failureDetail ? QString::fromStdString(*state.failureDetail)
                                                 : error);
    }
    const bool previewShown = state.showPreview && table.has_value();
    previewArea_->setVisible(previewShown);
    const std::size_t rows = table ? table->rowCount() : 0;
    moreRows_->setVisible(rows > CSVPreviewModel::shownRows);
    moreRows_->setText(
        tr("... and %n more rows", nullptr,
           static_cast<int>(rows > CSVPreviewModel::shownRows ? rows - CSVPreviewModel::shownRows
                                                              : 0)));
    refreshReading();
}

void CSVPanel::refreshReading() {
    using Source = TableImport::Source;
    const Source source = import_.source();
    readingRow_->setVisible(source != Source::none);

    const TableReadNotes& notes = import_.notes();
    QString read = translatedCoreText(import_.readDescription());
    if (source == Source::file && notes.separatorNote)
        read += QStringLiteral(" \u2014 ") + translatedCoreText(*notes.separatorNote);
    readLabel_->setText(read);
    readLabel_->setAccessibleName(read);
    readLabel_->setVisible(!read.isEmpty());

    const bool csvFile = source == Source::file;
    separatorCaption_->setVisible(csvFile);
    separatorBox_->setVisible(csvFile);
    const auto chosen = import_.options().separator;
    for (int i = 0; i < static_cast<int>(std::size(separatorChoices)); ++i)
        if (separatorChoices[i].separator == chosen)
            separatorBox_->setCurrentIndex(i);

    const bool workbook = source == Source::workbook && !notes.sheetNames.empty();
    sheetCaption_->setVisible(workbook);
    sheetBox_->setVisible(workbook);
    QStringList sheets;
    for (const std::string& name : notes.sheetNames)
        sheets << QString::fromStdString(name);
    QStringList shown;
    for (int i = 0; i < sheetBox_->count(); ++i)
        shown << sheetBox_->itemText(i);
    if (shown != sheets) {
        sheetBox_->clear();
        sheetBox_->addItems(sheets);
    }
    // The sheet asked for, also when it could not be read; else the one read.
    const auto sheet = import_.options().sheet ? import_.options().sheet : notes.sheet;
    sheetBox_->setCurrentIndex(sheet ? sheetBox_->findText(QString::fromStdString(*sheet)) : -1);

    const QString fallbacks = translatedCoreText(import_.fallbackSummary());
    fallbackLabel_->setText(fallbacks);
    fallbackLabel_->setAccessibleName(fallbacks);
    QStringList detail;
    for (const QString& line : QString::fromStdString(import_.fallbackDetail()).split(u'\n'))
        detail << translatedCoreText(line.toStdString());
    fallbackLabel_->setToolTip(detail.join(u'\n'));
    fallbackLabel_->setVisible(!fallbacks.isEmpty());
}

std::filesystem::path CSVPanel::loadedFile() const {
    if (!import_.state().csvData || import_.source() == TableImport::Source::pasted)
        return {};
    return import_.file();
}

std::filesystem::path CSVPanel::fileForRun() {
    std::filesystem::path file = import_.fileForRun(pastedRowsFolder());
    refresh(); // a failed save is told in the message line
    return file;
}

void CSVPanel::tableReplaced() {
    previewModel_->setTable(nullptr);
    previewModel_->setTable(import_.state().csvData ? &*import_.state().csvData : nullptr);
    refresh();
    if (onTableChanged_)
        onTableChanged_();
}

void CSVPanel::loadFile(const QString& path) {
    // Reading a large file takes a moment: say so.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    import_.loadFile(path.toStdString(), currentTemplate_());
    QApplication::restoreOverrideCursor();
    tableReplaced();
}

void CSVPanel::pasteFromClipboard() {
    import_.paste(QGuiApplication::clipboard()->text().toStdString(), currentTemplate_());
    tableReplaced();
}

void CSVPanel::exportTo(const QString& path) {
    if (const auto error = writeHeaderFile(path.toStdString(), currentTemplate_())) {
        import_.state().validationError = "Export failed: " + *error;
        import_.state().failureDetail.reset();
        refresh();
    }
}

void CSVPanel::copyHeader() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(QString::fromStdString(headerLine(currentTemplate_())));
}

void CSVPanel::togglePreview() {
    import_.state().showPreview = !import_.state().showPreview;
    refresh();
}

bool CSVPanel::isImportable(const QString& path) {
    static const QStringList suffixes = {QStringLiteral("csv"),  QStringLiteral("tsv"),
                                         QStringLiteral("txt"),  QStringLiteral("xlsx"),
                                         QStringLiteral("xlsm"), QStringLiteral("ods")};
    return suffixes.contains(QFileInfo(path).suffix().toLower());
}

void CSVPanel::chooseFileToImport() {
    const QString path =
        QFileDialog::getOpenFileName(this, tr("CSV Import"), QString(),
                                     tr("Tables (*.csv *.CSV *.tsv *.TSV *.txt *.TXT *.xlsx *.XLSX "
                                        "*.xlsm *.XLSM *.ods *.ODS);;All files (*)"));
    if (!path.isEmpty())
        loadFile(path);
}

void CSVPanel::chooseExportDestination() {
    const QString proposed =
        QString::fromStdString(currentTemplate_().name) + QStringLiteral(".csv");
    const QString path =
        QFileDialog::getSaveFileName(this, tr("CSV Export"), proposed, tr("CSV files (*.csv)"));
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
    if (isImportable(path))
        loadFile(path);
}

} // namespace keyferry
