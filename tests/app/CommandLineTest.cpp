#include "csv/WorkbookBuilders.h"
#include "model/TemplateJson.h"
#include "support/TemporaryFolder.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

using namespace keyferry;
using keyferry::testing::readText;
using keyferry::testing::TemporaryFolder;
using keyferry::testing::writeText;

namespace {

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the real binary with the given data folder; stderr is collected through a file.
// `timeout 5` guards against a run that blocks: it then exits 124.
Outcome runKeyferry(const std::filesystem::path& dataHome, const std::string& arguments) {
    const auto errFile = dataHome / "stderr.txt";
    const std::string command =
        "timeout 5 env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_SESSION_TYPE XDG_DATA_HOME='" +
        dataHome.string() + "' '" + KEYFERRY_BINARY + "' " + arguments + " 2>'" + errFile.string() +
        "'";
    Outcome outcome;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return outcome;
    std::array<char, 4096> buffer{};
    while (const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), pipe))
        outcome.out.append(buffer.data(), got);
    const int status = ::pclose(pipe);
    outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    outcome.err = readText(errFile);
    return outcome;
}

} // namespace

TEST(CommandLine, TemplatesListsIdTabNameInStoreOrder) {
    TemporaryFolder temp;
    std::filesystem::create_directories(temp.path() / "Keyferry");

    Outcome empty = runKeyferry(temp.path(), "templates");
    EXPECT_EQ(empty.exitCode, 0) << empty.err;
    EXPECT_EQ(empty.out, "");

    Template second, first;
    second.name = "Zeta orders";
    first.name = "Alpha\twith tab";
    writeText(temp.path() / "Keyferry" / "templates.json", *encodeTemplates({second, first}));
    const Outcome listed = runKeyferry(temp.path(), "templates");
    EXPECT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_EQ(listed.out, second.id.toString() + "\tZeta orders\n" + first.id.toString() +
                              "\tAlpha\twith tab\n");
}

TEST(CommandLine, HeaderPrintsWhatCsvExportWritesForTheTemplate) {
    TemporaryFolder temp;
    std::filesystem::create_directories(temp.path() / "Keyferry");
    Template item;
    item.name = "Orders";
    for (const char* label : {"Name", "City; Town", "Note \"short\""}) {
        Step step = Step::ofType(StepType::textInput);
        step.label = label;
        item.steps.push_back(step);
    }
    Step fixed = Step::ofType(StepType::textInput);
    fixed.label = "Country";
    fixed.fixedValue = "DE"; // typed from the template, not read from the file
    item.steps.push_back(fixed);
    item.steps.push_back(Step::ofType(StepType::tab));
    writeText(temp.path() / "Keyferry" / "templates.json", *encodeTemplates({item}));

    const Outcome byName = runKeyferry(temp.path(), "header --template Orders");
    EXPECT_EQ(byName.exitCode, 0) << byName.err;
    EXPECT_EQ(byName.out, "Name;\"City; Town\";\"Note \"\"short\"\"\"\n");
    const Outcome byID = runKeyferry(temp.path(), "header --template " + item.id.toString());
    EXPECT_EQ(byID.out, byName.out);

    const Outcome unknown = runKeyferry(temp.path(), "header --template Nothing");
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_EQ(unknown.out, "");
    EXPECT_NE(unknown.err.find("Nothing"), std::string::npos) << unknown.err;
    EXPECT_EQ(runKeyferry(temp.path(), "header").exitCode, 2) << "the template is required";
}

TEST(CommandLine, UnreadableTemplatesFileExitsOneAndKeepsTheFile) {
    TemporaryFolder temp;
    std::filesystem::create_directories(temp.path() / "Keyferry");
    writeText(temp.path() / "Keyferry" / "templates.json", "[{\"id\": 1}]");
    const Outcome outcome = runKeyferry(temp.path(), "templates");
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.out, "");
    EXPECT_TRUE(outcome.err.starts_with("Error loading: ")) << outcome.err;
    EXPECT_EQ(readText(temp.path() / "Keyferry" / "templates.json"), "[{\"id\": 1}]");
}

