#include "automation/AutomationEngine.h"

#include "automation/CheckBoxValues.h"
#include "text/UnicodeText.h"

#include <algorithm>
#include <utility>

namespace keyferry {

AutomationEngine::AutomationEngine(DesktopServices& desktop, Scheduler& scheduler)
    : desktop_(desktop), scheduler_(scheduler), pacing_(desktop.keyPacing()) {}

AutomationEngine::~AutomationEngine() {
    releaseEverythingPressed();
}

namespace {

// Preparing a character again and again without it becoming ready means the keyboard
// cannot type it; a few rounds (a rebind after a settle wait) are normal.
constexpr int preparationRounds = 4;
constexpr Scheduler::Duration preparationPatience = std::chrono::seconds(5);

Posted mouseFailure(Posted posted) {
    if (!posted)
        posted.setDevice(Posted::Device::mouse);
    return posted;
}

} // namespace

bool AutomationEngine::mayPress(const Cancellation& cancellation) {
    if (watch_ && watch_->isArmed())
        desktop_.deliverPendingInput(); // a key the user pressed a moment ago counts now
    if (halted(cancellation))
        return false;
    if (binding_ && !binding_->holdsFocus())
        targetLost_ = true;
    return !halted(cancellation);
}

bool AutomationEngine::mayClick(Point position, const Cancellation& cancellation) {
    if (!mayPress(cancellation))
        return false;
    if (binding_ && !binding_->holdsPoint(position))
        targetLost_ = true;
    return !halted(cancellation);
}

template <class Send>
std::optional<Posted> AutomationEngine::sendChecked(const Cancellation& cancellation,
                                                    std::optional<Point> click, Send send) {
    std::optional<Posted> outcome;
    if (const Posted held = desktop_.holdInputRouting(); !held)
        outcome = held;
    else if (click ? mayClick(*click, cancellation) : mayPress(cancellation))
        outcome = send();
    desktop_.releaseInputRouting();
    return outcome;
}

Posted AutomationEngine::post(Key key, Modifiers modifiers, bool down) {
    const Posted posted = desktop_.postKey(key, modifiers, down);
    if (down && posted)
        keysDown_.insert({key, modifiers.bits()});
    if (!down)
        keysDown_.erase({key, modifiers.bits()});
    return posted;
}

Posted AutomationEngine::postButton(MouseButton button, Point position, bool down, int clickState) {
    const Posted posted = desktop_.postMouseButton(button, position, down, clickState);
    if (down && posted)
        buttonsDown_.push_back({button, position});
    if (!down)
        std::erase_if(buttonsDown_, [&](const ButtonDown& b) { return b.button == button; });
    return posted;
}

void AutomationEngine::releaseEverythingPressed() {
    const auto keys = keysDown_;
    for (const auto& [key, bits] : keys) {
        Modifiers modifiers;
        for (Modifier m : {Modifier::control, Modifier::shift, Modifier::alt})
            if (bits & static_cast<std::uint8_t>(m))
                modifiers = modifiers | m;
        post(key, modifiers, false);
    }
    const auto buttons = buttonsDown_;
    for (const ButtonDown& down : buttons)
        postButton(down.button, down.position, false, 1);
}

bool AutomationEngine::focusBelongsTo(const std::string& bundleID) {
    const auto focus = desktop_.focusedWindow();
    const auto facts = focus ? desktop_.windowFacts(*focus) : std::nullopt;
    return facts && facts->bundleID == bundleID;
}

Task<Posted> AutomationEngine::pressKey(Key key, Modifiers modifiers, Cancellation cancellation) {
    if (halted(cancellation))
        co_return Posted{};
    // Asked again after each wait: a desktop may still be busy then (a paste the application
    // has not fetched yet); bounded like a text's preparation.
    const auto giveUp = scheduler_.now() + preparationPatience;
    for (;;) {
        const auto settle = desktop_.prepareKey(key, modifiers);
        if (!settle)
            co_return Posted::failure(settle.error());
        if (*settle <= Scheduler::Duration{0})
            break;
        co_await sleepFor(scheduler_, *settle, cancellation);
        if (halted(cancellation) || scheduler_.now() >= giveUp)
            break;
    }
    const auto down =
        sendChecked(cancellation, std::nullopt, [&] { return post(key, modifiers, true); });
    if (!down || !*down)
        co_return down.value_or(Posted{});
    co_await sleepFor(scheduler_, pacing_.hold, cancellation);
    post(key, modifiers, false); // a release always goes out, even after a stop
    if (!modifiers.empty())
        co_await sleepFor(scheduler_, pacing_.pause, cancellation);
    co_return Posted{};
}

Task<Posted> AutomationEngine::prepare(std::string_view text, Cancellation cancellation) {
    const auto clusters = graphemeClusters(text);
    const std::string_view first = clusters.empty() ? text : clusters.front();
    // A desktop may ask for short waits again and again while the target reads what was
    // typed before (X11): rounds that wait are bounded by time, rounds that do not by count.
    const auto giveUp = scheduler_.now() + preparationPatience;
    for (int idle = 0; idle < preparationRounds && scheduler_.now() < giveUp;) {
        const auto settle = desktop_.prepareText(text);
        if (!settle)
            co_return Posted::failure(settle.error());
        if (*settle > Scheduler::Duration{0})
            co_await sleepFor(scheduler_, *settle, cancellation);
        else
            ++idle;
        if (halted(cancellation) || desktop_.isPrepared(first))
            co_return Posted{};
    }
    co_return Posted::failure("the keyboard cannot be set up for \"" + std::string(first) + "\"");
}

void AutomationEngine::prepareAhead(std::string_view text) {
    if (!text.empty())
        (void)desktop_.prepareText(text); // a failure shows when the text is typed
}

Task<Posted> AutomationEngine::typeText(std::string text, double interCharDelay,
                                        Cancellation cancellation) {
    if (text.empty())
        co_return Posted{};
    const auto delay = secondsToDuration(interCharDelay);
    // Everything the text needs is made typable up front, so the characters then go out at
    // full speed; only a text needing more than the keyboard holds at once prepares again.
    Posted typed = co_await prepare(text, cancellation);
    auto start = scheduler_.now();
    std::int64_t sent = 0;
    for (std::string_view character : graphemeClusters(text)) {
        if (!typed || halted(cancellation))
            break;
        if (!desktop_.isPrepared(character)) {
            const auto offset = static_cast<std::size_t>(character.data() - text.data());
            typed = co_await prepare(std::string_view(text).substr(offset), cancellation);
            if (!typed || halted(cancellation))
                break;
            start = scheduler_.now() - delay * sent; // the wait does not count as lateness
        }
        const auto posted = sendChecked(cancellation, std::nullopt,
                                        [&] { return desktop_.postCharacter(character); });
        if (!posted)
            break; // halted: not a failure to type, the run sees why
        typed = *posted;
        if (!typed)
            break;
        ++sent;
        // Absolute deadlines: time spent posting or a late timer is made up, not added.
        const auto due = start + delay * sent;
        co_await sleepFor(scheduler_, std::max(due - scheduler_.now(), Scheduler::Duration{0}),
                          cancellation);
    }
    desktop_.endText();
    co_return typed;
}

Task<Posted> AutomationEngine::performMouseClick(MouseButton button, MouseClickType clickType,
                                                 Point position, Cancellation cancellation) {
    const auto press = [&](int clickState) {
        return sendChecked(cancellation, position,
                           [&] { return postButton(button, position, true, clickState); });
    };
    if (const auto down = press(1); !down || !*down)
        co_return mouseFailure(down.value_or(Posted{}));
    co_await sleepFor(scheduler_, keyHold, cancellation);
    postButton(button, position, false, 1);
    if (clickType != MouseClickType::double_)
        co_return Posted{};
    co_await sleepFor(scheduler_, shortPause, cancellation);
    if (const auto down = press(2); !down || !*down)
        co_return mouseFailure(down.value_or(Posted{}));
    co_await sleepFor(scheduler_, keyHold, cancellation);
    postButton(button, position, false, 2);
    co_return Posted{};
}

Task<void> AutomationEngine::postDelay(double seconds, Cancellation cancellation) {
    if (seconds > 0)
        co_await sleepFor(scheduler_, secondsToDuration(seconds), cancellation);
}

Task<Posted> AutomationEngine::repeatKey(Key key, std::int64_t count, double gap,
                                         Cancellation cancellation) {
    for (std::int64_t i = 0; i < count && !halted(cancellation); ++i) {
        if (i > 0)
            co_await postDelay(gap, cancellation);
        if (const Posted pressed = co_await pressKey(key, {}, cancellation); !pressed)
            co_return pressed;
    }
    co_return Posted{};
}

Task<Posted> AutomationEngine::clearField(Cancellation cancellation) {
    if (const Posted all = co_await pressKey(Key::a, Modifier::control, cancellation); !all)
        co_return all;
    co_await sleepFor(scheduler_, pacing_.afterSelectAll, cancellation);
    if (const Posted back = co_await pressKey(Key::backspace, {}, cancellation); !back)
        co_return back;
    co_await sleepFor(scheduler_, pacing_.pause, cancellation);
    co_return Posted{};
}

Task<Posted> AutomationEngine::typeFirstUntilShown(std::string first, Cancellation cancellation) {
    for (int attempt = 0; attempt < firstKeyAttempts && !halted(cancellation); ++attempt) {
        if (const Posted typed = co_await typeText(first, 0, cancellation); !typed)
            co_return typed;
        const auto deadline = scheduler_.now() + firstKeyPatience;
        for (;;) {
            const auto field = desktop_.focusedFieldText();
            const int target = binding_ ? binding_->boundProcessID() : 0;
            // Something shows, or nothing can be told: the read-back after the text judges.
            if (!field || (field->processID && target && field->processID != target) ||
                !field->text.empty())
                co_return Posted{};
            if (scheduler_.now() >= deadline || halted(cancellation))
                break;
            co_await sleepFor(scheduler_, readBackPoll, cancellation);
        }
    }
    co_return Posted{};
}

Task<std::shared_ptr<FieldReading>>
AutomationEngine::holdFieldAfterTheLast(Cancellation cancellation) {
    std::shared_ptr<FieldReading> held = desktop_.holdFocusedField();
    const auto deadline = scheduler_.now() + focusLeavePatience;
    while (held && lastTextField_ && held->isSameField(*lastTextField_) &&
           scheduler_.now() < deadline && !halted(cancellation)) {
        co_await sleepFor(scheduler_, readBackPoll, cancellation);
        held = desktop_.holdFocusedField();
    }
    co_return held;
}

namespace {

// The field shows the end of what was typed and nothing else (the first keys went nowhere), or
// the text after a first character typed again that showed late after all.
bool lostItsStart(const FieldCheck& check, std::string_view typed) {
    return check.result == FieldCheck::Result::mismatch &&
           (showsOnlyTheEndOf(check.shown, typed) || showsItsStartRepeated(check.shown, typed));
}

} // namespace

Task<Posted> AutomationEngine::enterText(const Step& step, const std::optional<std::string>& value,
                                         const Template::Settings& settings,
                                         Cancellation cancellation) {
    const bool firstOnPage = std::exchange(checkAtOnce_, false);
    if (setsCheckBox(step))
        co_return co_await setCheckBox(step, value, settings, firstOnPage, cancellation);
    if (step.field && (step.field->role == "combo box" || step.field->role == "list"))
        if (auto choices = desktop_.focusedChoices())
            co_return co_await choose(step, std::move(*choices), value.value_or(""), settings,
                                      firstOnPage, cancellation);
    const std::string text = value.value_or("");
    // Not cleared and nothing typed: there is nothing of ours to look for.
    const bool checks = settings.verifyTypedText && (settings.clearFieldFirst || !text.empty());
    const bool atOnce = firstOnPage && checks;
    // Held before the first key, once the focus has left the field typed before.
    std::shared_ptr<FieldReading> held;
    if (checks && readBackLater_ && !atOnce)
        held = co_await holdFieldAfterTheLast(cancellation);
    popupsBeforeText_ = desktop_.shownPopups();
    if (!settings.clearFieldFirst)
        co_await sleepFor(scheduler_, pacing_.pause, cancellation); // as after a clearing
    else if (const Posted cleared = co_await clearField(cancellation); !cleared)
        co_return cleared;
    // Into a page just waited for, the first character goes alone until it shows (Firefox drops
    // the first keys after a load: seen in 17 of 30 rows), then the rest at full speed.
    std::string_view rest = text;
    if (atOnce && !text.empty() && !halted(cancellation)) {
        const std::string first(graphemeClusters(text).front());
        if (const Posted typed = co_await typeFirstUntilShown(first, cancellation); !typed)
            co_return typed;
        rest.remove_prefix(first.size());
    }
    if (!rest.empty() && !halted(cancellation))
        if (const Posted typed =
                co_await typeText(std::string(rest), settings.interCharDelay, cancellation);
            !typed)
            co_return typed;
    if (halted(cancellation))
        co_return Posted{};
    co_await sleepFor(scheduler_, pacing_.pause, cancellation);
    if (held) {
        lastTextField_ = held;
        typedFields_.push_back(
            {std::move(held), text, settings.clearFieldFirst, step.label, scheduler_.now()});
        fieldCheck_.result = FieldCheck::Result::held;
    } else if (checks) {
        fieldCheck_ = co_await readBack(text, settings.clearFieldFirst, step.label, cancellation);
        if (atOnce && settings.clearFieldFirst && lostItsStart(fieldCheck_, text) &&
            !halted(cancellation)) {
            if (const Posted cleared = co_await clearField(cancellation); !cleared)
                co_return cleared;
            if (const Posted typed = co_await typeText(text, settings.interCharDelay, cancellation);
                !typed)
                co_return typed;
            co_await sleepFor(scheduler_, pacing_.pause, cancellation);
            if (!halted(cancellation))
                fieldCheck_ = co_await readBack(text, true, step.label, cancellation);
        }
        if (fieldCheck_.result == FieldCheck::Result::mismatch || halted(cancellation))
            co_return Posted{}; // no Tab: the field that shows it wrong stays in view
        // Not held at first (the focus was between fields): held now that it shows the text.
        if (readBackLater_)
            lastTextField_ = desktop_.holdFocusedField();
    }
    if (const auto closed = co_await closeNewPopups(popupsBeforeText_, cancellation)) {
        if (!*closed || halted(cancellation))
            co_return *closed;
        // The field must still show its text after the Escape (a held field is read later).
        if (checks && fieldCheck_.result != FieldCheck::Result::held) {
            fieldCheck_ =
                co_await readBack(text, settings.clearFieldFirst, step.label, cancellation);
            if (fieldCheck_.result == FieldCheck::Result::mismatch || halted(cancellation))
                co_return Posted{};
        }
    }
    co_return co_await leaveField(step, firstOnPage && text.empty(), cancellation);
}

Task<bool> AutomationEngine::showsWithin(std::function<bool()> shows, Scheduler::Duration patience,
                                         Cancellation cancellation) {
    const auto deadline = scheduler_.now() + patience;
    while (!shows()) {
        if (scheduler_.now() >= deadline || halted(cancellation))
            co_return false;
        co_await sleepFor(scheduler_, readBackPoll, cancellation);
    }
    co_return true;
}

bool AutomationEngine::focusStaysOn(const FieldIdentity& field) {
    const auto element = targetFocus(true);
    if (!element || !isRecordedField(field, fieldIdentity(*element)))
        return false;
    // A field that took the Tab as a character (a text area) shows it.
    const auto shown = desktop_.focusedFieldText();
    return !shown || shown->text.empty();
}

Task<Posted> AutomationEngine::leaveField(const Step& step, bool untilLeft,
                                          Cancellation cancellation) {
    for (int attempt = 1;; ++attempt) {
        if (const Posted pressed = co_await pressKey(Key::tab, {}, cancellation); !pressed)
            co_return pressed;
        if (!untilLeft || !step.field || attempt == firstKeyAttempts)
            co_return Posted{};
        const auto deadline = scheduler_.now() + focusLeavePatience;
        while (focusStaysOn(*step.field) && scheduler_.now() < deadline && !halted(cancellation))
            co_await sleepFor(scheduler_, readBackPoll, cancellation);
        if (halted(cancellation) || !focusStaysOn(*step.field))
            co_return Posted{};
    }
}

Task<std::optional<Posted>> AutomationEngine::closeNewPopups(std::vector<std::string> before,
                                                             Cancellation cancellation) {
    const auto shown = desktop_.shownPopups();
    const bool opened = std::ranges::any_of(shown, [&](const std::string& popup) {
        return std::ranges::find(before, popup) == before.end();
    });
    if (!opened || halted(cancellation))
        co_return std::nullopt;
    const Posted pressed = co_await pressKey(Key::escape, {}, cancellation);
    co_await sleepFor(scheduler_, pacing_.pause, cancellation); // the list closes
    co_return pressed;
}

namespace {

std::string fieldName(const Step& step) {
    return step.field && !step.field->name.empty() ? step.field->name : step.label;
}

const char* tickWord(bool ticked) {
    return ticked ? "ticked" : "not ticked";
}

} // namespace

Task<Posted> AutomationEngine::setCheckBox(const Step& step,
                                           const std::optional<std::string>& value,
                                           const Template::Settings& settings, bool firstOnPage,
                                           Cancellation cancellation) {
    const std::string name = fieldName(step);
    const auto wanted = checkBoxState(value.value_or(""));
    FieldCheck check{FieldCheck::Result::mismatch, name, value.value_or(""), "", ""};
    if (!wanted) { // refused before the run; a value that slipped through sets nothing
        check.why = "\"" + check.expected + "\" is not a value for check box \"" + name + "\"";
        fieldCheck_ = check;
        co_return Posted{};
    }
    check.expected = tickWord(*wanted);
    const auto state = desktop_.focusedCheckState();
    if (!state) {
        check.why = "Check box \"" + name +
                    "\" cannot be read: Keyferry cannot tell whether to "
                    "press it";
        fieldCheck_ = check;
        co_return Posted{};
    }
    const bool presses = *state != *wanted;
    // Into a page just waited for, Space goes again while the box does not show it.
    for (int attempt = 1; presses; ++attempt) {
        if (const Posted pressed = co_await pressKey(Key::space, {}, cancellation); !pressed)
            co_return pressed;
        if (!firstOnPage || attempt == firstKeyAttempts ||
            co_await showsWithin([&] { return desktop_.focusedCheckState() == wanted; },
                                 firstKeyPatience, cancellation))
            break;
    }
    if (halted(cancellation))
        co_return Posted{};
    if (settings.verifyTypedText) {
        const auto deadline = scheduler_.now() + readBackBasePatience;
        std::optional<bool> now = desktop_.focusedCheckState();
        while (now != wanted && scheduler_.now() < deadline && !halted(cancellation)) {
            co_await sleepFor(scheduler_, readBackPoll, cancellation);
            now = desktop_.focusedCheckState();
        }
        if (halted(cancellation))
            co_return Posted{};
        check.result = now == wanted ? FieldCheck::Result::verified : FieldCheck::Result::mismatch;
        check.shown = now ? tickWord(*now) : "unreadable";
        fieldCheck_ = check;
        if (check.result == FieldCheck::Result::mismatch)
            co_return Posted{}; // no Tab: the check box stays in view
    }
    co_return co_await leaveField(step, firstOnPage && !presses, cancellation);
}

Task<Posted> AutomationEngine::choose(const Step& step, FieldChoices choices,
                                      const std::string& value, const Template::Settings& settings,
                                      bool firstOnPage, Cancellation cancellation) {
    const std::string name = fieldName(step);
    const auto selectedText = [&](const FieldChoices& now) {
        return now.selected && *now.selected < now.options.size() ? now.options[*now.selected]
                                                                  : std::string();
    };
    const ListChoice wanted = listChoice(choices, value);
    if (!wanted.offered) {
        fieldCheck_ = FieldCheck{FieldCheck::Result::mismatch, name, value, selectedText(choices),
                                 "Field \"" + name + "\" has no option \"" + value + "\""};
        co_return Posted{};
    }
    // With nothing selected, the first Down selects the first option.
    const auto index = [](std::optional<std::size_t> option) {
        return option ? static_cast<std::ptrdiff_t>(*option) : std::ptrdiff_t{-1};
    };
    const std::ptrdiff_t target = index(wanted.option);
    bool moves = target != index(choices.selected);
    // Selected without a key where the toolkit allows: no popup can take it.
    if (moves && wanted.option && co_await selectWithoutKeys(*wanted.option, cancellation)) {
        moves = false; // no key went to it
    } else if (moves && !halted(cancellation)) {
        if (auto now = desktop_.focusedChoices())
            choices = std::move(*now); // a selection that went partly
        // A list the last text opened would take the arrows meant for this one.
        if (const auto closed = co_await closeNewPopups(popupsBeforeText_, cancellation);
            closed && !*closed)
            co_return *closed;
    }
    // Into a page just waited for, the arrows go again, from where the list is, while it does
    // not show the option.
    for (int attempt = 1; moves; ++attempt) {
        const std::ptrdiff_t from = index(choices.selected);
        const Key arrow = target > from ? Key::down : Key::up;
        for (std::ptrdiff_t i = 0; i < std::abs(target - from) && !halted(cancellation); ++i)
            if (const Posted pressed = co_await pressKey(arrow, {}, cancellation); !pressed)
                co_return pressed;
        if (!firstOnPage || !moves || attempt == firstKeyAttempts || halted(cancellation))
            break;
        auto now = desktop_.focusedChoices();
        if (co_await showsWithin(
                [&] {
                    now = desktop_.focusedChoices();
                    return !now || now->selected == wanted.option;
                },
                firstKeyPatience, cancellation))
            break;
        choices = std::move(*now);
    }
    if (halted(cancellation))
        co_return Posted{};
    if (settings.verifyTypedText) {
        const auto deadline = scheduler_.now() + readBackBasePatience;
        auto now = desktop_.focusedChoices();
        const auto holds = [&] { return now && now->selected == wanted.option; };
        while (!holds() && scheduler_.now() < deadline && !halted(cancellation)) {
            co_await sleepFor(scheduler_, readBackPoll, cancellation);
            now = desktop_.focusedChoices();
        }
        if (halted(cancellation))
            co_return Posted{};
        fieldCheck_ =
            FieldCheck{holds() ? FieldCheck::Result::verified : FieldCheck::Result::mismatch, name,
                       wanted.option ? choices.options[*wanted.option] : std::string(),
                       now ? selectedText(*now) : "", ""};
        if (fieldCheck_.result == FieldCheck::Result::mismatch)
            co_return Posted{};
    }
    co_return co_await leaveField(step, firstOnPage && !moves, cancellation);
}

Task<bool> AutomationEngine::selectWithoutKeys(std::size_t option, Cancellation cancellation) {
    if (!mayPress(cancellation) || !desktop_.selectChoice(option))
        co_return false;
    const auto deadline = scheduler_.now() + readBackBasePatience;
    for (;;) {
        if (const auto now = desktop_.focusedChoices(); now && now->selected == option)
            co_return true;
        if (scheduler_.now() >= deadline || halted(cancellation))
            co_return false;
        co_await sleepFor(scheduler_, readBackPoll, cancellation);
    }
}

Task<FieldCheck> AutomationEngine::readBack(std::string typed, bool cleared, std::string label,
                                            Cancellation cancellation) {
    FieldCheck check;
    check.expected = typed;
    const auto deadline = scheduler_.now() + readBackPatience(typed);
    for (;;) {
        const auto field = desktop_.focusedFieldText();
        const int target = binding_ ? binding_->boundProcessID() : 0;
        // A field of another process is a stale focus report, not the one typed into.
        if (!field || (field->processID && target && field->processID != target))
            co_return FieldCheck{};
        check.field = field->name.empty() ? label : field->name;
        check.shown = field->text;
        if (fieldHolds(field->text, typed, cleared)) {
            check.result = FieldCheck::Result::verified;
            co_return check;
        }
        // The application may still be working through the last keys: read again a little.
        if (scheduler_.now() >= deadline)
            break;
        co_await sleepFor(scheduler_, readBackPoll, cancellation);
        if (halted(cancellation))
            co_return FieldCheck{};
    }
    check.result = FieldCheck::Result::mismatch;
    co_return check;
}

Task<AutomationEngine::TypedFieldsCheck>
AutomationEngine::checkTypedFields(Cancellation cancellation) {
    TypedFieldsCheck result;
    const auto fields = std::exchange(typedFields_, {});
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const TypedField& typed = fields[i];
        const auto deadline = typed.typedAt + readBackPatience(typed.typed);
        for (;;) {
            const auto field = typed.field->read();
            if (!field) {
                ++result.unread;
                break;
            }
            if (fieldHolds(field->text, typed.typed, typed.cleared)) {
                ++result.verified;
                break;
            }
            if (scheduler_.now() >= deadline) {
                result.mismatch = FieldCheck{FieldCheck::Result::mismatch,
                                             field->name.empty() ? typed.label : field->name,
                                             typed.typed,
                                             field->text,
                                             {}};
                co_return result;
            }
            co_await sleepFor(scheduler_, readBackPoll, cancellation);
            if (cancellation.isCancelled()) { // what is left was not read
                result.unread += fields.size() - i;
                co_return result;
            }
        }
    }
    co_return result;
}

