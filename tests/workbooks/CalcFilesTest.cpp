#include "csv/CSVImport.h"
#include "support/TemporaryFolder.h"

#include <cstdlib>
#include <gtest/gtest.h>

using namespace keyferry;
using keyferry::testing::TemporaryFolder;
using keyferry::testing::writeText;

namespace {

// The same rows as LibreOffice Calc keeps them: dates, times (one with a fraction of a second
// it does not show), money in two currencies,
// percentages, fixed decimals, thousands, formulas (a number, a text), umlauts, CJK, emoji,
// empty cells, a merged cell, a quote, a tab, a second sheet. Calc saves them as .xlsx, .ods
// and CSV; each must import to the table the ";" CSV gives.
const char* const rows = R"FODS(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:number="urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0" xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0" xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2" office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
 <office:automatic-styles>
  <number:date-style style:name="Ndate"><number:month number:style="long"/><number:text>/</number:text><number:day number:style="long"/><number:text>/</number:text><number:year number:style="long"/></number:date-style>
  <number:date-style style:name="Nlongdate"><number:day-of-week number:style="long"/><number:text>, </number:text><number:month number:textual="true" number:style="long"/><number:text> </number:text><number:day/><number:text>, </number:text><number:year number:style="long"/></number:date-style>
  <number:time-style style:name="Ntime"><number:hours number:style="long"/><number:text>:</number:text><number:minutes number:style="long"/><number:text>:</number:text><number:seconds number:style="long"/></number:time-style>
  <number:time-style style:name="Nampm"><number:hours/><number:text>:</number:text><number:minutes number:style="long"/><number:text> </number:text><number:am-pm/></number:time-style>
  <number:currency-style style:name="Nmoney"><number:currency-symbol number:language="en" number:country="US">$</number:currency-symbol><number:number number:decimal-places="2" number:min-decimal-places="2" number:min-integer-digits="1" number:grouping="true"/></number:currency-style>
  <number:currency-style style:name="Neuro"><number:number number:decimal-places="2" number:min-decimal-places="2" number:min-integer-digits="1" number:grouping="true"/><number:text> </number:text><number:currency-symbol number:language="de" number:country="DE">€</number:currency-symbol></number:currency-style>
  <number:percentage-style style:name="Npct"><number:number number:decimal-places="1" number:min-decimal-places="1" number:min-integer-digits="1"/><number:text>%</number:text></number:percentage-style>
  <number:number-style style:name="Nfix"><number:number number:decimal-places="3" number:min-decimal-places="3" number:min-integer-digits="1"/></number:number-style>
  <number:number-style style:name="Nthou"><number:number number:decimal-places="0" number:min-decimal-places="0" number:min-integer-digits="1" number:grouping="true"/></number:number-style>
  <style:style style:name="cdate" style:family="table-cell" style:data-style-name="Ndate"/>
  <style:style style:name="clong" style:family="table-cell" style:data-style-name="Nlongdate"/>
  <style:style style:name="ctime" style:family="table-cell" style:data-style-name="Ntime"/>
  <style:style style:name="campm" style:family="table-cell" style:data-style-name="Nampm"/>
  <style:style style:name="cmoney" style:family="table-cell" style:data-style-name="Nmoney"/>
  <style:style style:name="ceuro" style:family="table-cell" style:data-style-name="Neuro"/>
  <style:style style:name="cpct" style:family="table-cell" style:data-style-name="Npct"/>
  <style:style style:name="cfix" style:family="table-cell" style:data-style-name="Nfix"/>
  <style:style style:name="cthou" style:family="table-cell" style:data-style-name="Nthou"/>
 </office:automatic-styles>
 <office:body>
  <office:spreadsheet>
   <table:table table:name="People">
    <table:table-row>
     <table:table-cell office:value-type="string"><text:p>Name</text:p></table:table-cell>
     <table:table-cell office:value-type="string"><text:p>Born</text:p></table:table-cell>
     <table:table-cell office:value-type="string"><text:p>Day</text:p></table:table-cell>
     <table:table-cell office:value-type="string"><text:p>Start</text:p></table:table-cell>
     <table:table-cell office:value-type="string"><text:p>Call</text:p></table:table-cell>
     <table:table-cell office:value-type="string"><text:p>Fee</text:p></table:table-cell>
     <table:table-cell office:value-type="string"><text:p>Gebühr</text:p></table:table-cell>
     <table:table-cell office:value-type="string"><text:p>Share</text:p></table:table-cell>
     <table:table-cell office:value-type="string"><text:p>Weight</text:p></table:table-cell>
     <table:table-cell office:value-type="string"><text:p>Visitors</text:p></table:table-cell>
     <table:table-cell office:value-type="string"><text:p>Plain</text:p></table:table-cell>
     <table:table-cell office:value-type="string"><text:p>Double fee</text:p></table:table-cell>
     <table:table-cell office:value-type="string"><text:p>Label</text:p></table:table-cell>
     <table:table-cell office:value-type="string"><text:p>Place</text:p></table:table-cell>
     <table:table-cell office:value-type="string"><text:p>Code</text:p></table:table-cell>
    </table:table-row>
    <table:table-row>
     <table:table-cell office:value-type="string"><text:p>Jürgen Groß</text:p></table:table-cell>
     <table:table-cell table:style-name="cdate" office:value-type="date" office:date-value="1984-02-29"/>
     <table:table-cell table:style-name="clong" office:value-type="date" office:date-value="2024-07-01"/>
     <table:table-cell table:style-name="ctime" office:value-type="time" office:time-value="PT08H05M09.7S"/>
     <table:table-cell table:style-name="campm" office:value-type="time" office:time-value="PT17H30M00S"/>
     <table:table-cell table:style-name="cmoney" office:value-type="currency" office:currency="USD" office:value="1234.5"/>
     <table:table-cell table:style-name="ceuro" office:value-type="currency" office:currency="EUR" office:value="99.999"/>
     <table:table-cell table:style-name="cpct" office:value-type="percentage" office:value="0.1234"/>
     <table:table-cell table:style-name="cfix" office:value-type="float" office:value="2.5"/>
     <table:table-cell table:style-name="cthou" office:value-type="float" office:value="1234567"/>
     <table:table-cell office:value-type="float" office:value="3.14159"/>
     <table:table-cell table:style-name="cmoney" table:formula="of:=[.F2]*2"/>
     <table:table-cell table:formula="of:=CONCATENATE([.A2];&quot; ✓&quot;)" office:value-type="string"/>
     <table:table-cell table:number-columns-spanned="2" office:value-type="string"><text:p>Berlin; Mitte</text:p></table:table-cell>
     <table:covered-table-cell/>
    </table:table-row>
    <table:table-row>
     <table:table-cell office:value-type="string"><text:p>李小龙</text:p></table:table-cell>
     <table:table-cell table:style-name="cdate" office:value-type="date" office:date-value="1940-11-27"/>
     <table:table-cell/>
     <table:table-cell table:style-name="ctime" office:value-type="time" office:time-value="PT23H59M59S"/>
     <table:table-cell table:style-name="campm" office:value-type="time" office:time-value="PT00H07M00S"/>
     <table:table-cell table:style-name="cmoney" office:value-type="currency" office:currency="USD" office:value="-42"/>
     <table:table-cell table:style-name="ceuro" office:value-type="currency" office:currency="EUR" office:value="1000000"/>
     <table:table-cell table:style-name="cpct" office:value-type="percentage" office:value="1"/>
     <table:table-cell table:style-name="cfix" office:value-type="float" office:value="-0.0005"/>
     <table:table-cell table:style-name="cthou" office:value-type="float" office:value="999.5"/>
     <table:table-cell table:formula="of:=0.1+0.2"/>
     <table:table-cell table:style-name="cmoney" table:formula="of:=[.F3]*2"/>
     <table:table-cell table:formula="of:=CONCATENATE([.A3];&quot; ✓&quot;)" office:value-type="string"/>
     <table:table-cell office:value-type="string"><text:p>香港</text:p></table:table-cell>
     <table:table-cell office:value-type="string"><text:p>"quoted", with comma</text:p></table:table-cell>
    </table:table-row>
    <table:table-row>
     <table:table-cell office:value-type="string"><text:p>Zoë 👍🏽</text:p></table:table-cell>
     <table:table-cell table:number-columns-repeated="4"/>
     <table:table-cell table:style-name="cmoney" office:value-type="currency" office:currency="USD" office:value="0.005"/>
     <table:table-cell table:number-columns-repeated="4"/>
     <table:table-cell office:value-type="float" office:value="1234567.891"/>
     <table:table-cell table:number-columns-repeated="2"/>
     <table:table-cell office:value-type="string"><text:p>tab	inside</text:p></table:table-cell>
     <table:table-cell office:value-type="float" office:value="-7"/>
    </table:table-row>
    <table:table-row table:number-rows-repeated="3"><table:table-cell table:number-columns-repeated="20"/></table:table-row>
   </table:table>
   <table:table table:name="Second sheet">
    <table:table-row><table:table-cell office:value-type="string"><text:p>Only</text:p></table:table-cell></table:table-row>
   </table:table>
  </office:spreadsheet>
 </office:body>
</office:document>
)FODS";