TEST(CommandLine, HelpVersionAndBadArguments) {
    TemporaryFolder temp;
    const Outcome help = runKeyferry(temp.path(), "--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("templates"), std::string::npos) << help.out;

    const Outcome version = runKeyferry(temp.path(), "--version");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_NE(version.out.find('.'), std::string::npos) << version.out;

    for (const char* bad : {"templatez", "templates --frobnicate", "--no-such-flag"}) {
        const Outcome outcome = runKeyferry(temp.path(), bad);
        EXPECT_EQ(outcome.exitCode, 2) << bad;
        EXPECT_FALSE(outcome.err.empty()) << bad;
    }

    const Outcome noDisplay = runKeyferry(temp.path(), "");
    EXPECT_EQ(noDisplay.exitCode, 1);
    EXPECT_NE(noDisplay.err.find("needs an X11 or Wayland session"), std::string::npos)
        << noDisplay.err;
}

TEST(CommandLine, CsvPrintsTheImportOutcomeAsJson) {
    TemporaryFolder temp;
    const auto file = temp.path() / "people.csv";
    writeText(file, "\xEF\xBB\xBFName;City\nAnn;\"Bonn; Rhein\"\n");

    Outcome plain = runKeyferry(temp.path(), "csv '" + file.string() + "'");
    EXPECT_EQ(plain.exitCode, 0) << plain.err;
    EXPECT_EQ(plain.out,
              "{\"headers\":[\"Name\",\"City\"],\"rowCount\":1,\"separator\":\"semicolon\"}\n");

    for (const char* flag : {"--rows", "--values"}) {
        Outcome rows =
            runKeyferry(temp.path(), "csv " + std::string(flag) + " '" + file.string() + "'");
        EXPECT_EQ(rows.out, "{\"headers\":[\"Name\",\"City\"],\"rowCount\":1,\"separator\":"
                            "\"semicolon\",\"rows\":[[\"Ann\",\"Bonn; Rhein\"]]}\n")
            << flag;
    }

    Template fits, other;
    fits.name = "People";
    for (const char* label : {"Name", "City"}) {
        Step step = Step::ofType(StepType::textInput);
        step.label = label;
        fits.steps.push_back(step);
    }
    other = fits;
    other.id = Uuid::random();
    other.name = "Other";
    other.steps.pop_back();
    std::filesystem::create_directories(temp.path() / "Keyferry");
    writeText(temp.path() / "Keyferry" / "templates.json", *encodeTemplates({fits, other}));

    Outcome valid = runKeyferry(temp.path(), "csv --template People '" + file.string() + "'");
    EXPECT_EQ(valid.exitCode, 0) << valid.err;
    EXPECT_NE(valid.out.find("\"validation\":null"), std::string::npos) << valid.out;

    std::string lowerCaseId = other.id.toString();
    std::ranges::transform(lowerCaseId, lowerCaseId.begin(),
                           [](char c) { return std::tolower(c); });
    Outcome byLowerCaseId =
        runKeyferry(temp.path(), "csv '" + file.string() + "' --template " + lowerCaseId);
    EXPECT_EQ(byLowerCaseId.exitCode, 1);
    EXPECT_NE(
        byLowerCaseId.out.find("\"validation\":\"CSV has 2 columns, template expects 1: Name\""),
        std::string::npos)
        << byLowerCaseId.out;

    Outcome unknown = runKeyferry(temp.path(), "csv --template Nobody '" + file.string() + "'");
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.err.find("Nobody"), std::string::npos);
}

