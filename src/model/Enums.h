#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace keyferry {

/// The kinds of step, in the order offered for choice.
enum class StepType {
    textInput,
    tab,
    returnKey,
    wait,
    pause,
    skipTabs,
    selectAllClear,
    arrowKey,
    mouseClick,
};

enum class ArrowDirection { up, down, left, right };

enum class MouseButton { left, right };

enum class MouseClickType { single, double_ };

/// One row of an enumeration's table: the case, its stored word and its shown name.
template <class E>
struct EnumCase {
    E value;
    std::string_view rawValue;
    std::string_view displayName;
};

/// Every case of E in declaration order.
template <class E>
std::span<const EnumCase<E>> enumCases();

template <>
std::span<const EnumCase<StepType>> enumCases<StepType>();
template <>
std::span<const EnumCase<ArrowDirection>> enumCases<ArrowDirection>();
template <>
std::span<const EnumCase<MouseButton>> enumCases<MouseButton>();
template <>
std::span<const EnumCase<MouseClickType>> enumCases<MouseClickType>();

template <class E>
const EnumCase<E>& enumCase(E value) {
    for (const auto& entry : enumCases<E>())
        if (entry.value == value)
            return entry;
    return enumCases<E>().front(); // unreachable for a valid case
}

/// The stored word of a case, equal to its case name ("selectAllClear", "double").
template <class E>
std::string_view rawValue(E value) {
    return enumCase(value).rawValue;
}

/// The name under which views show a case ("Select All & Clear").
template <class E>
std::string_view displayName(E value) {
    return enumCase(value).displayName;
}

/// The case whose stored word is exactly `raw` (case-sensitive), or nothing.
template <class E>
std::optional<E> fromRawValue(std::string_view raw) {
    for (const auto& entry : enumCases<E>())
        if (entry.rawValue == raw)
            return entry.value;
    return std::nullopt;
}

/// Every case in declaration order.
template <class E>
std::vector<E> allCases() {
    std::vector<E> cases;
    for (const auto& entry : enumCases<E>())
        cases.push_back(entry.value);
    return cases;
}

/// The symbol name of a step kind's icon ("character.textbox"); the UI maps it to a theme icon.
std::string_view iconSymbol(StepType type);

/// Whether a step of this kind names a CSV column (only textInput).
bool needsLabel(StepType type);

/// Whether a step of this kind presses its key repeatCount times (skipTabs, arrowKey).
bool needsRepeatCount(StepType type);

} // namespace keyferry
