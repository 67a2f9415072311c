#include "app/StoredTemplate.h"

#include "model/TemplateStore.h"

#include <ostream>

namespace keyferry {

std::optional<std::size_t> findTemplate(const std::vector<Template>& templates,
                                        const std::string& nameOrID) {
    const auto id = Uuid::parse(nameOrID);
    for (std::size_t i = 0; i < templates.size(); ++i)
        if (id && templates[i].id == *id)
            return i;
    for (std::size_t i = 0; i < templates.size(); ++i)
        if (templates[i].name == nameOrID)
            return i;
    return std::nullopt;
}

StoredTemplate findStoredTemplate(const std::string& nameOrID, std::ostream& err) {
    const auto templates =
        TemplateStore::readFile(TemplateStore::defaultFolder() / "templates.json");
    if (!templates) {
        err << "Error loading: " << templates.error() << '\n';
        return {std::nullopt, 1};
    }
    if (const auto found = findTemplate(*templates, nameOrID))
        return {(*templates)[*found], 0};
    err << "No template is named or has the id \"" << nameOrID
        << "\". `keyferry templates` lists them.\n";
    return {std::nullopt, 2};
}

} // namespace keyferry