TEST(CommandLine, CsvFindsOrTakesTheSeparator) {
    TemporaryFolder temp;
    const auto comma = temp.path() / "comma.csv";
    writeText(comma, "Name,City\nAnn,\"Bonn; Rhein\"\n");
    const Outcome found = runKeyferry(temp.path(), "csv --values '" + comma.string() + "'");
    EXPECT_EQ(found.exitCode, 0) << found.err;
    EXPECT_EQ(found.out, "{\"headers\":[\"Name\",\"City\"],\"rowCount\":1,\"separator\":"
                         "\"comma\",\"rows\":[[\"Ann\",\"Bonn; Rhein\"]]}\n");

    const auto plain = temp.path() / "plain.csv";
    writeText(plain, "Name,City\nAnn,Bonn\n");
    const Outcome forced =
        runKeyferry(temp.path(), "csv --separator semicolon '" + plain.string() + "'");
    EXPECT_EQ(forced.out, "{\"headers\":[\"Name,City\"],\"rowCount\":1,\"separator\":"
                          "\"semicolon\"}\n");

    const auto either = temp.path() / "either.csv";
    writeText(either, "Name;Note, short\nAnn;a, b\n");
    const Outcome noted = runKeyferry(temp.path(), "csv '" + either.string() + "'");
    EXPECT_NE(noted.out.find("\"separator\":\"semicolon\",\"separatorNote\":\"Read as "
                             "semicolon-separated: the header line could be separated by "
                             "semicolons or commas\""),
              std::string::npos)
        << noted.out;

    const Outcome wrong =
        runKeyferry(temp.path(), "csv --separator colon '" + comma.string() + "'");
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_NE(wrong.err.find("--separator"), std::string::npos) << wrong.err;
}

TEST(CommandLine, CsvReadsTheSheetOfAWorkbook) {
    TemporaryFolder temp;
    const auto row = [](const std::string& first, const std::string& second) {
        return "<table:table-row><table:table-cell><text:p>" + first +
               "</text:p></table:table-cell><table:table-cell><text:p>" + second +
               "</text:p></table:table-cell></table:table-row>";
    };
    const auto book = temp.path() / "people.ods";
    writeText(book, keyferry::testing::odsOf({{"People", row("Name", "City") + row("Ann", "Bonn")},
                                              {"Other", row("x", "y")}}));
    const Outcome first = runKeyferry(temp.path(), "csv --values '" + book.string() + "'");
    EXPECT_EQ(first.exitCode, 0) << first.err;
    EXPECT_EQ(first.out, "{\"headers\":[\"Name\",\"City\"],\"rowCount\":1,\"sheet\":\"People\","
                         "\"sheets\":[\"People\",\"Other\"],\"rows\":[[\"Ann\",\"Bonn\"]]}\n");
    const Outcome other = runKeyferry(temp.path(), "csv --sheet Other '" + book.string() + "'");
    EXPECT_NE(other.out.find("\"headers\":[\"x\",\"y\"],\"rowCount\":0,\"sheet\":\"Other\""),
              std::string::npos)
        << other.out;
    const Outcome missing = runKeyferry(temp.path(), "csv --sheet Nope '" + book.string() + "'");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "{\"error\":{\"description\":\"The workbook has no sheet named "
                           "\\\"Nope\\\". Its sheets: \\\"People\\\", \\\"Other\\\".\"}}\n");

    // A cell whose format is not rendered is named, with the format.
    const auto formats = temp.path() / "formats.xlsx";
    writeText(formats, keyferry::testing::xlsxOf(
                           {{"S", "<row><c r=\"A1\" t=\"inlineStr\"><is><t>n</t></is></c></row>"
                                  "<row><c r=\"A2\" s=\"1\"><v>7</v></c></row>"}},
                           "",
                           "<numFmts><numFmt numFmtId=\"164\" formatCode=\"[&gt;9]0\"/>"
                           "</numFmts><cellXfs><xf/><xf numFmtId=\"164\"/></cellXfs>"));
    const Outcome fallback = runKeyferry(temp.path(), "csv --rows '" + formats.string() + "'");
    EXPECT_NE(fallback.out.find("\"fallbackCellCount\":1,\"fallbackCells\":[{\"sheet\":\"S\","
                                "\"cell\":\"A2\",\"format\":\"[>9]0\"}],\"rows\":[[\"7\"]]"),
              std::string::npos)
        << fallback.out;

    const auto damaged = temp.path() / "damaged.xlsx";
    writeText(damaged, "PK\x03\x04 and then nothing of a zip archive");
    const Outcome refused = runKeyferry(temp.path(), "csv '" + damaged.string() + "'");
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.out.find("{\"error\":{\"description\":\"The workbook is damaged: "),
              std::string::npos)
        << refused.out;
}

