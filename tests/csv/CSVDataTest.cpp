#include "csv/CSVImport.h"
#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

using namespace keyferry;
using keyferry::testing::readText;
using keyferry::testing::TemporaryFolder;
using keyferry::testing::writeText;

namespace {

Template withLabels(std::vector<std::string> labels, std::vector<std::string> fixed = {}) {
    Template item;
    for (auto& label : labels) {
        Step step = Step::ofType(StepType::textInput);
        step.label = std::move(label);
        item.steps.push_back(step);
        item.steps.push_back(Step::ofType(StepType::tab));
    }
    for (auto& value : fixed) {
        Step step = Step::ofType(StepType::textInput);
        step.label = "Fixed";
        step.fixedValue = std::move(value);
        item.steps.push_back(step);
    }
    return item;
}

std::optional<std::string> messageFor(std::vector<std::string> headers, const Template& item) {
    return CSVData(std::move(headers), {}).validate(item);
}

} // namespace

TEST(CSVData, ValidationMessages) {
    const Template nameEmail = withLabels({"Name", "Email"}, {"ACME"});
    EXPECT_EQ(messageFor({"Name", "Email"}, nameEmail), std::nullopt);
    EXPECT_EQ(messageFor({}, nameEmail), "CSV has 0 columns, template expects 2: Name, Email");
    EXPECT_EQ(messageFor({"Name", "Email", "Phone"}, nameEmail),
              "CSV has 3 columns, template expects 2: Name, Email");
    EXPECT_EQ(messageFor({"Email", "Name"}, nameEmail),
              "Column names don't match: 'Email' \u2192 'Name', 'Name' \u2192 'Email'");
    EXPECT_EQ(messageFor({"name", "Email"}, nameEmail),
              "Column names don't match: 'name' \u2192 'Name'");
    EXPECT_EQ(messageFor({"Name", "Email\r"}, nameEmail),
              "Column names don't match: 'Email\r' \u2192 'Email'");
    EXPECT_EQ(messageFor({"Name ", "Email"}, nameEmail),
              "Column names don't match: 'Name ' \u2192 'Name'");
    EXPECT_EQ(messageFor({"Only"}, withLabels({}, {"a", "b"})),
              "CSV has 1 columns, template expects 0: ");
}

TEST(CSVData, CanonicallyEquivalentNamesMatch) {
    const Template composed = withLabels({"Stra\u00DFe", "Caf\u00E9"});
    EXPECT_EQ(messageFor({"Stra\u00DFe", "Cafe\u0301"}, composed), std::nullopt);
    EXPECT_EQ(messageFor({"Strasse", "Caf\u00E9"}, composed),
              "Column names don't match: 'Strasse' \u2192 'Stra\u00DFe'")
        << "compatibility forms are not canonical equivalents";
    EXPECT_NE(messageFor({"Stra\u00DFe", "CAF\u00C9"}, composed), std::nullopt);
}

TEST(CSVData, ExportQuotesOnlyWhatNeedsIt) {
    const CSVData table({"Name", "Street; No."},
                        {{"Ann \"A\"", "Main 1\nBack"}, {"cr\r", "plain"}});
    EXPECT_EQ(table.exportString(), "Name;\"Street; No.\"\n"
                                    "\"Ann \"\"A\"\"\";\"Main 1\nBack\"\n"
                                    "cr\r;plain\n");
    EXPECT_EQ(CSVData({}, {}).exportString(), "\n");
}

TEST(CSVData, HeaderLineAndHeaderFile) {
    TemporaryFolder temp;
    const Template item = withLabels({"Name", "Street; No."}, {"fixed"});
    EXPECT_EQ(headerLine(item), "Name;Street; No.");
    ASSERT_FALSE(writeHeaderFile(temp.path() / "out.csv", item));
    EXPECT_EQ(readText(temp.path() / "out.csv"), "Name;\"Street; No.\"\n");

    // The exported header reads back as a valid, empty table for the same template.
    const auto outcome = loadCSV(temp.path() / "out.csv", item);
    EXPECT_FALSE(outcome.validationError) << *outcome.validationError;
    ASSERT_TRUE(outcome.csvData);
    EXPECT_EQ(outcome.csvData->rowCount(), 0u);

    const Template allFixed = withLabels({}, {"a"});
    EXPECT_EQ(headerLine(allFixed), "");
    ASSERT_FALSE(writeHeaderFile(temp.path() / "fixed.csv", allFixed));
    EXPECT_EQ(readText(temp.path() / "fixed.csv"), "\n");

    const auto failure = writeHeaderFile(temp.path() / "missing" / "x.csv", item);
    ASSERT_TRUE(failure);
    EXPECT_NE(failure->find("No such file"), std::string::npos) << *failure;
}

TEST(CSVImport, OutcomesAsThePanelShowsThem) {
    TemporaryFolder temp;
    const Template item = withLabels({"Name", "Email"});
    auto write = [&](const std::string& name, const std::string& bytes) {
        writeText(temp.path() / name, bytes);
        return temp.path() / name;
    };

    CSVImportState state;
    loadCSV(write("good.csv", "\xEF\xBB\xBFName;Email\nAnn;a@x\nBob;b@x\n"), item).applyTo(state);
    ASSERT_TRUE(state.csvData);
    EXPECT_EQ(state.csvData->rows(),
              (std::vector<std::vector<std::string>>{{"Ann", "a@x"}, {"Bob", "b@x"}}));
    EXPECT_FALSE(state.validationError);
    EXPECT_TRUE(state.showPreview);

    state.showPreview = false; // the user closed the preview
    loadCSV(write("utf16.csv", std::string("\xFF\xFEN\0a\0", 6)), item).applyTo(state);
    EXPECT_EQ(state.validationError, "Import failed: Invalid configuration");
    EXPECT_FALSE(state.csvData) << "a failed import removes the table loaded before";
    EXPECT_FALSE(state.showPreview);

    loadCSV(write("latin1.csv", "Name;Email\nJos\xE9;j@x\n"), item).applyTo(state);
    EXPECT_EQ(state.validationError, "Import failed: Invalid input");

    loadCSV(write("crlf.csv", "Name;Email\r\nAnn;a@x\r\n"), item).applyTo(state);
    EXPECT_EQ(state.validationError, "Column names don't match: 'Email\r' \u2192 'Email'");
    EXPECT_FALSE(state.csvData);

    loadCSV(temp.path() / "absent.csv", item).applyTo(state);
    ASSERT_TRUE(state.validationError);
    EXPECT_TRUE(state.validationError->starts_with("Import failed: "));
    EXPECT_NE(state.validationError->find("No such file or directory"), std::string::npos);

    loadCSV(temp.path(), item).applyTo(state);
    EXPECT_EQ(state.validationError,
              "Import failed: " + temp.path().string() + " is a folder, not a file");

    loadCSV(write("empty.csv", ""), item).applyTo(state);
    EXPECT_EQ(state.validationError, "CSV has 0 columns, template expects 2: Name, Email");

    loadCSV(write("header.csv", "Name;Email"), item).applyTo(state);
    ASSERT_TRUE(state.csvData);
    EXPECT_EQ(state.csvData->rowCount(), 0u);
    EXPECT_FALSE(state.validationError);
}