bool hasSoffice() {
    return std::system("command -v soffice >/dev/null 2>&1") == 0;
}

class CalcFiles : public ::testing::Test {
protected:
    void SetUp() override {
        if (!hasSoffice())
            GTEST_SKIP() << "soffice (LibreOffice Calc) is not installed: scripts/install-deps.sh";
        writeText(temp_.path() / "rows.fods", rows);
    }

    // Converts the rows with Calc's own filter into `folder`; returns the file made.
    std::filesystem::path convert(const std::string& filter, const std::string& folder,
                                  const std::string& extension) {
        const auto out = temp_.path() / folder;
        // A profile of its own: no Calc the user has open is asked, nothing of theirs changed.
        const std::string command =
            "soffice -env:UserInstallation=file://" + (temp_.path() / "profile").string() +
            " --headless --convert-to '" + filter + "' --outdir '" + out.string() + "' '" +
            (temp_.path() / "rows.fods").string() + "' >/dev/null 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return out / ("rows." + extension);
    }

    TableRead read(const std::filesystem::path& file, TableReadOptions options = {}) {
        auto table = readTableFile(file, options);
        EXPECT_TRUE(table.hasValue()) << file << ": " << (table ? "" : describe(table.error()));
        return table ? std::move(*table) : TableRead{};
    }

