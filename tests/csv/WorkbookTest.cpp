#include "csv/Workbook.h"

#include "csv/CellReference.h"
#include "csv/SheetTableBuilder.h"
#include "csv/WorkbookBuilders.h"
#include "csv/ZipArchive.h"

#include <chrono>
#include <gtest/gtest.h>

using namespace keyferry;
using namespace keyferry::testing;

namespace {

using Rows = std::vector<std::vector<std::string>>;

std::string cell(const std::string& reference, const std::string& value,
                 const std::string& attributes = "") {
    return "<c r=\"" + reference + "\" " + attributes + "><v>" + value + "</v></c>";
}

std::string odsCell(const std::string& text, const std::string& attributes = "") {
    return "<table:table-cell " + attributes + "><text:p>" + text + "</text:p></table:table-cell>";
}

std::string odsRow(const std::string& cells, const std::string& attributes = "") {
    return "<table:table-row " + attributes + ">" + cells + "</table:table-row>";
}

SheetRead readOk(const std::string& bytes, const std::optional<std::string>& sheet = {}) {
    auto read = readWorkbook(bytes, sheet);
    EXPECT_TRUE(read.hasValue()) << (read ? "" : read.error());
    return read ? std::move(*read) : SheetRead{};
}

std::string failure(const std::string& bytes, const std::optional<std::string>& sheet = {}) {
    auto read = readWorkbook(bytes, sheet);
    return read ? "(read)" : read.error();
}

} // namespace

TEST(CellReference, ParsesAndNames) {
    EXPECT_EQ(parseCellReference("A1")->column, 0u);
    EXPECT_EQ(parseCellReference("AA10")->column, 26u);
    EXPECT_EQ(parseCellReference("XFD1048576")->row, 1048575u);
    EXPECT_EQ(parseCellReference("B")->row, 0u);
    for (const char* bad : {"", "1", "a1", "A0", "A1B", "A-1"})
        EXPECT_FALSE(parseCellReference(bad)) << bad;
    EXPECT_EQ(cellReference({6, 1}), "B7");
    EXPECT_EQ(cellReference({9, 26}), "AA10");
    EXPECT_EQ(cellReference({0, 16383}), "XFD1");
}

TEST(SheetTableBuilder, FillsGapsDropsTrailingEmptiesAndKeepsBounds) {
    SheetTableBuilder builder;
    EXPECT_FALSE(builder.add(0, 0, "a"));
    EXPECT_FALSE(builder.add(0, 2, "c"));
    EXPECT_FALSE(builder.add(0, 5, "")); // empty: nothing, so no sixth column
    EXPECT_FALSE(builder.add(2, 1, "x"));
    EXPECT_FALSE(builder.add(9, 0, "")); // nor a tenth row
    const CSVData table = std::move(builder).finish();
    EXPECT_EQ(table.headers(), (std::vector<std::string>{"a", "", "c"}));
    EXPECT_EQ(table.rows(), (Rows{{"", "", ""}, {"", "x", ""}}));

    SheetTableBuilder ordered;
    EXPECT_FALSE(ordered.add(1, 1, "b"));
    EXPECT_TRUE(ordered.add(1, 0, "a")) << "a cell left of one already added";
    EXPECT_TRUE(ordered.add(0, 3, "a")) << "a row above one already added";

    SheetTableBuilder bounded({.rows = 10, .columns = 4, .cells = 20});
    EXPECT_TRUE(bounded.add(10, 0, "x"));
    EXPECT_TRUE(bounded.add(0, 4, "x"));
    EXPECT_FALSE(bounded.add(0, 3, "x"));
    const auto tooMany = bounded.add(5, 0, "x"); // 6 rows of 4 columns
    ASSERT_TRUE(tooMany);
    EXPECT_NE(tooMany->find("more than 20 cells"), std::string::npos) << *tooMany;

    EXPECT_EQ(std::move(SheetTableBuilder()).finish().columnCount(), 0u);
}

