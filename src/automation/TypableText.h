#pragma once

#include "csv/CSVData.h"
#include "model/Template.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace keyferry {

/// A character a run would have to type that the desktop cannot, and where it is.
struct UntypableCharacter {
    std::string character;            ///< one user-perceived character
    std::vector<std::size_t> entries; ///< 1-based rows of the file holding it, ascending
    bool inTemplate = false;          ///< in a fixed value of the template
    friend bool operator==(const UntypableCharacter&, const UntypableCharacter&) = default;
};

/// Every character of the values a run of `rows` (0-based) would type that `canType`
/// refuses, in order of first appearance: fixed values of the template's text inputs, and
/// the fields its other text inputs take from the file, column after column as a run does.
/// Characters are looked up once each, so a large file costs one pass.
std::vector<UntypableCharacter> findUntypable(const Template& item, const CSVData& data,
                                              const std::vector<std::size_t>& rows,
                                              const std::function<bool(std::string_view)>& canType);

/// What the user is told: which characters cannot be typed here and in which entries, at
/// most a few of each; nothing when there are none.
std::optional<std::string> untypableMessage(const std::vector<UntypableCharacter>& untypable);

} // namespace keyferry
