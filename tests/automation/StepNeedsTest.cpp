#include "automation/StepNeeds.h"

#include "SimulatedSession.h"
#include "automation/RunnerEngine.h"

#include <algorithm>

using namespace keyferry;
using namespace keyferry::testing;

namespace {

Step stepOf(StepType type) {
    return Step::ofType(type);
}

Step fixedText(std::string value) {
    Step step = Step::ofType(StepType::textInput);
    step.label = "Name";
    step.fixedValue = std::move(value);
    return step;
}

Step placedClick() {
    Step step = Step::ofType(StepType::mouseClick);
    step.mousePositionX = 40;
    step.mousePositionY = 12;
    return step;
}

/// Everything there but these, each missing "because".
DesktopDescription lacking(std::initializer_list<Capability> missing) {
    std::map<Capability, std::string> why;
    for (Capability capability : missing)
        why[capability] = "because";
    return describeAllExcept(DesktopKind::sway, why);
}

} // namespace

TEST(StepNeeds, EachKindOfStepNeedsWhatItSends) {
    using C = Capability;
    const struct {
        const char* name;
        Step step;
        std::vector<Capability> needs;
    } cases[] = {
        {"text from a column", stepOf(StepType::textInput), {C::typeLayoutText}},
        {"fixed ASCII text", fixedText("Berlin 10115"), {C::typeLayoutText}},
        {"fixed text beyond ASCII", fixedText("K\u00F6ln"), {C::typeLayoutText, C::typeAnyText}},
        {"empty fixed value reads a column", fixedText(""), {C::typeLayoutText}},
        {"Tab", stepOf(StepType::tab), {C::typeLayoutText}},
        {"Return", stepOf(StepType::returnKey), {C::typeLayoutText}},
        {"skip tabs", stepOf(StepType::skipTabs), {C::typeLayoutText}},
        {"select all and clear", stepOf(StepType::selectAllClear), {C::typeLayoutText}},
        {"arrow", stepOf(StepType::arrowKey), {C::typeLayoutText}},
        {"click where the pointer is", stepOf(StepType::mouseClick), {C::click}},
        {"click in the target's window", placedClick(), {C::click, C::windowBounds}},
        {"wait for a click", stepOf(StepType::wait), {C::watchClicks}},
        {"pause", stepOf(StepType::pause), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(capabilitiesNeeded(c.step), c.needs);
    }
    // Every kind is in the table.
    for (StepType type : allCases<StepType>())
        EXPECT_TRUE(std::ranges::any_of(cases, [&](const auto& c) { return c.step.type == type; }))
            << rawValue(type);
}

TEST(StepNeeds, WarningNamesTheDesktopWhatIsMissingWhyAndWhatToDo) {
    const DesktopDescription sway = lacking({Capability::watchClicks, Capability::windowBounds});
    EXPECT_FALSE(stepWarning(stepOf(StepType::tab), sway));
    EXPECT_FALSE(stepWarning(stepOf(StepType::mouseClick), sway));

    const auto wait = stepWarning(stepOf(StepType::wait), sway);
    ASSERT_TRUE(wait);
    EXPECT_EQ(*wait,
              "This step cannot run on this desktop (sway). \u201Csee the user's clicks\u201D "
              "is missing: because. What you can do: use a desktop that offers it.");
    const auto click = stepWarning(placedClick(), sway);
    ASSERT_TRUE(click);
    EXPECT_NE(click->find("\u201Cwindow bounds\u201D is missing"), std::string::npos) << *click;
    EXPECT_EQ(click->find("\u201Cclick\u201D"), std::string::npos) << "clicks themselves work";

    EXPECT_EQ(missingFor(fixedText("\u00DF"),
                         lacking({Capability::typeLayoutText, Capability::typeAnyText}))
                  .size(),
              2u);
}

TEST(StepNeeds, RefusalNamesTheFirstStepThatCannotRun) {
    Template item;
    item.steps = {stepOf(StepType::textInput), stepOf(StepType::pause), stepOf(StepType::wait),
                  placedClick()};
    EXPECT_FALSE(runRefusal(item, lacking({})));
    EXPECT_FALSE(runRefusal(item, lacking({Capability::recordKeys, Capability::stopHotkey})))
        << "what only the recorder or the shortcut needs does not stop a run";
    const auto refusal = runRefusal(item, lacking({Capability::watchClicks, Capability::click}));
    ASSERT_TRUE(refusal);
    EXPECT_EQ(
        refusal->rfind("Not started: step 3 (Wait (Click)) cannot run on this desktop (sway).", 0),
        0u)
        << *refusal;
    EXPECT_NE(refusal->find("see the user's clicks"), std::string::npos);
}

TEST(CapabilityNotice, OnlyWhatIsMissingAlikeReasonsOnOneLine) {
    EXPECT_FALSE(capabilityNotice(describeX11(true))) << "nothing to say when all is there";

    const auto untrusted = capabilityNotice(describeX11(false));
    ASSERT_TRUE(untrusted);
    EXPECT_EQ(untrusted->title, "Not available on this desktop (X11)");
    ASSERT_EQ(untrusted->lines.size(), 1u) << "one reason, one line";
    EXPECT_EQ(untrusted->lines[0].capabilities, allCapabilities());

    DesktopDescription mixed = lacking({Capability::recordKeys, Capability::watchClicks});
    mixed.capabilities[static_cast<std::size_t>(Capability::watchClicks)].why = "clicks unseen";
    const auto notice = capabilityNotice(mixed);
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->title, "Not available on this desktop (sway)");
    ASSERT_EQ(notice->lines.size(), 2u);
    EXPECT_EQ(notice->lines[0].names, "record keys");
    EXPECT_EQ(notice->lines[1].names, "see the user's clicks");
    EXPECT_EQ(formatMissing(notice->lines[1]),
              "See the user's clicks: clicks unseen. What you can do: use a desktop that offers "
              "it.");

    mixed.capabilities[static_cast<std::size_t>(Capability::watchClicks)].why = "because";
    const auto merged = capabilityNotice(mixed);
    ASSERT_TRUE(merged);
    ASSERT_EQ(merged->lines.size(), 1u);
    EXPECT_EQ(merged->lines[0].names, "record keys, see the user's clicks");
}