TEST(XlsxReader, CellsAsShown) {
    const std::string strings =
        "<si><t>Name</t></si><si><t>Amount</t></si>"
        "<si><r><t>Jür</t></r><r><rPr><b/></rPr><t xml:space=\"preserve\">gen </t></r>"
        "<rPh><t>reading aid</t></rPh></si>"
        "<si><t>Date</t></si>";
    const std::string styles =
        "<numFmts><numFmt numFmtId=\"164\" formatCode=\"#,##0.00\\ [$€-407]\"/>"
        "<numFmt numFmtId=\"165\" formatCode=\"[&gt;100]0;0\"/></numFmts>"
        "<cellStyleXfs><xf numFmtId=\"10\"/></cellStyleXfs>"
        "<cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"164\"/><xf numFmtId=\"14\"/>"
        "<xf numFmtId=\"165\"/><xf numFmtId=\"9\"/></cellXfs>";
    const std::string rows =
        "<row r=\"1\">" + cell("A1", "0", "t=\"s\"") + cell("B1", "1", "t=\"s\"") +
        cell("D1", "3", "t=\"s\"") +
        "</row>"
        // A gap at C, a formula's cached result, a style index beyond the styles.
        "<row r=\"2\">" +
        cell("A2", "2", "t=\"s\"") + "<c r=\"B2\" s=\"1\"><f>B3*2</f><v>1234.5</v></c>" +
        cell("C2", "0.25", "s=\"4\"") + cell("D2", "45474", "s=\"2\"") + "</row>" +
        // Cells without references follow the one before; an inline rich string.
        "<row><c t=\"inlineStr\"><is><r><t>in</t></r><r><t>line</t></r></is></c>"
        "<c t=\"b\"><v>1</v></c><c t=\"e\"><v>#DIV/0!</v></c>"
        "<c t=\"str\"><f>A1&amp;\"!\"</f><v>Name!</v></c></row>"
        // A format not rendered gives the stored value; an unknown style gives General.
        "<row r=\"5\">" +
        cell("A5", "7", "s=\"3\"") + cell("B5", "0.5", "s=\"99\"") + "</row>" +
        // Styled but empty cells and rows at the end add nothing.
        "<row r=\"6\"><c r=\"A6\" s=\"1\"/><c r=\"F6\" s=\"1\"/></row><row r=\"9\"/>";
    const SheetRead read = readOk(xlsxOf({{"Data", rows}, {"Other", ""}}, strings, styles));
    EXPECT_EQ(read.sheet, "Data");
    EXPECT_EQ(read.sheetNames, (std::vector<std::string>{"Data", "Other"}));
    EXPECT_EQ(read.table.headers(), (std::vector<std::string>{"Name", "Amount", "", "Date"}));
    EXPECT_EQ(read.table.rows(), (Rows{{"Jürgen ", "1,234.50 €", "25%", "7/1/2024"},
                                       {"inline", "TRUE", "#DIV/0!", "Name!"},
                                       {"", "", "", ""},
                                       {"7", "0.5", "", ""}}));
    EXPECT_EQ(read.fallbackCells, (std::vector<FallbackCell>{{"Data", "A5", "[>100]0;0"}}));
    EXPECT_EQ(read.fallbackCellCount, 1u);
}

TEST(XlsxReader, ChoosesTheSheetAndTheDateSystem) {
    const auto book =
        xlsxOf({{"First", "<row r=\"1\">" + cell("A1", "1") + "</row>"},
                {"Zweite Übersicht", "<row r=\"1\">" + cell("A1", "0", "s=\"1\"") + "</row>"}},
               "", "<cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"14\"/></cellXfs>",
               "<workbookPr date1904=\"1\"/>");
    EXPECT_EQ(readOk(book).table.headers(), (std::vector<std::string>{"1"}));
    const SheetRead second = readOk(book, "Zweite Übersicht");
    EXPECT_EQ(second.sheet, "Zweite Übersicht");
    EXPECT_EQ(second.table.headers(), (std::vector<std::string>{"1/1/1904"}));
    EXPECT_EQ(failure(book, "Third"),
              "The workbook has no sheet named \"Third\". Its sheets: \"First\", \"Zweite "
              "Übersicht\".");
}