Task<Posted> AutomationEngine::executeStep(Step step, std::optional<std::string> value,
                                           Template::Settings settings,
                                           std::optional<std::string> targetBundleID,
                                           Cancellation cancellation, bool thenWait) {
    const Posted performed =
        co_await performStep(std::move(step), std::move(value), std::move(settings),
                             std::move(targetBundleID), cancellation, thenWait);
    // Asked even after a halt: a key sent before it may still have gone astray, and that is
    // what the user must hear about, not the focus that moved.
    if (const Posted delivered = desktop_.confirmDelivery(); !delivered) {
        targetLost_ = false;
        fieldCheck_ = FieldCheck{};
        co_return delivered;
    }
    co_return performed;
}

Task<Posted> AutomationEngine::performStep(Step step, std::optional<std::string> value,
                                           Template::Settings settings,
                                           std::optional<std::string> targetBundleID,
                                           Cancellation cancellation, bool thenWait) {
    targetLost_ = false;
    skipped_ = false;
    fieldCheck_ = FieldCheck{};
    switch (step.type) {
    case StepType::textInput:
        if (const Posted entered = co_await enterText(step, value, settings, cancellation);
            !entered || halted(cancellation) || fieldCheck_.result == FieldCheck::Result::mismatch)
            co_return entered;
        break;
    case StepType::tab:
    case StepType::returnKey: {
        const Key key = step.type == StepType::tab ? Key::tab : Key::returnKey;
        if (const Posted pressed = co_await pressKey(key, {}, cancellation); !pressed)
            co_return pressed;
        break;
    }
    case StepType::wait:
        co_return Posted{};
    case StepType::pause:
        break;
    case StepType::skipTabs:
        co_return co_await repeatKey(Key::tab, step.repeatCount, step.postDelay, cancellation);
    case StepType::selectAllClear:
        if (const Posted cleared = co_await clearField(cancellation); !cleared)
            co_return cleared;
        break;
    case StepType::arrowKey: {
        Key arrow = Key::down;
        switch (step.arrowDirection.value_or(ArrowDirection::down)) {
        case ArrowDirection::up:
            arrow = Key::up;
            break;
        case ArrowDirection::down:
            arrow = Key::down;
            break;
        case ArrowDirection::left:
            arrow = Key::left;
            break;
        case ArrowDirection::right:
            arrow = Key::right;
            break;
        }
        co_return co_await repeatKey(arrow, step.repeatCount, step.postDelay, cancellation);
    }
    case StepType::mouseClick: {
        Point position;
        if (step.mousePositionX && step.mousePositionY) {
            const auto window = targetBundleID ? windowBounds(*targetBundleID) : std::nullopt;
            if (!window)
                co_return Posted{}; // the recorded spot cannot be placed: skipped
            position = {window->x + *step.mousePositionX, window->y + *step.mousePositionY};
        } else {
            position = desktop_.pointerLocation().value_or(Point{});
        }
        if (const Posted clicked = co_await performMouseClick(
                step.mouseButton.value_or(MouseButton::left),
                step.mouseClickType.value_or(MouseClickType::single), position, cancellation);
            !clicked)
            co_return clicked;
        break;
    }
    }
    // A stop during the post-delay cuts only the wait: the step has done what it does.
    if (thenWait && !targetLost_ && !cancellation.isCancelled())
        co_await postDelay(step.postDelay, cancellation);
    co_return Posted{};
}