    TemporaryFolder temp_;
};

// Calc's CSV filter options: separator, quote, UTF-8, first line, column types, language,
// quote all text, detect special numbers, save as shown.
std::string csvFilter(int separator) {
    return "csv:Text - txt - csv (StarCalc):" + std::to_string(separator) +
           ",34,76,1,,0,false,true,true";
}

} // namespace

TEST_F(CalcFiles, WorkbooksAndOtherSeparatorsImportAsTheSemicolonCSV) {
    const TableRead reference = read(convert(csvFilter(59), "semicolon", "csv"),
                                     {.separator = Separator::semicolon, .sheet = std::nullopt});
    // What the rows hold, as Calc shows them: the comparison below is over these.
    ASSERT_EQ(reference.table.rowCount(), 3u);
    ASSERT_EQ(reference.table.columnCount(), 15u);
    EXPECT_EQ(reference.table.row(0)[0], "J\u00fcrgen Gro\u00df");
    EXPECT_EQ(reference.table.row(0)[1], "02/29/1984");
    EXPECT_EQ(reference.table.row(0)[2], "Monday, July 1, 2024");
    EXPECT_EQ(reference.table.row(0)[3], "08:05:09");
    EXPECT_EQ(reference.table.row(0)[5], "$1,234.50");
    EXPECT_EQ(reference.table.row(0)[11], "$2,469.00"); // a formula's result
    EXPECT_EQ(reference.table.row(1)[7], "100.0%");
    EXPECT_EQ(reference.table.row(2)[0], "Zo\u00eb \U0001F44D\U0001F3FD");

    const struct {
        const char* name;
        std::filesystem::path file;
    } saved[] = {
        {"xlsx", convert("xlsx", "xlsx", "xlsx")},
        {"ods", convert("ods", "ods", "ods")},
        {"comma CSV", convert(csvFilter(44), "comma", "csv")},
        {"tab CSV", convert(csvFilter(9), "tab", "csv")},
    };
    for (const auto& [name, file] : saved) {
        const TableRead imported = read(file);
        EXPECT_EQ(imported.table.headers(), reference.table.headers()) << name;
        EXPECT_EQ(imported.table.rows(), reference.table.rows()) << name;
        EXPECT_TRUE(imported.notes.fallbackCells.empty()) << name;
        EXPECT_FALSE(imported.notes.separatorNote) << name;
    }
    EXPECT_EQ(read(saved[2].file).notes.separator, Separator::comma);
    EXPECT_EQ(read(saved[3].file).notes.separator, Separator::tab);
    EXPECT_EQ(read(saved[0].file).notes.sheetNames,
              (std::vector<std::string>{"People", "Second sheet"}));

    for (const auto& [name, file] : {saved[0], saved[1]}) {
        const TableRead second = read(file, {.separator = {}, .sheet = "Second sheet"});
        EXPECT_EQ(second.table.headers(), (std::vector<std::string>{"Only"})) << name;
        EXPECT_EQ(second.table.rowCount(), 0u) << name;
    }
}