// A run that would wait forever for a click nobody can see is refused before anything of a
// run begins: no countdown, no stop shortcut, no run started, the reason on show.
TEST_F(SimulatedSession, RunNeedingAMissingCapabilityIsRefused) {
    AccessibilityChecker checker{desktop, clock};
    RunnerEngine runner{desktop, clock, &checker};
    runner.describeDesktopWith(
        [&] { return describeAllExcept(DesktopKind::simulated, desktop.missingCapabilities()); });
    int started = 0, stateChanges = 0;
    runner.runStarted.connect([&](const std::vector<std::size_t>&) { ++started; });
    runner.stateChanged.connect([&] { ++stateChanges; });
    Template item;
    item.targetAppBundleID = "Yad";
    item.settings.countdownSeconds = 1;
    Step name = Step::ofType(StepType::textInput);
    name.label = "Name";
    item.steps = {name, Step::ofType(StepType::wait), Step::ofType(StepType::returnKey)};
    const CSVData data({"Name"}, {{"Ada"}, {"Bob"}});

    desktop.setMissing(Capability::watchClicks, "clicks in other applications cannot be seen");
    EXPECT_FALSE(runner.start(item, data, 0, std::nullopt));
    EXPECT_FALSE(runner.startRows(item, data, {1}));
    EXPECT_FALSE(runner.resume(item, data, 1));
    clock.runUntilIdle(100);
    EXPECT_EQ(started, 0);
    EXPECT_EQ(stateChanges, 0);
    EXPECT_FALSE(runner.isRunning());
    EXPECT_FALSE(runner.hotkey().isActive());
    EXPECT_TRUE(desktop.postedEvents().empty());
    EXPECT_EQ(runner.statusMessage(),
              "Not started: step 2 (Wait (Click)) cannot run on this desktop (simulated). "
              "\u201Csee the user's clicks\u201D is missing: clicks in other applications cannot "
              "be seen. What you can do: use a desktop that offers it.");

    // Without the wait, the same desktop runs it.
    item.steps.erase(item.steps.begin() + 1);
    EXPECT_TRUE(runner.start(item, data, 0, std::nullopt));
    clock.runUntil([&] { return !runner.isRunning() && !clock.hasPending(); });
    EXPECT_EQ(started, 1);
    EXPECT_EQ(runner.state(), RunnerState(runner_state::Finished{2, 0, 2}));
}
