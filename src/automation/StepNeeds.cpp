#include "automation/StepNeeds.h"

#include <algorithm>

namespace keyferry {

namespace {

bool beyondAscii(const std::string& text) {
    return std::ranges::any_of(text, [](char c) { return static_cast<unsigned char>(c) > 0x7F; });
}

std::string quoted(std::string_view text) {
    return "\u201C" + std::string(text) + "\u201D";
}

/// "“NAME” (WHY. What you can do: REMEDY.)" for each missing capability.
std::string explain(const std::vector<const CapabilityState*>& missing) {
    std::string text;
    for (const CapabilityState* state : missing) {
        if (!text.empty())
            text += " ";
        text += quoted(capabilityName(state->capability)) + " is missing: " + state->why +
                ". What you can do: " + state->remedy + ".";
    }
    return text;
}

} // namespace

std::vector<Capability> capabilitiesNeeded(const Step& step) {
    switch (step.type) {
    case StepType::textInput:
        if (step.isFixed() && beyondAscii(*step.fixedValue))
            return {Capability::typeLayoutText, Capability::typeAnyText};
        return {Capability::typeLayoutText};
    case StepType::tab:
    case StepType::returnKey:
    case StepType::skipTabs:
    case StepType::selectAllClear:
    case StepType::arrowKey:
        return {Capability::typeLayoutText};
    case StepType::mouseClick:
        if (step.mousePositionX && step.mousePositionY)
            return {Capability::click, Capability::windowBounds};
        return {Capability::click};
    case StepType::wait:
        return {Capability::watchClicks};
    case StepType::pause:
        break;
    }
    return {};
}

std::vector<const CapabilityState*> missingFor(const Step& step,
                                               const DesktopDescription& description) {
    std::vector<const CapabilityState*> missing;
    for (const Capability capability : capabilitiesNeeded(step)) {
        const CapabilityState* state = findCapability(description, capability);
        if (state && !state->available)
            missing.push_back(state);
    }
    return missing;
}

std::optional<std::string> stepWarning(const Step& step, const DesktopDescription& description) {
    const auto missing = missingFor(step, description);
    if (missing.empty())
        return std::nullopt;
    return "This step cannot run on this desktop (" + std::string(desktopName(description.kind)) +
           "). " + explain(missing);
}

std::optional<std::string> runRefusal(const Template& item, const DesktopDescription& description) {
    for (std::size_t i = 0; i < item.steps.size(); ++i) {
        const Step& step = item.steps[i];
        const auto missing = missingFor(step, description);
        if (missing.empty())
            continue;
        return "Not started: step " + std::to_string(i + 1) + " (" +
               std::string(displayName(step.type)) + ") cannot run on this desktop (" +
               std::string(desktopName(description.kind)) + "). " + explain(missing);
    }
    return std::nullopt;
}

} // namespace keyferry
