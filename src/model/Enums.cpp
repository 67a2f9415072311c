#include "model/Enums.h"

namespace keyferry {

namespace {

struct StepTypeTraits {
    std::string_view iconSymbol;
    bool needsLabel;
    bool needsRepeatCount;
};

constexpr EnumCase<StepType> stepTypes[] = {
    {StepType::textInput, "textInput", "Text Input"},
    {StepType::tab, "tab", "Tab"},
    {StepType::returnKey, "returnKey", "Return"},
    {StepType::wait, "wait", "Wait (Click)"},
    {StepType::pause, "pause", "Pause"},
    {StepType::skipTabs, "skipTabs", "Skip Tabs"},
    {StepType::selectAllClear, "selectAllClear", "Select All & Clear"},
    {StepType::arrowKey, "arrowKey", "Arrow Key"},
    {StepType::mouseClick, "mouseClick", "Mouse Click"},
};

// Indexed by StepType, in declaration order.
constexpr StepTypeTraits stepTypeTraits[] = {
    {"character.textbox", true, false},
    {"arrow.right.to.line", false, false},
    {"return", false, false},
    {"hand.tap", false, false},
    {"pause", false, false},
    {"arrow.right.to.line.compact", false, true},
    {"delete.left", false, false},
    {"arrow.up.arrow.down", false, true},
    {"cursorarrow.click", false, false},
};

constexpr EnumCase<ArrowDirection> arrowDirections[] = {
    {ArrowDirection::up, "up", "Up"},
    {ArrowDirection::down, "down", "Down"},
    {ArrowDirection::left, "left", "Left"},
    {ArrowDirection::right, "right", "Right"},
};

constexpr EnumCase<MouseButton> mouseButtons[] = {
    {MouseButton::left, "left", "Left"},
    {MouseButton::right, "right", "Right"},
};

constexpr EnumCase<MouseClickType> mouseClickTypes[] = {
    {MouseClickType::single, "single", "Single"},
    {MouseClickType::double_, "double", "Double"},
};

const StepTypeTraits& traits(StepType type) {
    return stepTypeTraits[static_cast<std::size_t>(type)];
}

} // namespace

template <>
std::span<const EnumCase<StepType>> enumCases<StepType>() {
    return stepTypes;
}
template <>
std::span<const EnumCase<ArrowDirection>> enumCases<ArrowDirection>() {
    return arrowDirections;
}
template <>
std::span<const EnumCase<MouseButton>> enumCases<MouseButton>() {
    return mouseButtons;
}
template <>
std::span<const EnumCase<MouseClickType>> enumCases<MouseClickType>() {
    return mouseClickTypes;
}

std::string_view iconSymbol(StepType type) {
    return traits(type).iconSymbol;
}
bool needsLabel(StepType type) {
    return traits(type).needsLabel;
}
bool needsRepeatCount(StepType type) {
    return traits(type).needsRepeatCount;
}

} // namespace keyferry
