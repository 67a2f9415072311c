#include "automation/SentFormCheck.h"

#include "automation/FieldCheck.h"

namespace keyferry {

namespace {

// Enough to name what went wrong; a page listing every field's error stays readable.
constexpr std::size_t errorsQuoted = 3;

} // namespace

std::string refusedMessage(std::size_t entry, const std::vector<std::string>& errors) {
    std::string message = "Entry " + std::to_string(entry) + " refused: ";
    if (errors.empty())
        return message + "the application sent the form back with its values";
    for (std::size_t i = 0; i < errors.size() && i < errorsQuoted; ++i)
        message += (i ? " \"" : "\"") + errors[i] + "\"";
    return message;
}

SentFormCheck::SentFormCheck(DesktopServices& desktop, AutomationEngine& automation,
                             Scheduler& scheduler)
    : desktop_(desktop), automation_(automation), scheduler_(scheduler) {}

void SentFormCheck::holdFirstField(std::string value) {
    value_ = std::move(value);
    held_ = value_.empty() ? nullptr : desktop_.holdFocusedField();
}

std::optional<std::string> SentFormCheck::announced(std::size_t entry) {
    // Only a page of the target's: what another application shows says nothing of this row.
    if (!automation_.focusedField())
        return std::nullopt;
    const std::vector<std::string> errors = desktop_.announcedErrors();
    if (errors.empty())
        return std::nullopt;
    return refusedMessage(entry, errors);
}

Task<SentFormCheck::Verdict> SentFormCheck::confirm(std::size_t entry, FieldIdentity firstField,
                                                    std::optional<FieldIdentity> unmoved,
                                                    Scheduler::Duration longest,
                                                    Cancellation cancellation) {
    const auto deadline = scheduler_.now() + longest;
    const std::unique_ptr<FieldReading> sent = std::move(held_);
    Verdict verdict;
    bool waited = false;
    for (;;) {
        const auto remaining = std::max(Scheduler::Duration{0}, deadline - scheduler_.now());
        verdict.arrival =
            co_await automation_.awaitField(firstField, unmoved, remaining, cancellation);
        waited = waited || verdict.arrival.waited;
        verdict.arrival.waited = waited;
        if (cancellation.isCancelled())
            co_return verdict;
        if (verdict.arrival.result != AutomationEngine::FieldArrival::Result::arrived) {
            verdict.refusal = announced(entry);
            co_return verdict;
        }
        const auto shown = value_.empty() ? std::nullopt : desktop_.focusedFieldText();
        if (!shown) {
            verdict.refusal = announced(entry);
            co_return verdict;
        }
        if (!fieldHolds(shown->text, value_, true))
            co_return verdict; // a fresh form, or one showing other values
        // Where fields cannot be held, pages cannot be told apart: only the longest wait can.
        const auto now = desktop_.holdFocusedField();
        const bool newPage = sent && now && !now->isSameField(*sent);
        if (newPage || scheduler_.now() >= deadline) {
            auto said = announced(entry);
            verdict.refusal = said ? said : refusedMessage(entry, {});
            co_return verdict;
        }
        // The page sent has not gone yet (its answer is on its way), or checks in place.
        co_await sleepFor(scheduler_, samePagePoll, cancellation);
    }
}

} // namespace keyferry
