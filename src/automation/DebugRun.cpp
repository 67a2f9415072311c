#include "automation/RunnerEngine.h"

#include <array>
#include <utility>

namespace keyferry {

namespace {

constexpr auto afterClick = std::chrono::milliseconds(500);

std::string asciiLowercase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

} // namespace

std::string RunnerEngine::generateDummyValue(const std::string& label) {
    struct Rule {
        std::vector<std::string_view> keywords;
        std::string_view value;
    };
    static const std::array<Rule, 10> rules = {{
        {{"datum"}, "15.01.2025"},
        {{"betrag", "hoehe", "aufwendung", "kosten", "preis", "summe"}, "1.250,00"},
        {{"name", "aussteller", "empfaenger"}, "Mustermann GmbH"},
        {{"bezeichnung", "beschreibung", "grund"}, "Testreparatur"},
        {{"adresse", "strasse"}, "Musterstr. 1"},
        {{"ort", "stadt"}, "Musterstadt"},
        {{"plz"}, "35510"},
        {{"nummer", "nr"}, "12345"},
        {{"mail"}, "max.mustermann@example.com"},
        {{"telefon", "tel"}, "0641 12345"},
    }};
    const std::string lowered = asciiLowercase(label);
    for (const Rule& rule : rules)
        for (std::string_view keyword : rule.keywords)
            if (lowered.find(keyword) != std::string::npos)
                return std::string(rule.value);
    return "Testdaten";
}

bool RunnerEngine::startDebug(Template item) {
    if (refuses(item))
        return false;
    shouldStop_ = false;
    hotkey_.start();
    std::vector<std::string> placeholders;
    for (const std::string& label : item.textInputLabels())
        placeholders.push_back(generateDummyValue(label));
    Cancellation cancellation;
    launch(debugRun(std::move(item), std::move(placeholders), cancellation), cancellation);
    return true;
}

void RunnerEngine::next() {
    debugContinuation_.resume();
}

Task<void> RunnerEngine::debugRun(Template item, std::vector<std::string> placeholders,
                                  Cancellation cancellation) {
    const auto& target = item.targetAppBundleID;
    WindowBinding binding(desktop_, target);
    automation_.readBackLater(false); // each step's result is shown as it ends
    if (const Posted access = co_await awaitInputAccess(cancellation); !access) {
        endRun(runner_state::Finished{0, 0, 0});
        setStatus(noAccessMessage + access.why());
        co_return;
    }
    if (target && !co_await automation_.activateAndWait(*target, cancellation)) {
        endRun(runner_state::Finished{0, 0, 0});
        setStatus("Target app not found!");
        co_return;
    }
    co_await countdown(item.settings.countdownSeconds, cancellation);

    std::size_t placeholder = 0;
    std::optional<std::string> finalMessage;
    const std::size_t count = item.steps.size();
    for (std::size_t i = 0; i < count; ++i) {
        const Step& step = item.steps[i];
        if (shouldStop_)
            break;
        std::optional<std::string> value;
        if (step.type == StepType::textInput) {
            if (step.isFixed())
                value = step.fixedValue;
            else if (placeholder < placeholders.size())
                value = placeholders[placeholder++];
            else
                ++placeholder;
        }
        const std::string typeName(displayName(step.type));
        setState(runner_state::DebugStep{0, i, step.label.empty() ? typeName : step.label, typeName,
                                         value.value_or("")});
        std::string message =
            "Step " + std::to_string(i + 1) + "/" + std::to_string(count) + ": " + typeName;
        if (value)
            message += " \u2192 \"" + *value + "\"";
        if (step.field)
            message += " in field " + fieldDisplayName(*step.field);
        setStatus(std::move(message));

        co_await debugContinuation_.wait();
        if (shouldStop_)
            break;
        if (target && !co_await automation_.activateAndWait(*target, cancellation)) {
            finalMessage = "Could not activate target app!";
            break;
        }
        if (step.type == StepType::wait) {
            setStatus("Waiting for click...");
            desktop_.beep();
            co_await clickWatcher_.waitForClick();
            co_await sleepFor(scheduler_, afterClick, cancellation);
            continue;
        }
        // Bound at the first step that sends input; later steps may follow the focus only
        // to windows the target opened since.
        const bool held = binding.isBound() ? binding.followFocus() : binding.bindToFocus();
        if (!held && (target || binding.isBound())) {
            finalMessage = "Target app no longer in foreground";
            break;
        }
        automation_.bindTo(binding.isBound() ? &binding : nullptr);
        if (step.field) {
            const auto longest = item.settings.waitForNextField
                                     ? secondsToDuration(item.settings.longestFieldWait)
                                     : Scheduler::Duration{0};
            const auto arrival =
                co_await automation_.awaitField(*step.field, std::nullopt, longest, cancellation);
            if (shouldStop_)
                break;
            if (arrival.result != AutomationEngine::FieldArrival::Result::arrived) {
                automation_.bindTo(nullptr);
                finalMessage =
                    "Error at step " + std::to_string(i + 1) + "! " +
                    (arrival.result == AutomationEngine::FieldArrival::Result::wrongField
                         ? wrongFieldMessage(*step.field, arrival.focused)
                         : fieldDidNotComeMessage(*step.field, item.settings.longestFieldWait));
                break;
            }
        }
        const Posted executed =
            co_await automation_.executeStep(step, value, item.settings, target, cancellation);
        automation_.bindTo(nullptr);
        if (automation_.targetLost()) {
            finalMessage = "Target app no longer in foreground";
            break;
        }
        if (!executed) {
            const char* device = executed.device() == Posted::Device::mouse ? "mouse" : "keyboard";
            finalMessage = "Error at step " + std::to_string(i + 1) + "! Could not send " + device +
                           " input: " + executed.why();
            break;
        }
        if (automation_.fieldCheck().result == FieldCheck::Result::mismatch) {
            finalMessage = "Error at step " + std::to_string(i + 1) + "! " +
                           automation_.fieldCheck().message();
            break;
        }
    }
    endRun(runner_state::Finished{shouldStop_ ? 0u : 1u, 0, 0});
    setStatus(shouldStop_ ? "Debug cancelled" : finalMessage.value_or("Debug complete"));
}

} // namespace keyferry
