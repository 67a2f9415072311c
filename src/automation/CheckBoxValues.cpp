#include "automation/CheckBoxValues.h"

#include "model/EntryList.h"
#include "text/UnicodeText.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace keyferry {

namespace {

constexpr std::size_t entriesNamed = 5;

std::string lowered(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    const auto last = text.find_last_not_of(' ');
    std::string result(first == std::string_view::npos ? "" : text.substr(first, last - first + 1));
    std::ranges::transform(result, result.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

std::string named(const Step& step) {
    return "\"" + (step.label.empty() ? step.field->name : step.label) + "\"";
}

} // namespace

bool setsCheckBox(const Step& step) {
    return step.type == StepType::textInput && step.field && step.field->role == "check box";
}

std::optional<bool> checkBoxState(std::string_view value) {
    static constexpr std::array<std::string_view, 4> ticked = {"yes", "true", "1", "x"};
    static constexpr std::array<std::string_view, 4> unticked = {"no", "false", "0", ""};
    const std::string word = lowered(value);
    if (std::ranges::find(ticked, word) != ticked.end())
        return true;
    if (std::ranges::find(unticked, word) != unticked.end())
        return false;
    return std::nullopt;
}

ListChoice listChoice(const FieldChoices& choices, std::string_view value) {
    const auto found = std::ranges::find_if(choices.options, [&](const std::string& option) {
        return composed(option) == composed(value);
    });
    if (found != choices.options.end())
        return {true, static_cast<std::size_t>(found - choices.options.begin())};
    if (value.empty())
        return {true, choices.selected};
    return {};
}

std::optional<std::string> checkBoxValueProblem(const Template& item, const CSVData& data,
                                                const std::vector<std::size_t>& rows) {
    std::vector<std::string> problems;
    std::size_t column = 0;
    for (const Step& step : item.steps) {
        if (step.type != StepType::textInput)
            continue;
        if (step.isFixed()) {
            if (setsCheckBox(step) && !checkBoxState(*step.fixedValue))
                problems.push_back("the fixed value \"" + *step.fixedValue + "\" of check box " +
                                   named(step));
            continue;
        }
        const std::size_t used = column++;
        if (!setsCheckBox(step) || used >= data.columnCount())
            continue;
        EntryList bad;
        std::size_t count = 0;
        for (const std::size_t row : rows) {
            if (row >= data.rowCount() || checkBoxState(data.field(row, used)))
                continue;
            if (++count <= entriesNamed)
                bad.push_back(row + 1);
        }
        if (count == 0)
            continue;
        std::string problem = "check box " + named(step) + " in entries " + formatEntryList(bad);
        if (count > entriesNamed)
            problem += " and " + std::to_string(count - entriesNamed) + " more";
        problems.push_back(std::move(problem));
    }
    if (problems.empty())
        return std::nullopt;
    std::string message = "A check box takes yes or no, true or false, 1 or 0, x or nothing; not "
                          "what is given for ";
    for (std::size_t i = 0; i < problems.size(); ++i)
        message += (i ? "; " : "") + problems[i];
    return message + ".";
}

} // namespace keyferry
