#pragma once

#include <string>
#include <vector>

namespace keyferry {

/// Which element of a form a step acts on, as the accessibility layer named it when the step
/// was recorded. Only what stays the same between loads of one form is kept: never object
/// numbers, never values.
struct FieldIdentity {
    /// The kind of control, as stored: "text", "text area", "combo box", "search", "check box",
    /// "list" or "other".
    std::string role;
    std::string name; ///< accessible name, or its label's
    std::string id;   ///< the id its toolkit or page gives it (a web page's id); empty when none
    /// The names of the named groups it lies in (a fieldset, a section), outermost first: tells
    /// "Street" of a billing address from "Street" of a delivery address.
    std::vector<std::string> context;
    /// Its place among its siblings and theirs, from the window down ("0/3/1"): only for a
    /// field without name and id, where nothing else tells it apart.
    std::string place;

    friend bool operator==(const FieldIdentity&, const FieldIdentity&) = default;
};

} // namespace keyferry
