#pragma once

#include "automation/AutomationEngine.h"
#include "automation/DesktopServices.h"
#include "automation/Scheduler.h"
#include "automation/Task.h"
#include "automation/Waits.h"
#include "model/FieldIdentity.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace keyferry {

/// Whether the application took a row it was sent. Every key landing is not enough: a server
/// that refuses a row sends the form back with the row's values and its errors. So once the
/// row's form is sent, the run waits for the form the next row starts in (the template's first
/// field, as the next row would) and calls the row refused when
/// - that field is a new one (a page loaded anew) and still shows this row's value, or the same
///   one still shows it once the longest field wait has passed (a page that checks in place), or
/// - the page announces an error (an alert, an error message, a field marked invalid) and the
///   field showed nothing to tell by: the row's value for it was empty or fixed, it could not be
///   read, or another field than the first has the focus now.
/// A fresh form (the field empty or showing other text) took the row. Only the first field is
/// compared: reading the whole form back would cost the next row's time, and a form sent back
/// keeps all of its values or none of the ones the user typed.
class SentFormCheck {
public:
    SentFormCheck(DesktopServices& desktop, AutomationEngine& automation, Scheduler& scheduler);

    /// Called when the row's first field has come, before its first key: holds that field, to
    /// tell it from a new page's later. `value`: what the row types into it (empty when the row
    /// types nothing of its own there: an empty cell, a fixed value).
    void holdFirstField(std::string value);
    struct Verdict {
        /// Nothing when the row was taken or nothing tells otherwise; else what the application
        /// said, for the user (`Entry 6 refused: "Enter a valid email address."`).
        std::optional<std::string> refusal;
        /// How the wait for the first field ended: the next row's own wait for it, which would
        /// wait the same again.
        AutomationEngine::FieldArrival arrival;
    };
    /// After the row's last step, which may have sent the form: waits for `firstField` (the
    /// focus on `unmoved` not counting as another field yet) for at most `longest`.
    Task<Verdict> confirm(std::size_t entry, FieldIdentity firstField,
                          std::optional<FieldIdentity> unmoved, Scheduler::Duration longest,
                          Cancellation cancellation);

    /// How often the same field still showing the row's value is looked at again.
    static constexpr Scheduler::Duration samePagePoll = std::chrono::milliseconds(25);

private:
    /// The page's errors as the message says them; nothing when it announces none.
    std::optional<std::string> announced(std::size_t entry);

    DesktopServices& desktop_;
    AutomationEngine& automation_;
    Scheduler& scheduler_;
    std::string value_;
    std::unique_ptr<FieldReading> held_;
};

/// Entry 6 refused: "Enter a valid email address." (the application's own words, the first few
/// of them; the generic reason where it gave none).
std::string refusedMessage(std::size_t entry, const std::vector<std::string>& errors);

} // namespace keyferry
