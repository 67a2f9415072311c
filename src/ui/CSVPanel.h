#pragma once

#include <QWidget>

#include "csv/CSVImport.h"
#include "model/Template.h"

#include <filesystem>
#include <functional>

class QLabel;
class QPushButton;
class QTableView;
class QToolButton;

namespace keyferry {

class CSVPreviewModel;

/// The strip through which data gets into a template: export and copy of the header,
/// import by dialog or drop, the entry counter, the message line and the preview.
class CSVPanel final : public QWidget {
public:
    /// `currentTemplate` gives the draft as it is now; `onTableChanged` is told whenever
    /// the imported table changes.
    CSVPanel(std::function<Template()> currentTemplate, std::function<void()> onTableChanged,
             QWidget* parent = nullptr);

    const CSVImportState& state() const { return state_; }
    /// The file the table on screen came from; empty when there is none.
    const std::filesystem::path& loadedFile() const { return loadedFile_; }
    /// Imports one file, as the dialog and a drop do.
    void loadFile(const QString& path);
    /// Writes the header file, as the save dialog does.
    void exportTo(const QString& path);
    void copyHeader();
    /// Follows the template's steps: enabling rules and the hint.
    void templateChanged();
    void togglePreview();

    QPushButton* exportButton() const { return exportButton_; }
    QToolButton* copyButton() const { return copyButton_; }
    QPushButton* importButton() const { return importButton_; }
    QPushButton* counterButton() const { return counterButton_; }
    QLabel* messageLabel() const { return message_; }
    QLabel* hintLabel() const { return hint_; }
    QLabel* moreRowsLabel() const { return moreRows_; }
    QTableView* preview() const { return preview_; }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void refresh();
    void chooseFileToImport();
    void chooseExportDestination();

    std::function<Template()> currentTemplate_;
    std::function<void()> onTableChanged_;
    CSVImportState state_;
    std::filesystem::path loadedFile_;
    QPushButton* exportButton_;
    QToolButton* copyButton_;
    QPushButton* importButton_;
    QPushButton* counterButton_;
    QLabel* message_;
    QLabel* hint_;
    QTableView* preview_;
    QLabel* moreRows_;
    QWidget* previewArea_;
    CSVPreviewModel* previewModel_;
};

} // namespace keyferry
