#include "model/Template.h"

namespace keyferry {

Step Step::ofType(StepType type) {
    Step step;
    step.type = type;
    return step;
}

std::vector<std::string> Template::textInputLabels() const {
    std::vector<std::string> labels;
    for (const Step& step : steps)
        if (step.type == StepType::textInput && !step.isFixed())
            labels.push_back(step.label);
    return labels;
}

} // namespace keyferry