TEST(CommandLine, CsvReportsReaderAndFileErrors) {
    TemporaryFolder temp;
    const auto file = temp.path() / "bad.csv";
    writeText(file, "a;b\n1;2;3\n");
    const Outcome invalid = runKeyferry(temp.path(), "csv '" + file.string() + "'");
    EXPECT_EQ(invalid.exitCode, 1);
    EXPECT_EQ(invalid.out,
              "{\"error\":{\"type\":\"invalidInput\",\"description\":\"Invalid input\","
              "\"reason\":\"The number of fields is not constant between rows.\","
              "\"help\":\"Make sure the CSV file has always the same amount of fields per row "
              "(including the header row).\",\"userInfo\":{\"Row index\":2,"
              "\"Number of parsed fields\":3,\"Number of expected fields\":2}}}\n");

    const Outcome missing =
        runKeyferry(temp.path(), "csv '" + (temp.path() / "no.csv").string() + "'");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.out.find("{\"error\":{\"description\":\"Cannot open "), std::string::npos)
        << missing.out;

    EXPECT_EQ(runKeyferry(temp.path(), "csv").exitCode, 2);
    EXPECT_EQ(runKeyferry(temp.path(), "csv a.csv b.csv").exitCode, 2);
}

// Files that cannot be imported are refused at once by what they are or by their size:
// nothing blocks on a pipe, nothing reads /dev/zero or 5 GB to refuse it afterwards.
TEST(CommandLine, RefusesWhatIsNotAFileOrTooLargeAtOnce) {
    TemporaryFolder temp;
    const auto fifo = temp.path() / "pipe.csv";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto large = temp.path() / "large.csv";
    writeText(large, "");
    std::filesystem::resize_file(large, 5'000'000'000); // sparse: nothing written
    const auto store = temp.path() / "Keyferry";
    std::filesystem::create_directories(store);
    ASSERT_EQ(::mkfifo((store / "templates.json").c_str(), 0600), 0);

    const struct {
        std::string arguments;
        std::string out;
        std::string err;
    } cases[] = {
        {"csv /dev/zero",
         "{\"error\":{\"description\":\"/dev/zero is a character device, not a file\"}}\n", ""},
        {"csv '" + fifo.string() + "'",
         "{\"error\":{\"description\":\"" + fifo.string() +
             " is a named pipe (FIFO), not a file\"}}\n",
         ""},
        {"csv '" + large.string() + "'",
         "{\"error\":{\"type\":\"streamFailure\",\"description\":\"Stream failure\","
         "\"reason\":\"The file is larger than the 4 GiB that an import can hold.\","
         "\"help\":\"Split the file into smaller ones.\",\"userInfo\":{}}}\n",
         ""},
        {"templates", "",
         "Error loading: " + (store / "templates.json").string() +
             " is a named pipe (FIFO), not a file\n"},
    };
    for (const auto& [arguments, out, err] : cases) {
        const Outcome outcome = runKeyferry(temp.path(), arguments);
        EXPECT_EQ(outcome.exitCode, 1) << arguments << " (124: it blocked)";
        EXPECT_EQ(outcome.out, out) << arguments;
        EXPECT_EQ(outcome.err, err) << arguments;
    }
}
