#include "SimulatedSession.h"
#include "automation/RunnerEngine.h"
#include "automation/TypableText.h"

using namespace keyferry;
using namespace keyferry::testing;
using namespace keyferry::runner_state;

namespace {

Step input(std::string label, std::optional<std::string> fixed = std::nullopt) {
    Step step = Step::ofType(StepType::textInput);
    step.label = std::move(label);
    step.fixedValue = std::move(fixed);
    return step;
}

class InputConsentTest : public SimulatedSession {
protected:
    InputConsentTest() {
        item.targetAppBundleID = "Yad";
        item.settings.countdownSeconds = 0;
        item.steps = {input("Name"), input("City"), Step::ofType(StepType::returnKey)};
    }
    void runToEnd() {
        clock.runUntil([&] { return !runner.isRunning() && !clock.hasPending(); });
    }
    static CSVData rows(std::vector<std::vector<std::string>> cells) {
        return CSVData({"Name", "City"}, std::move(cells));
    }
    bool typedAnything() const {
        return std::ranges::any_of(desktop.postedEvents(), [](const Event& e) {
            return e.kind == Kind::character || e.kind == Kind::keyDown;
        });
    }

    AccessibilityChecker checker{desktop, clock};
    RunnerEngine runner{desktop, clock, &checker};
    Template item;
};

} // namespace

TEST_F(InputConsentTest, ARunWaitsForTheUsersConsentAndSaysWhatItWaitsFor) {
    desktop.setInputConsent({}, 5s);
    std::vector<std::string> messages;
    runner.statusMessageChanged.connect([&] { messages.push_back(runner.statusMessage()); });
    runner.start(item, rows({{"Ana", "Köln"}}), 0, std::nullopt);
    clock.advance(4s);
    EXPECT_FALSE(typedAnything()) << "nothing goes out before the user has answered";
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.front(), RunnerEngine::askingMessage);
    runToEnd();
    EXPECT_EQ(form().submissions, (std::vector<std::vector<std::string>>{{"Ana", "Köln"}}));
    EXPECT_EQ(runner.state(), RunnerState(Finished{1, 0, 1}));
}

TEST_F(InputConsentTest, ARefusalOrNoAnswerEndsTheRunBeforeAnythingIsTypedAndSaysWhy) {
    struct Case {
        const char* name;
        InputAccess answer;
        std::optional<Scheduler::Duration> after;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"refused at once",
         {InputAccess::State::refused, "you did not allow it"},
         0s,
         RunnerEngine::noAccessMessage + "you did not allow it"},
        {"refused after a while",
         {InputAccess::State::refused, "the dialog was closed"},
         30s,
         RunnerEngine::noAccessMessage + "the dialog was closed"},
        {"never answered",
         {},
         std::nullopt,
         RunnerEngine::noAccessMessage +
             "the desktop's question whether Keyferry may type went unanswered for two minutes; "
             "start again and answer it"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TargetDesktop fresh;
        fresh.desktop.setInputConsent(c.answer, c.after);
        AccessibilityChecker freshChecker{fresh.desktop, fresh.clock};
        RunnerEngine freshRunner{fresh.desktop, fresh.clock, &freshChecker};
        const auto started = fresh.clock.now();
        freshRunner.start(item, rows({{"Ana", "Köln"}}), 0, std::nullopt);
        fresh.clock.runUntil([&] { return !freshRunner.isRunning() && !fresh.clock.hasPending(); });
        EXPECT_EQ(freshRunner.statusMessage(), c.message);
        EXPECT_TRUE(fresh.desktop.postedEvents().empty());
        EXPECT_EQ(fresh.desktop.frontProcessID(), fresh.target);
        EXPECT_FALSE(freshRunner.hotkey().isActive());
        EXPECT_TRUE(std::holds_alternative<Finished>(freshRunner.state()));
        if (!c.after) {
            EXPECT_GE(fresh.clock.now() - started, AutomationEngine::inputAccessPatience);
        }
    }
}

TEST_F(InputConsentTest, StopWhileTheUserIsAskedEndsTheRunWithNothingTyped) {
    desktop.setInputConsent({}, std::nullopt);
    runner.start(item, rows({{"Ana", "Köln"}}), 0, std::nullopt);
    clock.advance(3s);
    runner.stop();
    runToEnd();
    EXPECT_FALSE(typedAnything());
    EXPECT_LT(now(), Ms(4000)) << "the run ends at once, not after the patience";
    EXPECT_TRUE(std::holds_alternative<Finished>(runner.state()));
}

