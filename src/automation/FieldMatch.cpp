#include "automation/FieldMatch.h"

#include <sstream>

namespace keyferry {

namespace {

const char* roleWord(ElementRole role) {
    switch (role) {
    case ElementRole::textField:
        return "text";
    case ElementRole::textArea:
        return "text area";
    case ElementRole::comboBox:
        return "combo box";
    case ElementRole::searchField:
        return "search";
    case ElementRole::checkBox:
        return "check box";
    case ElementRole::list:
        return "list";
    case ElementRole::other:
        break;
    }
    return "other";
}

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

} // namespace

FieldIdentity fieldIdentity(const FocusedElement& element) {
    FieldIdentity field;
    field.role = roleWord(element.role);
    field.name = element.title;
    field.id = element.id;
    field.context = element.context;
    field.place = element.place;
    return field;
}

bool isRecordedField(const FieldIdentity& recorded, const FieldIdentity& focused) {
    if (recorded.role != focused.role || recorded.name != focused.name ||
        recorded.context != focused.context)
        return false;
    // Ids are compared where both are known: a browser may not tell one yet (Firefox answers
    // the first question about an element without any of its attributes).
    if (!recorded.id.empty() && !focused.id.empty() && recorded.id != focused.id)
        return false;
    // Name and id are what survive a field being added elsewhere; the place only where there
    // is nothing else.
    if (!recorded.name.empty())
        return true;
    if (!recorded.id.empty())
        return recorded.id == focused.id;
    return recorded.place == focused.place;
}

std::string fieldDisplayName(const FieldIdentity& field) {
    if (!field.name.empty())
        return quoted(field.name);
    if (!field.id.empty())
        return quoted("#" + field.id);
    return "an unnamed " + (field.role == "other" ? std::string("element") : field.role + " field");
}

std::string wrongFieldMessage(const FieldIdentity& expected,
                              const std::optional<FieldIdentity>& focused) {
    const std::string now =
        focused ? "the focus is on " + fieldDisplayName(*focused) : "no field has the focus";
    return "Expected field " + fieldDisplayName(expected) + ", but " + now;
}

std::string fieldDidNotComeMessage(const FieldIdentity& expected, double seconds) {
    std::ostringstream text;
    text << "Field " << fieldDisplayName(expected) << " did not come within " << seconds << " s";
    return text.str();
}

} // namespace keyferry
