#include "model/EntryList.h"

#include <algorithm>
#include <charconv>
#include <utility>

namespace keyferry {

namespace {

// A 1-based entry number, or why `digits` is none; `item` names the whole item in messages.
Expected<std::size_t> entryNumber(std::string_view digits, std::string_view item) {
    const auto bad = [&] {
        return Unexpected{"\"" + std::string(item) +
                          "\" is not an entry number or a range like 7-9."};
    };
    if (digits.empty() || !std::ranges::all_of(digits, [](char c) { return c >= '0' && c <= '9'; }))
        return bad();
    std::size_t number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error == std::errc::result_out_of_range || number > maxEntryNumber)
        return Unexpected{"\"" + std::string(item) + "\": entries go up to " +
                          std::to_string(maxEntryNumber) + "."};
    if (error != std::errc{} || end != digits.data() + digits.size())
        return bad();
    if (number == 0)
        return Unexpected{"\"" + std::string(item) + "\": entries are counted from 1."};
    return number;
}

} // namespace

Expected<EntryList> parseEntryList(std::string_view text) {
    if (trimmed(text).empty())
        return Unexpected{std::string("No entries given; write them like 3,7-9.")};
    // Ranges first, merged, then expanded: overlapping items cannot multiply the memory used.
    std::vector<std::pair<std::size_t, std::size_t>> ranges;
    std::size_t position = 0;
    for (;;) {
        const std::size_t comma = text.find(',', position);
        const std::string_view item = trimmed(text.substr(position, comma - position));
        if (item.empty())
            return Unexpected{"An item of \"" + std::string(text) + "\" is empty."};
        const std::size_t dash = item.find('-');
        if (dash == std::string_view::npos) {
            const auto number = entryNumber(item, item);
            if (!number)
                return Unexpected{number.error()};
            ranges.emplace_back(*number, *number);
        } else {
            const auto first = entryNumber(trimmed(item.substr(0, dash)), item);
            if (!first)
                return Unexpected{first.error()};
            const auto last = entryNumber(trimmed(item.substr(dash + 1)), item);
            if (!last)
                return Unexpected{last.error()};
            if (*last < *first)
                return Unexpected{"\"" + std::string(item) + "\" runs backwards."};
            ranges.emplace_back(*first, *last);
        }
        if (comma == std::string_view::npos)
            break;
        position = comma + 1;
    }
    std::ranges::sort(ranges);
    EntryList entries;
    std::size_t next = 1; // the lowest entry not yet listed
    for (const auto& [first, last] : ranges) {
        for (std::size_t entry = std::max(first, next); entry <= last; ++entry)
            entries.push_back(entry);
        next = std::max(next, last + 1);
    }
    return entries;
}

std::string formatEntryList(const EntryList& entries) {
    std::string text;
    for (std::size_t i = 0; i < entries.size();) {
        std::size_t j = i;
        while (j + 1 < entries.size() && entries[j + 1] == entries[j] + 1)
            ++j;
        if (!text.empty())
            text += ',';
        text += std::to_string(entries[i]);
        if (j > i)
            text += '-' + std::to_string(entries[j]);
        i = j + 1;
    }
    return text;
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

} // namespace keyferry
