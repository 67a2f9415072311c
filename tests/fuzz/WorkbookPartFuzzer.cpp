#include "csv/Workbook.h"
#include "csv/WorkbookBuilders.h"

#include <cstdint>
#include <cstdlib>

using namespace keyferry;

// The first byte picks the part the rest of the input becomes: an .xlsx sheet, its shared
// strings, its styles, or an .ods content part. The archive around it is well formed, so
// the fuzzer spends its time on the XML and what the readers make of it.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::string xml(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string cells = "<row><c r=\"A1\" t=\"s\"><v>0</v></c><c s=\"1\"><v>1.5</v></c>"
                              "<c s=\"2\"><v>45474.25</v></c></row>";
    const std::string styles = "<cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"10\"/>"
                               "<xf numFmtId=\"22\"/></cellXfs>";
    std::string bytes;
    switch (data[0] % 4) {
    case 0:
        bytes = testing::xlsxOf({{"S", xml}}, "<si><t>a</t></si>", styles);
        break;
    case 1:
        bytes = testing::xlsxOf({{"S", cells}}, xml, styles);
        break;
    case 2:
        bytes = testing::xlsxOf({{"S", cells}}, "<si><t>a</t></si>", xml);
        break;
    case 3:
        bytes = testing::zipOf({{"content.xml", xml}});
        break;
    }
    const auto read = readWorkbook(bytes, std::nullopt);
    if (!read) {
        if (read.error().empty())
            std::abort(); // every refusal says why
        return 0;
    }
    // The table is rectangular and its header is the first row.
    const CSVData& table = read->table;
    for (std::size_t row = 0; row < table.rowCount(); ++row)
        if (table.row(row).size() != table.columnCount())
            std::abort();
    if (table.columnCount() > 0 && read->sheetNames.empty())
        std::abort();
    return 0;
}
