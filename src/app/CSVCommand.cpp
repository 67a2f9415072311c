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

} // namespace

int runCSVCommand(const CSVCommandOptions& options, std::ostream& out, std::ostream& err) {
    std::optional<Template> against;
    if (options.templateNameOrID) {
        auto stored = findStoredTemplate(*options.templateNameOrID, err);
        if (!stored.item)
            return stored.exitCode;
        against = std::move(stored.item);
    }

    const auto table = readCSVFile(options.file);
    if (!table) {
        out << errorJson(table.error()).dump(-1, ' ', false, Json::error_handler_t::replace)
            << '\n';
        return 1;
    }
    Json result;
    result["headers"] = table->headers();
    result["rowCount"] = table->rowCount();
    if (options.includeRows) {
        Json rows = Json::array();
        for (std::size_t i = 0; i < table->rowCount(); ++i)
            rows.push_back(table->row(i));
        result["rows"] = std::move(rows);
    }
    bool fits = true;
    if (against) {
        const auto message = table->validate(*against);
        result["validation"] = message ? Json(*message) : Json(nullptr);
        fits = !message;
    }
    out << result.dump(-1, ' ', false, Json::error_handler_t::replace) << '\n';
    return fits ? 0 : 1;
}

} // namespace keyferry