TEST(XlsxReader, RefusesSheetsThatDoNotAddUp) {
    const struct {
        const char* name;
        std::string rows;
        std::string message;
    } cases[] = {
        {"a row beyond the sheet", "<row r=\"1048577\">" + cell("A1048577", "1") + "</row>",
         "beyond row 1048576"},
        {"a column beyond the sheet", "<row r=\"1\">" + cell("XFE1", "1") + "</row>",
         "beyond column 16384"},
        {"far-apart cells",
         "<row r=\"1\">" + cell("XFD1", "1") + "</row><row r=\"100000\">" + cell("A100000", "1") +
             "</row>",
         "more than 100000000 cells"},
        {"cells out of order", "<row r=\"1\">" + cell("B1", "1") + cell("A1", "1") + "</row>",
         "out of order"},
        {"a shared string that is not there", "<row>" + cell("A1", "5", "t=\"s\"") + "</row>",
         "shared string that does not exist"},
        {"a row number that is none", "<row r=\"x\"/>", "has a row numbered \"x\""},
        {"markup that is not XML", "<row><c>", "cannot be read: mismatched tag at line 1"},
    };
    for (const auto& test : cases) {
        const std::string message = failure(xlsxOf({{"S", test.rows}}));
        EXPECT_NE(message.find(test.message), std::string::npos) << test.name << ": " << message;
    }
}

TEST(OdsReader, ShownTextRepeatsAndMergedCells) {
    const std::string table =
        odsRow(odsCell("Name") + odsCell("Note") + odsCell("Place")) +
        odsRow(odsCell("Ann<text:s text:c=\"2\"/>B<text:tab/>C") +
               "<table:table-cell><text:p>one</text:p><text:p>two<text:line-break/>three"
               "</text:p><office:annotation><text:p>a comment</text:p></office:annotation>"
               "</table:table-cell>" +
               odsCell("<text:span>Ber</text:span>lin")) +
        // A merged cell: its value in the first, the covered one empty whatever it holds.
        odsRow(odsCell("wide", "table:number-columns-spanned=\"2\"") +
               "<table:covered-table-cell><text:p>hidden</text:p></table:covered-table-cell>" +
               "<table:table-cell table:number-columns-repeated=\"16000\"/>") +
        // Repeated text is repeated; empty rows between are kept, those at the end are not.
        odsRow(odsCell("x", "table:number-columns-repeated=\"2\""),
               "table:number-rows-repeated=\"2\"") +
        odsRow("<table:table-cell table:number-columns-repeated=\"1024\"/>",
               "table:number-rows-repeated=\"3\"") +
        odsRow("<table:table-cell office:value-type=\"float\" office:value=\"42\"/>") +
        odsRow("<table:table-cell table:number-columns-repeated=\"16384\"/>",
               "table:number-rows-repeated=\"1048570\"");
    const SheetRead read = readOk(odsOf({{"People", table}, {"Notes", ""}}));
    EXPECT_EQ(read.sheetNames, (std::vector<std::string>{"People", "Notes"}));
    EXPECT_EQ(read.table.headers(), (std::vector<std::string>{"Name", "Note", "Place"}));
    EXPECT_EQ(read.table.rows(), (Rows{{"Ann  B\tC", "one\ntwo\nthree", "Berlin"},
                                       {"wide", "", ""},
                                       {"x", "x", ""},
                                       {"x", "x", ""},
                                       {"", "", ""},
                                       {"", "", ""},
                                       {"", "", ""},
                                       {"42", "", ""}}));
    EXPECT_EQ(read.fallbackCells, (std::vector<FallbackCell>{{"People", "A9", "no shown text"}}));

    EXPECT_EQ(readOk(odsOf({{"People", table}, {"Notes", odsRow(odsCell("n"))}}), "Notes")
                  .table.headers(),
              (std::vector<std::string>{"n"}));
    EXPECT_EQ(failure(odsOf({{"People", ""}}), "Nope"),
              "The workbook has no sheet named \"Nope\". Its sheets: \"People\".");
}

TEST(OdsReader, RepeatsAreBounded) {
    // Text repeated past the sheet's last column or row is refused, not expanded.
    EXPECT_NE(failure(odsOf({{"S", odsRow(odsCell("x", "table:number-columns-repeated="
                                                       "\"100000000\""))}}))
                  .find("beyond column 16384"),
              std::string::npos);
    EXPECT_NE(failure(odsOf({{"S", odsRow(odsCell("x"), "table:number-rows-repeated="
                                                        "\"4000000000\"")}}))
                  .find("beyond row 1048576"),
              std::string::npos);
    EXPECT_NE(failure(odsOf({{"S", odsRow("<table:table-cell table:number-columns-repeated="
                                          "\"16383\"/>" +
                                          odsCell("x", "table:number-columns-repeated=\"2\""))}}))
                  .find("beyond column 16384"),
              std::string::npos);
}