std::optional<FocusedElement> AutomationEngine::targetFocus(bool willAskAgain) {
    auto element =
        willAskAgain ? desktop_.focusedElementOnceAnnounced() : desktop_.focusedElement();
    const int target = binding_ ? binding_->boundProcessID() : 0;
    if (element && element->processID && target && element->processID != target)
        return std::nullopt;
    return element;
}

std::optional<FieldIdentity> AutomationEngine::focusedField() {
    const auto element = targetFocus();
    return element ? std::optional(fieldIdentity(*element)) : std::nullopt;
}

Task<AutomationEngine::FieldArrival>
AutomationEngine::awaitField(FieldIdentity expected, std::optional<FieldIdentity> unmoved,
                             Scheduler::Duration longest, Cancellation cancellation) {
    const auto deadline = scheduler_.now() + longest;
    FieldArrival arrival;
    std::optional<FieldIdentity> resting; // another element, and since when it has the focus
    auto restingSince = scheduler_.now();
    for (;;) {
        // The focus may have moved on to a window the target opened (the next form): follow
        // it there; a focus anywhere else is no field of the target's yet.
        const bool ours = !binding_ || binding_->followFocus();
        const auto element = ours ? targetFocus(longest > Scheduler::Duration{0}) : std::nullopt;
        arrival.focused = element ? std::optional(fieldIdentity(*element)) : std::nullopt;
        if (element && element->ready && isRecordedField(expected, *arrival.focused)) {
            arrival.result = FieldArrival::Result::arrived;
            co_return arrival;
        }
        const bool elsewhere =
            element && element->ready && !(unmoved && isRecordedField(*unmoved, *arrival.focused));
        if (!elsewhere || arrival.focused != resting) {
            resting = elsewhere ? arrival.focused : std::nullopt;
            restingSince = scheduler_.now();
        }
        // A page that loads focuses the document first and its first field a moment later:
        // another element is the answer only once the focus rests there.
        const bool settled = elsewhere && scheduler_.now() - restingSince >= focusRest;
        if (settled || longest <= Scheduler::Duration{0}) {
            arrival.result = FieldArrival::Result::wrongField;
            co_return arrival;
        }
        if (scheduler_.now() >= deadline || halted(cancellation)) {
            arrival.result = FieldArrival::Result::didNotCome;
            co_return arrival;
        }
        arrival.waited = true;
        co_await sleepFor(scheduler_, fieldPoll, cancellation);
    }
}

