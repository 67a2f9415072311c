#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

#include "UiSession.h"
#include "csv/WorkbookBuilders.h"
#include "model/FileIO.h"
#include "ui/CSVPanel.h"
#include "ui/RunnerPanel.h"

#include <algorithm>
#include <sys/stat.h>

using namespace keyferry;
using namespace keyferry::testing;

namespace {

std::string odsCell(const std::string& text) {
    return "<table:table-cell office:value-type=\"string\"><text:p>" + text +
           "</text:p></table:table-cell>";
}

std::string odsRow(const std::string& cells) {
    return "<table:table-row>" + cells + "</table:table-row>";
}

// The CSV panel of a template that types Name and City, reading files, workbooks and
// pasted rows.
class TableSourcesTest : public UiSession {
protected:
    void SetUp() override {
        open();
        store->addTemplate();
        QApplication::processEvents();
        detail().editDraft([&](Template& item) {
            item.steps.clear();
            item.targetAppBundleID = "Yad";
            item.settings.countdownSeconds = 1;
            for (const char* label : {"Name", "City"}) {
                Step step = Step::ofType(StepType::textInput);
                step.label = label;
                item.steps.push_back(step);
            }
        });
    }
    QString write(const std::string& name, const std::string& bytes) {
        writeText(temp.path() / name, bytes);
        return QString::fromStdString((temp.path() / name).string());
    }
    CSVPanel& csv() { return *detail().csvPanel(); }
    std::vector<std::vector<std::string>> rows() {
        return csv().state().csvData ? csv().state().csvData->rows()
                                     : std::vector<std::vector<std::string>>{};
    }
    // Chooses an item the way a keyboard user does: focus the box, arrow keys.
    void chooseWithKeys(QComboBox* box, int index) {
        box->setFocus();
        QApplication::processEvents();
        while (box->currentIndex() < index)
            QTest::keyClick(box, Qt::Key_Down);
        while (box->currentIndex() > index)
            QTest::keyClick(box, Qt::Key_Up);
        QApplication::processEvents();
    }
};

} // namespace

TEST_F(TableSourcesTest, SeparatorShownAndChanged) {
    EXPECT_FALSE(csv().readLabel()->isVisibleTo(&csv())) << "nothing read yet";
    csv().loadFile(write("comma.csv", "Name,City\nAnn,\"Bonn, Nord\"\n"));
    EXPECT_EQ(rows(), (std::vector<std::vector<std::string>>{{"Ann", "Bonn, Nord"}}));
    EXPECT_EQ(csv().readLabel()->text(), QStringLiteral("Separated by commas"));
    ASSERT_TRUE(csv().separatorBox()->isVisibleTo(&csv()));
    EXPECT_FALSE(csv().sheetBox()->isVisibleTo(&csv()));
    EXPECT_EQ(csv().separatorBox()->currentText(), QStringLiteral("Automatic"));
    EXPECT_FALSE(csv().separatorBox()->accessibleName().isEmpty());
    EXPECT_FALSE(csv().separatorBox()->toolTip().isEmpty());

    // Tab from the import button reaches the box before the preview.
    csv().importButton()->setFocus();
    QApplication::processEvents();
    std::vector<QWidget*> reached;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached.push_back(QApplication::focusWidget());
    }
    const auto box = std::ranges::find(reached, csv().separatorBox());
    ASSERT_NE(box, reached.end());
    EXPECT_EQ(std::ranges::find(reached.begin(), box, csv().preview()), box);

    // Pipe, chosen from the keyboard, reads the file again: the quote inside a field fails.
    chooseWithKeys(csv().separatorBox(), 4);
    EXPECT_EQ(csv().separatorBox()->currentText(), QStringLiteral("Pipe"));
    EXPECT_EQ(csv().readLabel()->text(), QStringLiteral("Separated by pipes (|)"));
    EXPECT_FALSE(csv().state().csvData);
    EXPECT_EQ(csv().messageLabel()->accessibleName(),
              QStringLiteral("Import failed: Invalid input"));
    EXPECT_FALSE(detail().runnerButton()->isEnabled());
    chooseWithKeys(csv().separatorBox(), 2);
    EXPECT_EQ(csv().readLabel()->text(), QStringLiteral("Separated by commas"));
    EXPECT_EQ(rows().size(), 1u);
    EXPECT_TRUE(csv().messageLabel()->isHidden());
    EXPECT_EQ(csv().loadedFile(), temp.path() / "comma.csv");

    // An ambiguous header is read with ";", and the panel says why it may be wrong.
    csv().loadFile(write("both.csv", "Name;City,Zip\nAnn;Bonn,53111\n"));
    EXPECT_EQ(csv().separatorBox()->currentText(), QStringLiteral("Automatic"))
        << "a new file is read as it tells";
    EXPECT_TRUE(
        csv().readLabel()->text().startsWith(QStringLiteral("Separated by semicolons \u2014 ")))
        << csv().readLabel()->text().toStdString();
}

