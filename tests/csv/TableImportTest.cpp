#include "csv/TableImport.h"

#include "csv/PastedRows.h"
#include "csv/WorkbookBuilders.h"
#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace keyferry;
using namespace keyferry::testing;

namespace {

using Rows = std::vector<std::vector<std::string>>;

Template withLabels(std::vector<std::string> labels) {
    Template item;
    for (auto& label : labels) {
        Step step = Step::ofType(StepType::textInput);
        step.label = std::move(label);
        item.steps.push_back(step);
    }
    return item;
}

std::string odsCell(const std::string& text) {
    return "<table:table-cell office:value-type=\"string\"><text:p>" + text +
           "</text:p></table:table-cell>";
}

std::string odsRow(const std::string& cells) {
    return "<table:table-row>" + cells + "</table:table-row>";
}

mode_t permissions(const std::filesystem::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 0777;
}

} // namespace

TEST(PastedRows, ReadsCellsAsASpreadsheetCopiesThem) {
    // As LibreOffice Calc puts them: cells holding a tab, a line break or a quote quoted.
    auto table = parsePastedRows("Name\tNote\tCity\n"
                                 "J\u00FCrgen\t\"two\nlines\"\tK\u00F6ln\n"
                                 "\"Ann \"\"A\"\"\"\t\"a\tb\"\t\u6771\u4EAC \U0001F44D\n"
                                 "\t\t\n");
    ASSERT_TRUE(table) << table.error().description();
    EXPECT_EQ(table->headers(), (std::vector<std::string>{"Name", "Note", "City"}));
    EXPECT_EQ(table->rows(), (Rows{{"J\u00FCrgen", "two\nlines", "K\u00F6ln"},
                                   {"Ann \"A\"", "a\tb", "\u6771\u4EAC \U0001F44D"},
                                   {"", "", ""}}));

    // Rows ended with "\r\n", as other systems' spreadsheets give them; no final line break.
    auto crlf = parsePastedRows("Name\tCity\r\nAnn\t\"Main\nStreet\"\r\nBob\tBonn");
    ASSERT_TRUE(crlf);
    EXPECT_EQ(crlf->rows(), (Rows{{"Ann", "Main\nStreet"}, {"Bob", "Bonn"}}));

    // Commas and semicolons are text in a tab-separated row.
    auto punctuation = parsePastedRows("Name\tCity\nDoe, John\tBerlin; Mitte\n");
    ASSERT_TRUE(punctuation);
    EXPECT_EQ(punctuation->rows(), (Rows{{"Doe, John", "Berlin; Mitte"}}));

    // Rows of unequal length are refused, naming the row.
    auto ragged = parsePastedRows("Name\tCity\nAnn\n");
    ASSERT_FALSE(ragged);
    EXPECT_NE(ragged.error().description().find("Row index: 2"), std::string::npos)
        << ragged.error().description();
}

TEST(PastedRows, ImportedWithTheChecksOfAFile) {
    const Template item = withLabels({"Name", "City"});
    CSVImportOutcome good = loadPastedRows("Name\tCity\r\nAnn\tBonn\r\n", item);
    ASSERT_TRUE(good.csvData) << good.validationError.value_or("");
    EXPECT_EQ(good.csvData->rows(), (Rows{{"Ann", "Bonn"}}));
    EXPECT_EQ(good.notes.separator, Separator::tab);
    EXPECT_TRUE(good.opensPreview);

    CSVImportOutcome wrongHeader = loadPastedRows("Name\tTown\nAnn\tBonn\n", item);
    EXPECT_FALSE(wrongHeader.csvData);
    EXPECT_EQ(wrongHeader.validationError, "Column names don't match: 'Town' \u2192 'City'");

    CSVImportOutcome noRows = loadPastedRows(" \r\n\n", item);
    EXPECT_FALSE(noRows.csvData);
    ASSERT_TRUE(noRows.validationError);
    EXPECT_EQ(noRows.validationError->rfind("Paste failed: The clipboard holds no rows.", 0), 0u)
        << *noRows.validationError;

    CSVImportOutcome broken = loadPastedRows("Name\tCity\nAnn\t\"Bonn\n", item);
    EXPECT_EQ(broken.validationError, "Paste failed: Invalid input");
    EXPECT_TRUE(broken.failureDetail);
}

TEST(PastedRows, SavedOwnerOnlyAndReadBackAsTheSameTable) {
    TemporaryFolder temp;
    const auto folder = temp.path() / "state" / "pasted";
    const CSVData table({"Name", "Street; No."}, {{"Ann \"A\"", "Main 1\nBack"}, {"\u674E", ""}});
    auto first = savePastedRows(table, folder);
    auto second = savePastedRows(table, folder);
    ASSERT_TRUE(first) << first.error();
    ASSERT_TRUE(second) << second.error();
    EXPECT_NE(*first, *second) << "a second paste never replaces the file of the first";
    EXPECT_EQ(first->parent_path(), folder);
    EXPECT_EQ(first->extension(), ".csv");
    EXPECT_EQ(permissions(folder), 0700u);
    EXPECT_EQ(permissions(*first), 0600u);
    auto back = readTableFile(*first);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->table, table);
    EXPECT_EQ(back->notes.separator, Separator::semicolon);

    writeText(temp.path() / "file", "");
    auto refused = savePastedRows(table, temp.path() / "file" / "pasted");
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.error().find(temp.path().string()), std::string::npos) << refused.error();
}

