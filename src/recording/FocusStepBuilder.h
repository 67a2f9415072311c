#pragma once

#include "automation/DesktopServices.h"
#include "model/Template.h"

#include <cstddef>
#include <optional>
#include <string>

namespace keyferry {

/// Turns the keyboard focus moving through a form into steps, for desktops that show no
/// client the keys of others: the focus entering a field that takes text is a Text Input
/// step named after the field, entering any other control is a Tab step.
class FocusStepBuilder {
public:
    /// `focusedAtStart`: the element that has the focus as the recording begins; the desktop
    /// announcing it again (GNOME does when a new input device appears) is no move.
    explicit FocusStepBuilder(std::optional<FocusedElement> focusedAtStart = std::nullopt)
        : last_(std::move(focusedAtStart)), unmovedSinceStart_(last_.has_value()) {}

    /// Whether the recorder turns this kind of element into a Text Input step: a field for
    /// text, a check box or a list.
    static bool takesText(ElementRole role);
    /// The name a field is recorded under: its title, else its description, else its
    /// placeholder; nothing when all are empty.
    static std::optional<std::string> fieldLabel(const FocusedElement& element);
    /// The name of an unnamed field that is the given step of the recording, counted from 1.
    static std::string numberedLabel(std::size_t stepNumber);

    /// The step for the element that just took the focus, numbered `stepNumber` when it is
    /// one; nothing for Keyferry's own windows, and for the element that had the focus before
    /// the user looked at Keyferry (coming back to a field is no move through the form).
    std::optional<Step> focusEntered(const FocusedElement& element, bool inKeyferry,
                                     std::size_t stepNumber);

private:
    std::optional<FocusedElement> last_;
    bool leftForKeyferry_ = false;
    bool unmovedSinceStart_ = false;
};

} // namespace keyferry
