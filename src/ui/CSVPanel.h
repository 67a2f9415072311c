#pragma once

#include <QWidget>

#include "csv/TableImport.h"
#include "model/Template.h"

#include <filesystem>
#include <functional>

class QAction;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;
class QToolButton;

namespace keyferry {

class CSVPreviewModel;

/// The strip through which data gets into a template: export and copy of the header,
/// import by dialog or drop, rows pasted from the clipboard, how the table was read (its
/// separator or sheet, to change; cells shown as stored), the entry counter, the message
/// line and the preview. A view over a TableImport.
class CSVPanel final : public QWidget {
    Q_OBJECT

public:
    /// `currentTemplate` gives the draft as it is now; `onTableChanged` is told whenever
    /// the imported table changes.
    CSVPanel(std::function<Template()> currentTemplate, std::function<void()> onTableChanged,
             QWidget* parent = nullptr);

    const CSVImportState& state() const { return import_.state(); }
    const TableImport& tableImport() const { return import_; }
    /// The file the table on screen came from; empty when there is none or it was pasted.
    std::filesystem::path loadedFile() const;
    /// The file a run's journal names: the imported file, or the pasted rows saved under
    /// the state folder (a failure shown in the message line, and nothing returned).
    std::filesystem::path fileForRun();
    /// Imports one file, as the dialog and a drop do.
    void loadFile(const QString& path);
    /// Takes the rows on the clipboard as the table, as Ctrl+V and Edit > Paste Rows do.
    void pasteFromClipboard();
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
    /// How the table was read: "Separated by commas", and why the guess may be wrong.
    QLabel* readLabel() const { return readLabel_; }
    /// Automatic, Semicolon, Comma, Tab, Pipe: choosing one reads the file again.
    QComboBox* separatorBox() const { return separatorBox_; }
    /// The sheets of a workbook: choosing one reads it.
    QComboBox* sheetBox() const { return sheetBox_; }
    /// The cells that show their stored value.
    QLabel* fallbackLabel() const { return fallbackLabel_; }
    /// Ctrl+V while the focus is in the panel.
    QAction* pasteAction() const { return pasteAction_; }
    /// The file names the dialog and a drop take: .csv, .tsv, .txt, .xlsx, .xlsm, .ods.
    static bool isImportable(const QString& path);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void refresh();
    void refreshReading();
    void tableReplaced();
    void chooseFileToImport();
    void chooseExportDestination();

    std::function<Template()> currentTemplate_;
    std::function<void()> onTableChanged_;
    TableImport import_;
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
    QWidget* readingRow_;
    QLabel* readLabel_;
    QLabel* separatorCaption_;
    QComboBox* separatorBox_;
    QLabel* sheetCaption_;
    QComboBox* sheetBox_;
    QLabel* fallbackLabel_;
    QAction* pasteAction_;
};

} // namespace keyferry
