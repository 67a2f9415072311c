#include "app/Commands.h"
#include "app/StoredTemplate.h"
#include "csv/CSVImport.h"

#include <nlohmann/json.hpp>
#include <ostream>

namespace keyferry {

namespace {

using Json = nlohmann::ordered_json;

Json errorJson(const CSVReadFailure& failure) {
    Json error;
    if (const auto* csvError = std::get_if<CSVError>(&failure)) {
        error["type"] = csvError->typeName();
        error["description"] = csvError->shortDescription();
        if (csvError->failureReason)
            error["reason"] = *csvError->failureReason;
        if (csvError->helpAnchor)
            error["help"] = *csvError->helpAnchor;
        Json info = Json::object();
        for (const auto& [key, value] : csvError->errorUserInfo)
            std::visit([&, &key = key](const auto& v) { info[key] = v; }, value);
        error["userInfo"] = std::move(info);
    } else {
        error["description"] = std::get<std::string>(failure);
    }
    return Json{{"error", std::move(error)}};
}

std::string jsonString(std::string_view text) {
    if (text.empty())
        return "\"\"";
    return Json(std::string(text)).dump(-1, ' ', false, Json::error_handler_t::replace);
}

} // namespace

int runCSVCommand(const CSVCommandOptions& options, std::ostream& out, std::ostream& err) {
    std::optional<Template> against;
    if (options.templateNameOrID) {
        auto stored = findStoredTemplate(*options.templateNameOrID, err);
        if (!stored.item)
            return stored.exitCode;
        against = std::move(stored.item);
    }

    const auto read = readTableFile(options.file, options.read);
    if (!read) {
        out << errorJson(read.error()).dump(-1, ' ', false, Json::error_handler_t::replace) << '\n';
        return 1;
    }
    const CSVData* table = &read->table;
    const TableReadNotes& notes = read->notes;
    // Written piece by piece, in the order and form a dump of the whole object would have:
    // a table of millions of fields is not held a second time as JSON values.
    out << "{\"headers\":[";
    for (std::size_t column = 0; column < table->columnCount(); ++column)
        out << (column ? "," : "") << jsonString(table->header(column));
    out << "],\"rowCount\":" << table->rowCount();
    if (notes.separator)
        out << ",\"separator\":" << jsonString(separatorName(*notes.separator));
    if (notes.separatorNote)
        out << ",\"separatorNote\":" << jsonString(*notes.separatorNote);
    if (notes.sheet) {
        out << ",\"sheet\":" << jsonString(*notes.sheet) << ",\"sheets\":[";
        for (std::size_t i = 0; i < notes.sheetNames.size(); ++i)
            out << (i ? "," : "") << jsonString(notes.sheetNames[i]);
        out << ']';
    }
    if (notes.fallbackCellCount > 0) {
        // Cells shown with their stored value: the format was not one Keyferry renders.
        out << ",\"fallbackCellCount\":" << notes.fallbackCellCount << ",\"fallbackCells\":[";
        for (std::size_t i = 0; i < notes.fallbackCells.size(); ++i) {
            const FallbackCell& cell = notes.fallbackCells[i];
            out << (i ? "," : "") << "{\"sheet\":" << jsonString(cell.sheet)
                << ",\"cell\":" << jsonString(cell.cell)
                << ",\"format\":" << jsonString(cell.formatCode) << '}';
        }
        out << ']';
    }
    if (options.includeRows) {
        out << ",\"rows\":[";
        for (std::size_t row = 0; row < table->rowCount(); ++row) {
            out << (row ? ",[" : "[");
            for (std::size_t column = 0; column < table->columnCount(); ++column)
                out << (column ? "," : "") << jsonString(table->field(row, column));
            out << ']';
        }
        out << ']';
    }
    bool fits = true;
    if (against) {
        const auto message = table->validate(*against);
        out << ",\"validation\":" << (message ? jsonString(*message) : "null");
        fits = !message;
    }
    out << "}\n";
    return fits ? 0 : 1;
}

} // namespace keyferry
