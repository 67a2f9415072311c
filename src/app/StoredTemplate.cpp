#include "app/StoredTemplate.h"

#include "model/TemplateStore.h"

#include <ostream>

namespace keyferry {

StoredTemplate findStoredTemplate(const std::string& nameOrID, std::ostream& err) {
    const auto templates =
        TemplateStore::readFile(TemplateStore::defaultFolder() / "templates.json");
    if (!templates) {
        err << "Error loading: " << templates.error() << '\n';
        return {std::nullopt, 1};
    }
    const auto id = Uuid::parse(nameOrID);
    for (const Template& item : *templates)
        if (id && item.id == *id)
            return {item, 0};
    for (const Template& item : *templates)
        if (item.name == nameOrID)
            return {item, 0};
    err << "No template is named or has the id \"" << nameOrID
        << "\". `keyferry templates` lists them.\n";
    return {std::nullopt, 2};
}

} // namespace keyferry