TEST_F(InputConsentTest, ADebugRunAsksToo) {
    desktop.setInputConsent({InputAccess::State::refused, "you did not allow it"}, 1s);
    ASSERT_TRUE(runner.startDebug(item));
    runToEnd();
    EXPECT_EQ(runner.statusMessage(), RunnerEngine::noAccessMessage + "you did not allow it");
    EXPECT_FALSE(typedAnything());
}

TEST_F(InputConsentTest, TextTheDesktopCannotTypeRefusesTheRunNamingCharactersAndEntries) {
    desktop.setUntypable({"ü", "✓"});
    item.steps.push_back(input("Note", "ok ✓"));
    const CSVData data = rows({{"Ana", "Köln"}, {"Jürgen", "Berlin"}, {"Lü", "Ulm"}});
    EXPECT_FALSE(runner.start(item, data, 0, std::nullopt));
    EXPECT_EQ(runner.statusMessage(),
              "2 characters cannot be typed on this desktop: \u201C✓\u201D (in a fixed value of "
              "the template); \u201Cü\u201D (in entries 2, 3). This desktop types only the "
              "characters of your keyboard layout: add a layout that has them, or change them in "
              "the file.");
    runToEnd();
    EXPECT_TRUE(desktop.postedEvents().empty());
    EXPECT_EQ(desktop.inputRequests(), 0) << "refused before the desktop is asked anything";

    // Only the rows a run takes count: entry 1 alone has neither character once the fixed
    // value is gone.
    item.steps.pop_back();
    EXPECT_TRUE(runner.start(item, data, 0, 1));
    runToEnd();
    EXPECT_EQ(form().submissions, (std::vector<std::vector<std::string>>{{"Ana", "Köln"}}));
}

TEST(TypableText, FindsEachCharacterOnceWithItsEntriesInTheColumnsARunTypes) {
    Template item;
    Step fixed = input("Greeting", "Grüße");
    Step wait = Step::ofType(StepType::wait);
    item.steps = {input("Name"), wait, fixed, input("City")};
    // The third column is never typed: no step takes it.
    const CSVData data({"Name", "City", "Unused"}, {{"Zoë", "Köln", "ß"},
                                                    {"Ann", "Łódź", "ß"},
                                                    {"Zoë", "Köln", "ß"},
                                                    {"e\u0301", "Ulm", "ß"}});
    const auto canType = [](std::string_view c) { return c.size() == 1 || c == "ö"; };
    const auto found = findUntypable(item, data, {0, 1, 2, 3}, canType);
    const std::vector<UntypableCharacter> expected = {
        {"ü", {}, true},   {"ß", {}, true},   {"ë", {1, 3}, false},    {"Ł", {2}, false},
        {"ó", {2}, false}, {"ź", {2}, false}, {"e\u0301", {4}, false}, // one character of two code
                                                                       // points, asked about whole
    };
    EXPECT_EQ(found, expected);
    EXPECT_TRUE(findUntypable(item, data, {}, [](std::string_view) { return true; }).empty());
}

TEST(TypableText, TheMessageShowsAFewOfEachAndCountsTheRest) {
    std::vector<UntypableCharacter> many;
    for (int i = 0; i < 10; ++i)
        many.push_back({std::string(1, static_cast<char>('a' + i)), {1, 2, 3, 4, 5, 6, 7}, false});
    const std::string message = *untypableMessage(many);
    EXPECT_NE(message.find("10 characters cannot be typed"), std::string::npos);
    EXPECT_NE(message.find("\u201Ca\u201D (in entries 1, 2, 3, 4, 5 and 2 more)"),
              std::string::npos);
    EXPECT_NE(message.find("\u201Ch\u201D"), std::string::npos);
    EXPECT_EQ(message.find("\u201Ci\u201D"), std::string::npos);
    EXPECT_NE(message.find("; and 2 more."), std::string::npos);
    EXPECT_FALSE(untypableMessage({}));
    EXPECT_EQ(*untypableMessage({{"ü", {4}, false}}),
              "1 character cannot be typed on this desktop: \u201Cü\u201D (in entry 4). This "
              "desktop types only the characters of your keyboard layout: add a layout that has "
              "them, or change them in the file.");
}
