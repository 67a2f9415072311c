#pragma once

#include "automation/DesktopServices.h"
#include "csv/CSVData.h"
#include "model/Template.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace keyferry {

/// Whether a Text Input step acts on a check box: its recorded field is one.
bool setsCheckBox(const Step& step);

/// The state a value asks a check box for: yes/no, true/false, 1/0, x or empty, in any case
/// and without surrounding spaces; nothing for anything else.
std::optional<bool> checkBoxState(std::string_view value);

/// What a value asks of a list or combo box that takes no text.
struct ListChoice {
    bool offered = false;              ///< the list can show it
    std::optional<std::size_t> option; ///< the option to select; nothing: none selected
};

/// The option whose text the value is. An empty value asks for the list's blank option; a list
/// without one is left as the form shows it, as there is nothing to choose for "none".
ListChoice listChoice(const FieldChoices& choices, std::string_view value);

/// Why a run of `rows` (0-based) cannot set the template's check boxes from these values: each
/// check box whose fixed value or column holds something else, with the entries holding it (at
/// most a few named); nothing when every value is one.
std::optional<std::string> checkBoxValueProblem(const Template& item, const CSVData& data,
                                                const std::vector<std::size_t>& rows);

} // namespace keyferry
