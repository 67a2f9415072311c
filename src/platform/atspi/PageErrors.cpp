#include "platform/atspi/PageErrors.h"

#include "platform/atspi/AtspiObjects.h"

#include <algorithm>
#include <atspi/atspi.h>
#include <cctype>
#include <memory>
#include <string_view>

namespace keyferry::atspi {

namespace {

// A long page's errors are near its form; the bound keeps a huge page (a table of thousands of
// rows) from holding the run up. Each element costs a round trip or two on the bus.
constexpr int elementsLooked = 2000;
constexpr std::size_t errorsKept = 10;
constexpr std::size_t longestError = 300;
constexpr std::string_view objectReplacement = "\xEF\xBF\xBC"; // U+FFFC: an embedded child

std::string lower(std::string text) {
    std::ranges::transform(text, text.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string attribute(AtspiAccessible* accessible, const char* name) {
    GHashTable* attributes = atspi_accessible_get_attributes(accessible, nullptr);
    if (!attributes)
        return {};
    const auto* value = static_cast<const char*>(g_hash_table_lookup(attributes, name));
    std::string found = value ? value : "";
    g_hash_table_unref(attributes);
    return found;
}

// One line, spaces collapsed, without a list's bullet.
std::string tidy(const std::string& raw) {
    std::string text;
    for (const char c : raw) {
        const bool space = std::isspace(static_cast<unsigned char>(c));
        if (space && (text.empty() || text.back() == ' '))
            continue;
        text += space ? ' ' : c;
    }
    for (const std::string_view bullet : {"\xE2\x80\xA2", "\xE2\x97\xA6", "\xE2\x96\xAA", "-"})
        if (text.starts_with(bullet))
            text.erase(0, bullet.size());
    while (!text.empty() && text.front() == ' ')
        text.erase(0, 1);
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text.size() > longestError ? text.substr(0, longestError) + "…" : text;
}

// The text an element shows, its embedded children's included where the page nests them (a
// list of errors is one character per item in Gecko's tree).
std::string shownText(AtspiAccessible* accessible, int depth = 0) {
    const ObjectPtr<AtspiText> textPart(atspi_accessible_get_text_iface(accessible));
    std::string own;
    if (textPart) {
        const int length = atspi_text_get_character_count(textPart.get(), nullptr);
        own = text(atspi_text_get_text(textPart.get(), 0, std::min(length, 4000), nullptr));
    } else {
        own = text(atspi_accessible_get_name(accessible, nullptr));
    }
    if (depth > 4 || own.find(objectReplacement) == std::string::npos)
        return own;
    const ObjectPtr<AtspiHypertext> hypertext(atspi_accessible_get_hypertext_iface(accessible));
    if (!hypertext)
        return own;
    std::string whole;
    std::size_t from = 0;
    const int links = atspi_hypertext_get_n_links(hypertext.get(), nullptr);
    for (int i = 0; i < links; ++i) {
        const std::size_t at = own.find(objectReplacement, from);
        if (at == std::string::npos)
            break;
        whole += own.substr(from, at - from);
        from = at + objectReplacement.size();
        const ObjectPtr<AtspiHyperlink> link(atspi_hypertext_get_link(hypertext.get(), i, nullptr));
        if (!link)
            continue;
        if (const AccessiblePtr child{atspi_hyperlink_get_object(link.get(), 0, nullptr)})
            whole += " " + shownText(child.get(), depth + 1) + " ";
    }
    return whole + own.substr(std::min(from, own.size()));
}

bool namesAnError(const std::string& classes) {
    const std::string words = lower(classes);
    return words.find("error") != std::string::npos || words.find("invalid") != std::string::npos;
}

bool isAlert(AtspiAccessible* accessible, AtspiRole role, const std::string& classes) {
    const bool alert = role == ATSPI_ROLE_ALERT || role == ATSPI_ROLE_NOTIFICATION ||
                       lower(attribute(accessible, "xml-roles")).find("alert") != std::string::npos;
    return alert && lower(classes).find("success") == std::string::npos;
}

bool takesText(AtspiRole role) {
    return role == ATSPI_ROLE_ENTRY || role == ATSPI_ROLE_TEXT || role == ATSPI_ROLE_PASSWORD_TEXT;
}

// Lists of options and grids tell of themselves; their items are no announcements.
bool holdsOnlyItems(AtspiRole role) {
    return role == ATSPI_ROLE_COMBO_BOX || role == ATSPI_ROLE_LIST_BOX || role == ATSPI_ROLE_MENU ||
           role == ATSPI_ROLE_TABLE || role == ATSPI_ROLE_TREE_TABLE;
}

class Collector {
public:
    void visit(AtspiAccessible* accessible) {
        if (budget_-- <= 0 || found_.size() >= errorsKept)
            return;
        const AtspiRole role = atspi_accessible_get_role(accessible, nullptr);
        const std::string classes = attribute(accessible, "class");
        if (namesAnError(classes) || isAlert(accessible, role, classes)) {
            keep(tidy(shownText(accessible)));
            return; // its text holds its children's
        }
        if (takesText(role) && hasState(accessible, ATSPI_STATE_INVALID_ENTRY)) {
            if (!tidy(shownText(accessible)).empty())
                invalid_.push_back(fieldName(accessible) + ": invalid");
            return;
        }
        if (holdsOnlyItems(role) || hasState(accessible, ATSPI_STATE_MANAGES_DESCENDANTS))
            return;
        const int count = std::min(atspi_accessible_get_child_count(accessible, nullptr), 500);
        for (int i = 0; i < count && budget_ > 0; ++i)
            if (AccessiblePtr child{atspi_accessible_get_child_at_index(accessible, i, nullptr)})
                visit(child.get());
    }
    /// The page's own words; where it has none, the fields it marks invalid.
    std::vector<std::string> found() && {
        if (found_.empty())
            for (std::string& field : invalid_)
                keep(std::move(field));
        return std::move(found_);
    }

private:
    static std::string fieldName(AtspiAccessible* accessible) {
        std::string name = tidy(text(atspi_accessible_get_name(accessible, nullptr)));
        while (!name.empty() && (name.back() == ':' || name.back() == ' '))
            name.pop_back();
        return name;
    }

    void keep(std::string text) {
        if (!text.empty() && std::ranges::find(found_, text) == found_.end())
            found_.push_back(std::move(text));
    }

    int budget_ = elementsLooked;
    std::vector<std::string> found_;
    std::vector<std::string> invalid_;
};

// The web document the element lies in; else its top-level window.
AccessiblePtr pageOf(AtspiAccessible* focused) {
    g_object_ref(focused);
    AccessiblePtr current(focused);
    for (int depth = 0; depth < 60; ++depth) {
        if (atspi_accessible_get_role(current.get(), nullptr) == ATSPI_ROLE_DOCUMENT_WEB)
            return current;
        AccessiblePtr parent(atspi_accessible_get_parent(current.get(), nullptr));
        if (!parent || atspi_accessible_get_role(parent.get(), nullptr) == ATSPI_ROLE_APPLICATION)
            return current;
        current = std::move(parent);
    }
    return current;
}

} // namespace

std::vector<std::string> announcedErrors(AtspiAccessible* focused) {
    if (!focused)
        return {};
    const AccessiblePtr page = pageOf(focused);
    Collector collector;
    collector.visit(page.get());
    return std::move(collector).found();
}

} // namespace keyferry::atspi
