#pragma once

#include <string>
#include <string_view>

namespace keyferry {

/// What reading a typed field back found.
struct FieldCheck {
    enum class Result { notChecked, verified, mismatch };
    Result result = Result::notChecked;
    std::string field;    ///< the field's name; empty when it has none
    std::string expected; ///< what was typed
    std::string shown;    ///< what the field showed

    /// For a mismatch: Field "City" shows "Mnchen", expected "München".
    std::string message() const;
};

/// Whether a field showing `shown` holds the typed text: equal to it when the field was
/// cleared first, ending with it when not; both in composed Unicode form.
bool fieldHolds(std::string_view shown, std::string_view typed, bool cleared);

} // namespace keyferry
