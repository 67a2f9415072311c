#pragma once

#include "model/Enums.h"
#include "model/FieldIdentity.h"
#include "model/Uuid.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace keyferry {

/// One action of a workflow. A default-constructed step has a fresh id and the defaults
/// of a new step; whoever creates one sets its type.
struct Step {
    Uuid id = Uuid::random();
    StepType type = StepType::tab;
    std::string label;
    double postDelay = 0.3; ///< seconds after the step; the gap between presses for repeats
    std::int64_t repeatCount = 1;
    std::optional<std::string> fixedValue;
    std::optional<ArrowDirection> arrowDirection;
    std::optional<MouseButton> mouseButton;
    std::optional<MouseClickType> mouseClickType;
    std::optional<double> mousePositionX; ///< offset from the target window's left edge
    std::optional<double> mousePositionY; ///< offset from the target window's top edge
    /// The element that had the focus when the step was recorded; a run checks that it has
    /// the focus before the step's first key. Nothing for steps made by hand.
    std::optional<FieldIdentity> field;

    /// A new step of the given kind with every other field at its default.
    static Step ofType(StepType type);

    /// A textInput step with a present, non-empty fixed value needs no CSV column.
    bool isFixed() const { return fixedValue.has_value() && !fixedValue->empty(); }

    friend bool operator==(const Step&, const Step&) = default;
};

/// One data-entry workflow. A default-constructed template is a new one.
struct Template {
    static constexpr std::int64_t currentSchemaVersion = 2;

    struct Settings {
        std::int64_t countdownSeconds = 5;
        double defaultPostDelay = 0.3;
        double interCharDelay = 0.02; ///< seconds after each typed character
        /// Reads each typed field back through the accessibility layer and pauses when it
        /// does not show what was typed.
        bool verifyTypedText = true;
        /// A text input selects all and deletes before typing; off for spreadsheets, where
        /// select-all takes the whole sheet.
        bool clearFieldFirst = true;
        /// A run goes on as soon as the next step's recorded field has the focus and is ready,
        /// instead of waiting the step's delay; off for templates stored before it existed.
        bool waitForNextField = true;
        /// How long a run waits for the next field before it pauses.
        double longestFieldWait = 10;

        friend bool operator==(const Settings&, const Settings&) = default;
    };

    Uuid id = Uuid::random();
    std::int64_t schemaVersion = currentSchemaVersion;
    std::string name = "New Template";
    std::optional<std::string> targetAppBundleID;
    std::vector<Step> steps;
    Settings settings;

    /// Labels of the textInput steps that read a CSV column, in step order; duplicates and
    /// empty labels included. This is the header a CSV file must have.
    std::vector<std::string> textInputLabels() const;

    friend bool operator==(const Template&, const Template&) = default;
};

} // namespace keyferry