TEST(Workbook, BadInputGetsAClearMessageAtOnce) {
    const std::string good = xlsxOf({{"S", "<row>" + cell("A1", "1") + "</row>"}});
    const std::string ole = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + std::string(504, '\0');
    std::string encryptedName;
    for (const char c : std::string("EncryptionInfo"))
        encryptedName += std::string(1, c) + '\0';
    const struct {
        const char* name;
        std::string bytes;
        std::string message;
    } cases[] = {
        {"a cut-off archive", good.substr(0, good.size() / 2), "The workbook is damaged: "},
        {"not an archive", "PK\x03\x04 nothing else", "The workbook is damaged: "},
        {"an archive of something else", zipOf({{"readme.txt", "hi"}}),
         "neither an .xlsx nor an .ods workbook"},
        {"an encrypted workbook", ole + encryptedName, "The workbook is encrypted"},
        {"an older binary workbook", ole, "older binary workbook (.xls)"},
        {"an encrypted OpenDocument workbook",
         odsOf({{"S", ""}}, "<manifest:file-entry><manifest:encryption-data/>"
                            "</manifest:file-entry>"),
         "The workbook is encrypted"},
        {"a missing part", zipOf({{"_rels/.rels", "<Relationships/>"}}),
         "The part xl/workbook.xml is missing."},
    };
    for (const auto& test : cases) {
        const std::string message = failure(test.bytes);
        EXPECT_NE(message.find(test.message), std::string::npos) << test.name << ": " << message;
    }
}

TEST(Workbook, XmlBombsAreRefusedUnexpanded) {
    // Entities nine levels deep would expand to gigabytes; the declaration is refused.
    std::string bomb = "<!DOCTYPE sst [<!ENTITY a0 \"lol\">";
    for (int level = 1; level < 10; ++level) {
        bomb += "<!ENTITY a" + std::to_string(level) + " \"";
        for (int i = 0; i < 10; ++i)
            bomb += "&a" + std::to_string(level - 1) + ";";
        bomb += "\">";
    }
    bomb += "]><sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
            "<si><t>&a9;</t></si></sst>";
    auto book = xlsxOf({{"S", "<row>" + cell("A1", "0", "t=\"s\"") + "</row>"}});
    // The builder wrote its own shared strings part; this archive's replaces it.
    const auto started = std::chrono::steady_clock::now();
    const std::string message = failure(zipOf(
        {{"_rels/.rels", ZipArchive::open(book)->read("_rels/.rels", 1 << 20).value()},
         {"xl/workbook.xml", ZipArchive::open(book)->read("xl/workbook.xml", 1 << 20).value()},
         {"xl/_rels/workbook.xml.rels",
          ZipArchive::open(book)->read("xl/_rels/workbook.xml.rels", 1 << 20).value()},
         {"xl/worksheets/sheet1.xml",
          ZipArchive::open(book)->read("xl/worksheets/sheet1.xml", 1 << 20).value()},
         {"xl/sharedStrings.xml", bomb}}));
    EXPECT_NE(message.find("declares a document type"), std::string::npos) << message;
    EXPECT_NE(message.find("xl/sharedStrings.xml"), std::string::npos) << message;
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5))
        << "refused, not expanded";
}

TEST(ZipArchive, EntriesAreBoundedBeforeAndWhileUnpacking) {
    const std::string bytes = zipOf({{"big", std::string(100000, 'a')}, {"small", "abc"}});
    const auto archive = ZipArchive::open(bytes);
    ASSERT_TRUE(archive.hasValue()) << archive.error();
    EXPECT_EQ(archive->read("small", 3).value(), "abc");
    std::size_t handed = 0;
    const auto refused = archive->stream("big", 99999, [&](std::string_view piece) {
        handed += piece.size();
        return true;
    });
    ASSERT_TRUE(refused);
    EXPECT_NE(refused->find("unpacks to more than 99999 bytes"), std::string::npos) << *refused;
    EXPECT_EQ(handed, 0u) << "refused by its declared size, before unpacking";
    EXPECT_EQ(archive->read("absent", 10).error(), "The part absent is missing.");
}
