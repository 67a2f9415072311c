#pragma once

#include "automation/DesktopServices.h"
#include "model/FieldIdentity.h"

#include <optional>
#include <string>

namespace keyferry {

/// The identity a step records for the element that has the focus.
FieldIdentity fieldIdentity(const FocusedElement& element);

/// Whether the element now focused is the field a step recorded: the same kind, name and id,
/// in the same named groups; for a field with neither name nor id, also in the same place. What
/// changes between loads of a form (object numbers, values) plays no part.
bool isRecordedField(const FieldIdentity& recorded, const FieldIdentity& focused);

/// How messages name a field: "City", else its id, else its kind ("an unnamed text field").
std::string fieldDisplayName(const FieldIdentity& field);

/// Expected field "City", but the focus is on "Street" (or: but no field has the focus).
std::string wrongFieldMessage(const FieldIdentity& expected,
                              const std::optional<FieldIdentity>& focused);
/// Field "Name" did not come within 10 s
std::string fieldDidNotComeMessage(const FieldIdentity& expected, double seconds);

} // namespace keyferry
