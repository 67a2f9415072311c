#pragma once

#include "automation/Scheduler.h"

#include <chrono>
#include <string>
#include <string_view>

namespace keyferry {

/// What reading a typed field back found.
struct FieldCheck {
    /// `held`: kept to be read later (AutomationEngine::checkTypedFields).
    enum class Result { notChecked, verified, mismatch, held };
    Result result = Result::notChecked;
    std::string field;    ///< the field's name; empty when it has none
    std::string expected; ///< what was typed
    std::string shown;    ///< what the field showed
    /// Set where the field could not be set at all (a choice it does not offer): said instead.
    std::string why;

    /// For a mismatch: Field "City" shows "Mnchen", expected "München"; or the why.
    std::string message() const;
};

/// Whether a field showing `shown` holds the typed text: equal to it when the field was
/// cleared first, ending with it when not; both in composed Unicode form, and without the
/// characters the accessibility layer adds that were not typed (U+FEFF, U+FFFC).
bool fieldHolds(std::string_view shown, std::string_view typed, bool cleared);

/// Whether a field showing `shown` holds only the end of the typed text, the first keys gone
/// nowhere; compared as fieldHolds() does.
bool showsOnlyTheEndOf(std::string_view shown, std::string_view typed);

/// Whether a field showing `shown` holds the typed text after more copies of its first
/// character: one typed again while the field seemed empty showed late; compared as
/// fieldHolds() does.
bool showsItsStartRepeated(std::string_view shown, std::string_view typed);

/// How long a field may take to show what was typed before it counts as a mismatch: an
/// application's accessibility view lags behind a long text typed at full speed, so the
/// patience grows with the text, up to a limit. A field that already shows it costs one read.
inline constexpr Scheduler::Duration readBackBasePatience = std::chrono::milliseconds(300);
inline constexpr Scheduler::Duration readBackPatiencePerCharacter = std::chrono::milliseconds(5);
inline constexpr Scheduler::Duration readBackLongestPatience = std::chrono::seconds(3);
Scheduler::Duration readBackPatience(std::string_view typed);

} // namespace keyferry
