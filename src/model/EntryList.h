#pragma once

#include "model/Expected.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace keyferry {

/// 1-based entries as the user writes them: "3,7-9". Ascending, no duplicates.
using EntryList = std::vector<std::size_t>;
/// The highest entry a list may name: far beyond any table a run types, and low enough that
/// a list cannot exhaust memory.
inline constexpr std::size_t maxEntryNumber = 10'000'000;
/// Parses "3,7-9" (spaces allowed around items and around the dash); fails naming the bad
/// item. Entries are 1-based, so 0 is refused, as is a range running backwards. Items may
/// come in any order and overlap; the result is sorted without duplicates.
Expected<EntryList> parseEntryList(std::string_view text);
/// The compact form: consecutive entries become ranges ("1-20,25").
std::string formatEntryList(const EntryList& entries);

/// The text without leading and trailing spaces and tabs.
std::string_view trimmed(std::string_view text);

} // namespace keyferry
