#include "automation/FieldCheck.h"

#include "text/UnicodeText.h"

namespace keyferry {

std::string FieldCheck::message() const {
    const std::string subject = field.empty() ? "The field" : "Field \"" + field + "\"";
    return subject + " shows \"" + shown + "\", expected \"" + expected + "\"";
}

bool fieldHolds(std::string_view shown, std::string_view typed, bool cleared) {
    const std::string field = composed(shown);
    const std::string value = composed(typed);
    return cleared ? field == value : field.ends_with(value);
}

} // namespace keyferry