std::optional<RunningApplication> AutomationEngine::firstRunning(const std::string& bundleID) {
    for (auto& application : desktop_.runningApplications())
        if (application.bundleID == bundleID)
            return application;
    return std::nullopt;
}

std::optional<Rect> AutomationEngine::windowBounds(const std::string& bundleID) {
    const auto application = firstRunning(bundleID);
    if (!application)
        return std::nullopt;
    for (const WindowInfo& window : desktop_.windowList())
        if (window.ownerProcessID == application->processID && window.bounds.width > 0 &&
            window.bounds.height > 0)
            return window.bounds;
    return std::nullopt;
}

bool AutomationEngine::isAppFrontmost(const std::string& bundleID) {
    const auto front = desktop_.frontmostApplication();
    return front && front->bundleID == bundleID;
}

Task<Posted> AutomationEngine::awaitInputAccess(Cancellation cancellation) {
    const auto asked = scheduler_.now();
    for (;;) {
        const InputAccess access = desktop_.requestInput();
        if (access.state == InputAccess::State::ready)
            co_return Posted{};
        if (access.state == InputAccess::State::refused)
            co_return Posted::failure(access.why);
        if (cancellation.isCancelled())
            co_return Posted::failure("stopped while waiting for permission to type");
        if (scheduler_.now() - asked >= inputAccessPatience)
            co_return Posted::failure(
                "the desktop's question whether Keyferry may type went unanswered for two "
                "minutes; start again and answer it");
        co_await sleepFor(scheduler_, inputAccessPoll, cancellation);
    }
}

Task<bool> AutomationEngine::activateAndWait(std::string bundleID, Cancellation cancellation) {
    const auto application = firstRunning(bundleID);
    if (!application || !desktop_.activate(*application))
        co_return false;
    // The window manager's idea of the front and the keyboard focus can differ for a moment:
    // keys go where the focus is.
    const auto arrived = [&] { return isAppFrontmost(bundleID) && focusBelongsTo(bundleID); };
    for (int poll = 0; poll < activationPolls; ++poll) {
        co_await sleepFor(scheduler_, activationPoll, cancellation);
        if (arrived())
            co_return true;
    }
    co_return arrived();
}

std::vector<AutomationEngine::AppEntry> AutomationEngine::runningApps(DesktopServices& desktop) {
    std::vector<AppEntry> entries;
    for (const auto& application : desktop.runningApplications())
        if (application.isRegular && application.name && application.bundleID)
            entries.push_back({*application.name, *application.bundleID});
    std::ranges::stable_sort(entries, std::less<>{}, &AppEntry::name);
    return entries;
}

} // namespace keyferry
