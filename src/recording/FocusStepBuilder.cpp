#include "recording/FocusStepBuilder.h"

#include "automation/FieldMatch.h"

namespace keyferry {

namespace {

bool sameElement(const FocusedElement& a, const FocusedElement& b) {
    return a.role == b.role && a.title == b.title && a.description == b.description &&
           a.placeholder == b.placeholder && a.processID == b.processID;
}

// "Name:" beside a field names the column "Name": the colon is the form's punctuation.
std::string withoutLabelColon(const std::string& label) {
    std::size_t end = label.size();
    if (end == 0 || label[end - 1] != ':')
        return label;
    --end;
    while (end > 0 && label[end - 1] == ' ')
        --end;
    return end == 0 ? label : label.substr(0, end);
}

} // namespace

bool FocusStepBuilder::takesText(ElementRole role) {
    // A check box and a list take a value too: the run ticks or chooses from it.
    return role != ElementRole::other;
}

std::optional<std::string> FocusStepBuilder::fieldLabel(const FocusedElement& element) {
    for (const std::string* candidate :
         {&element.title, &element.description, &element.placeholder})
        if (!candidate->empty())
            return withoutLabelColon(*candidate);
    return std::nullopt;
}

std::string FocusStepBuilder::numberedLabel(std::size_t stepNumber) {
    return "Feld_" + std::to_string(stepNumber);
}

std::optional<Step> FocusStepBuilder::focusEntered(const FocusedElement& element, bool inKeyferry,
                                                   std::size_t stepNumber) {
    if (inKeyferry) {
        leftForKeyferry_ = last_.has_value();
        unmovedSinceStart_ = false;
        return std::nullopt;
    }
    // Attributes are all there is to tell elements apart, so only a return from Keyferry
    // counts as the same element again: two unnamed fields in a row are two steps.
    const bool returned =
        (leftForKeyferry_ || unmovedSinceStart_) && last_ && sameElement(*last_, element);
    leftForKeyferry_ = false;
    unmovedSinceStart_ = false;
    last_ = element;
    if (returned)
        return std::nullopt;
    if (!takesText(element.role)) {
        Step step = Step::ofType(StepType::tab);
        step.postDelay = 0;
        step.field = fieldIdentity(element);
        return step;
    }
    Step step = Step::ofType(StepType::textInput);
    step.postDelay = 0.3;
    step.label = fieldLabel(element).value_or(numberedLabel(stepNumber));
    step.field = fieldIdentity(element);
    return step;
}

} // namespace keyferry
