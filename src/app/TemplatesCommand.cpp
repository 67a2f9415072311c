#include "app/Commands.h"
#include "model/TemplateStore.h"

#include <ostream>

namespace keyferry {

int runTemplatesCommand(std::ostream& out, std::ostream& err) {
    // Reads the file directly: listing must not create folders or move files aside.
    const auto templates =
        TemplateStore::readFile(TemplateStore::defaultFolder() / "templates.json");
    if (!templates) {
        err << "Error loading: " << templates.error() << '\n';
        return 1;
    }
    for (const Template& item : *templates)
        out << item.id.toString() << '\t' << item.name << '\n';
    return 0;
}

} // namespace keyferry