TEST_F(TableSourcesTest, SheetPickedAndFallbackCellsNamed) {
    const std::string stored = "<table:table-cell office:value-type=\"float\" office:value=\"7\"/>";
    csv().loadFile(write("book.ods", odsOf({{"Notes", odsRow(odsCell("Note"))},
                                            {"People", odsRow(odsCell("Name") + odsCell("City")) +
                                                           odsRow(odsCell("Ann") + stored)}})));
    QComboBox* sheets = csv().sheetBox();
    ASSERT_TRUE(sheets->isVisibleTo(&csv()));
    EXPECT_FALSE(csv().separatorBox()->isVisibleTo(&csv())) << "a workbook has no separator";
    ASSERT_EQ(sheets->count(), 2);
    EXPECT_EQ(sheets->currentText(), QStringLiteral("Notes"));
    EXPECT_FALSE(csv().state().csvData) << "the first sheet does not fit the template";
    EXPECT_FALSE(sheets->accessibleName().isEmpty());
    EXPECT_FALSE(sheets->toolTip().isEmpty());

    chooseWithKeys(sheets, 1);
    EXPECT_EQ(rows(), (std::vector<std::vector<std::string>>{{"Ann", "7"}}));
    EXPECT_EQ(sheets->currentText(), QStringLiteral("People"));
    EXPECT_TRUE(csv().messageLabel()->isHidden());
    ASSERT_TRUE(csv().fallbackLabel()->isVisibleTo(&csv()));
    EXPECT_TRUE(csv().fallbackLabel()->text().contains(QStringLiteral("People!B2")))
        << csv().fallbackLabel()->text().toStdString();
    EXPECT_TRUE(csv().fallbackLabel()->toolTip().contains(QStringLiteral("no shown text")));
    EXPECT_EQ(csv().loadedFile(), temp.path() / "book.ods");

    // A CSV file afterwards takes the sheet picker away again.
    csv().loadFile(write("rows.csv", "Name;City\nBob;Berlin\n"));
    EXPECT_FALSE(sheets->isVisibleTo(&csv()));
    EXPECT_FALSE(csv().fallbackLabel()->isVisibleTo(&csv()));
}

TEST_F(TableSourcesTest, RowsPastedThroughTheClipboardAndRunFromASavedFile) {
    QGuiApplication::clipboard()->setText(
        QStringLiteral("Name\tCity\r\nJ\u00FCrgen\t\"K\u00F6ln\nDeutz\"\r\nAnn\tBonn\r\n"));
    // Ctrl+V with the focus in the panel.
    csv().importButton()->setFocus();
    QApplication::processEvents();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(rows(), (std::vector<std::vector<std::string>>{{"J\u00FCrgen", "K\u00F6ln\nDeutz"},
                                                             {"Ann", "Bonn"}}));
    EXPECT_EQ(csv().counterButton()->text(), QStringLiteral("2 entries"));
    EXPECT_EQ(csv().readLabel()->text(), QStringLiteral("Pasted rows, separated by tabs"));
    EXPECT_FALSE(csv().separatorBox()->isVisibleTo(&csv()));
    EXPECT_TRUE(csv().loadedFile().empty());

    // Edit > Paste Rows with a header that does not fit: the same check as an import.
    QGuiApplication::clipboard()->setText(QStringLiteral("Name\tTown\nAnn\tBonn\n"));
    ASSERT_TRUE(window->pasteRowsAction()->isEnabled());
    window->pasteRowsAction()->trigger();
    EXPECT_FALSE(csv().state().csvData);
    EXPECT_EQ(csv().messageLabel()->accessibleName(),
              QStringLiteral("Column names don't match: 'Town' \u2192 'City'"));

    QGuiApplication::clipboard()->setText(QStringLiteral("Name\tCity\nAnn\tBonn\n"));
    window->pasteRowsAction()->trigger();
    ASSERT_TRUE(csv().state().csvData);

    // The run's journal names the rows saved, owner-only, under the state folder.
    detail().toggleRunner();
    RunnerPanel* runner = detail().runnerPanel();
    ASSERT_TRUE(runner);
    runner->button(QStringLiteral("Start"))->click();
    clock.runUntil([&] { return runner->pageName() == QStringLiteral("finished"); });
    QApplication::processEvents();
    ASSERT_TRUE(runner->lastRun());
    const std::filesystem::path saved = runner->lastRun()->header.csvPath;
    EXPECT_EQ(saved.parent_path(), stateFolder() / "pasted");
    EXPECT_EQ(readText(saved), "Name;City\nAnn;Bonn\n");
    struct stat info {};
    ASSERT_EQ(::stat(saved.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    ASSERT_EQ(::stat(saved.parent_path().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(desktop.form(target)->fields[0].text, "Ann");
}

TEST_F(TableSourcesTest, DialogAndDropTakeWorkbooksAndTextFiles) {
    for (const char* name : {"a.csv", "b.TSV", "c.txt", "d.xlsx", "e.ods", "f.xlsm"})
        EXPECT_TRUE(CSVPanel::isImportable(QString::fromLatin1(name))) << name;
    for (const char* name : {"a.xls", "b.json", "noext"})
        EXPECT_FALSE(CSVPanel::isImportable(QString::fromLatin1(name))) << name;
}