TEST(TableImport, SeparatorShownAndChosen) {
    TemporaryFolder temp;
    const Template item = withLabels({"Name", "City"});
    writeText(temp.path() / "comma.csv", "Name,City\nAnn,\"Bonn, Nord\"\n");
    TableImport import;
    import.loadFile(temp.path() / "comma.csv", item);
    EXPECT_EQ(import.source(), TableImport::Source::file);
    ASSERT_TRUE(import.state().csvData);
    EXPECT_EQ(import.readDescription(), "Separated by commas");
    EXPECT_EQ(import.fileForRun(temp.path() / "pasted"), temp.path() / "comma.csv");

    // The user's choice reads the same file again, and a wrong one says what is wrong.
    import.chooseSeparator(Separator::semicolon, item);
    EXPECT_FALSE(import.state().csvData);
    EXPECT_EQ(import.readDescription(), "Separated by semicolons");
    EXPECT_EQ(import.state().validationError, "Import failed: Invalid input");
    EXPECT_TRUE(import.fileForRun(temp.path() / "pasted").empty()) << "no table, nothing to run";
    import.chooseSeparator(std::nullopt, item);
    ASSERT_TRUE(import.state().csvData);
    EXPECT_EQ(import.state().csvData->rows(), (Rows{{"Ann", "Bonn, Nord"}}));
    EXPECT_EQ(import.options().separator, std::nullopt);

    // A header that fits ";" and "," is read with ";", saying so.
    writeText(temp.path() / "both.csv", "Name;City,Zip\nAnn;Bonn,53111\n");
    import.loadFile(temp.path() / "both.csv", withLabels({"Name", "City,Zip"}));
    ASSERT_TRUE(import.notes().separatorNote);
    EXPECT_EQ(import.readDescription(), "Separated by semicolons");

    // A file that does not read still offers the separators: the right one may fix it.
    writeText(temp.path() / "tabs.csv", "Name\tCity\nAnn\t\"B\"x\n");
    import.loadFile(temp.path() / "tabs.csv", item);
    EXPECT_TRUE(import.state().validationError);
    EXPECT_EQ(import.source(), TableImport::Source::file);
}

TEST(TableImport, SheetChosenAndFallbackCellsNamed) {
    TemporaryFolder temp;
    const Template item = withLabels({"Name", "City"});
    const std::string fallback = "<table:table-cell office:value-type=\"float\" "
                                 "office:value=\"42\"/>";
    writeText(temp.path() / "book.ods",
              odsOf({{"Notes", odsRow(odsCell("Note"))},
                     {"People", odsRow(odsCell("Name") + odsCell("City")) +
                                    odsRow(odsCell("Ann") + fallback) +
                                    odsRow(fallback + odsCell("Bonn"))}}));
    TableImport import;
    import.loadFile(temp.path() / "book.ods", item);
    EXPECT_EQ(import.source(), TableImport::Source::workbook);
    EXPECT_EQ(import.notes().sheetNames, (std::vector<std::string>{"Notes", "People"}));
    EXPECT_EQ(import.notes().sheet, "Notes");
    EXPECT_FALSE(import.state().csvData) << "the first sheet does not fit";
    EXPECT_EQ(import.readDescription(), "");

    import.chooseSheet("People", item);
    ASSERT_TRUE(import.state().csvData) << import.state().validationError.value_or("");
    EXPECT_EQ(import.state().csvData->rows(), (Rows{{"Ann", "42"}, {"42", "Bonn"}}));
    EXPECT_EQ(import.fallbackSummary(),
              "2 cells show their stored value (format not supported): People!B2, People!A3");
    EXPECT_EQ(import.fallbackDetail(),
              "People!B2: format \"no shown text\"\nPeople!A3: format \"no shown text\"");

    // A sheet that is gone leaves the others to choose from.
    import.chooseSheet("Gone", item);
    EXPECT_FALSE(import.state().csvData);
    ASSERT_TRUE(import.state().validationError);
    EXPECT_NE(import.state().validationError->find("Gone"), std::string::npos);
    EXPECT_EQ(import.notes().sheetNames, (std::vector<std::string>{"Notes", "People"}));
    EXPECT_EQ(import.source(), TableImport::Source::workbook);
    import.chooseSeparator(Separator::comma, item);
    EXPECT_EQ(import.options().separator, std::nullopt) << "a workbook has no separator";
}

TEST(TableImport, PastedRowsSavedOnceForTheRun) {
    TemporaryFolder temp;
    const Template item = withLabels({"Name", "City"});
    TableImport import;
    import.paste("Name\tCity\nAnn\tBonn\n", item);
    EXPECT_EQ(import.source(), TableImport::Source::pasted);
    EXPECT_EQ(import.readDescription(), "Pasted rows, separated by tabs");
    const auto folder = temp.path() / "pasted";
    EXPECT_FALSE(std::filesystem::exists(folder)) << "nothing is saved before a run";
    const auto saved = import.fileForRun(folder);
    ASSERT_FALSE(saved.empty()) << import.state().validationError.value_or("");
    EXPECT_EQ(import.fileForRun(folder), saved) << "a second run names the same file";
    EXPECT_EQ(readText(saved), "Name;City\nAnn;Bonn\n");

    import.paste("Name\tCity\nBob\tBerlin\n", item);
    const auto again = import.fileForRun(folder);
    EXPECT_NE(again, saved) << "new rows, a new file";
    EXPECT_EQ(readText(saved), "Name;City\nAnn;Bonn\n") << "the first run's file is kept";

    import.paste("Name\tCity\nCid\tCelle\n", item);
    writeText(temp.path() / "blocked", "");
    EXPECT_TRUE(import.fileForRun(temp.path() / "blocked" / "pasted").empty());
    ASSERT_TRUE(import.state().validationError);
    EXPECT_EQ(import.state().validationError->rfind("The pasted rows could not be saved: ", 0), 0u);
    EXPECT_TRUE(import.state().csvData) << "a failed save keeps the rows";
}
