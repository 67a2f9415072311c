#include "automation/FieldCheck.h"

#include "text/UnicodeText.h"

#include <algorithm>

namespace keyferry {

std::string FieldCheck::message() const {
    if (!why.empty())
        return why;
    const std::string subject = field.empty() ? "The field" : "Field \"" + field + "\"";
    return subject + " shows \"" + shown + "\", expected \"" + expected + "\"";
}

namespace {

// Characters an accessibility layer puts into a field's text that nobody typed: Firefox reports
// U+FEFF after each emoji, and embedded objects show as U+FFFC.
constexpr std::string_view addedByAccessibility[] = {"\uFEFF", "\uFFFC"};

std::string withoutAddedCharacters(std::string shown, std::string_view typed) {
    for (std::string_view added : addedByAccessibility) {
        if (typed.find(added) != std::string_view::npos)
            continue; // typed on purpose: it must be there
        for (auto at = shown.find(added); at != std::string::npos; at = shown.find(added, at))
            shown.erase(at, added.size());
    }
    return shown;
}

} // namespace

bool fieldHolds(std::string_view shown, std::string_view typed, bool cleared) {
    const std::string field = composed(withoutAddedCharacters(std::string(shown), typed));
    const std::string value = composed(typed);
    return cleared ? field == value : field.ends_with(value);
}

bool showsOnlyTheEndOf(std::string_view shown, std::string_view typed) {
    const std::string field = composed(withoutAddedCharacters(std::string(shown), typed));
    const std::string value = composed(typed);
    return field.size() < value.size() && value.ends_with(field);
}

bool showsItsStartRepeated(std::string_view shown, std::string_view typed) {
    const std::string field = composed(withoutAddedCharacters(std::string(shown), typed));
    const std::string value = composed(typed);
    const auto clusters = graphemeClusters(value);
    if (clusters.empty() || field.size() <= value.size() || !field.ends_with(value))
        return false;
    const std::string_view first = clusters.front();
    std::string_view extra = std::string_view(field).substr(0, field.size() - value.size());
    while (extra.starts_with(first))
        extra.remove_prefix(first.size());
    return extra.empty();
}

Scheduler::Duration readBackPatience(std::string_view typed) {
    const auto characters = static_cast<std::int64_t>(
        std::ranges::count_if(typed, [](char c) { return (c & 0xC0) != 0x80; }));
    return std::min(readBackBasePatience + readBackPatiencePerCharacter * characters,
                    readBackLongestPatience);
}

} // namespace keyferry
