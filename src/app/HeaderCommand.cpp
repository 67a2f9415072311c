#include "app/Commands.h"
#include "app/StoredTemplate.h"
#include "csv/CSVData.h"

#include <ostream>

namespace keyferry {

int runHeaderCommand(const std::string& templateNameOrID, std::ostream& out, std::ostream& err) {
    const StoredTemplate found = findStoredTemplate(templateNameOrID, err);
    if (!found.item)
        return found.exitCode;
    // Exactly what CSV Export writes: the same quoting, one line.
    out << CSVData(found.item->textInputLabels(), {}).exportString();
    return 0;
}

} // namespace keyferry
