#include "model/Signal.h"
#include "model/Template.h"

#include <gtest/gtest.h>
#include <set>

using namespace keyferry;

TEST(Model, NewTemplateAndStepDefaults) {
    const Template item;
    EXPECT_EQ(item.schemaVersion, 2);
    EXPECT_EQ(item.name, "New Template");
    EXPECT_FALSE(item.targetAppBundleID);
    EXPECT_TRUE(item.steps.empty());
    EXPECT_EQ(item.settings.countdownSeconds, 5);
    EXPECT_EQ(item.settings.defaultPostDelay, 0.3);
    EXPECT_EQ(item.settings.interCharDelay, 0.02);

    const Step step = Step::ofType(StepType::mouseClick);
    EXPECT_EQ(step.type, StepType::mouseClick);
    EXPECT_EQ(step.label, "");
    EXPECT_EQ(step.postDelay, 0.3);
    EXPECT_EQ(step.repeatCount, 1);
    EXPECT_FALSE(step.fixedValue || step.arrowDirection || step.mouseButton ||
                 step.mouseClickType || step.mousePositionX || step.mousePositionY);
}

TEST(Model, FreshIdsAreRandomVersion4) {
    std::set<Uuid> seen;
    for (int i = 0; i < 1000; ++i) {
        const Uuid id = Uuid::random();
        const std::string text = id.toString();
        EXPECT_EQ(text[14], '4') << text;
        EXPECT_NE(std::string("89AB").find(text[19]), std::string::npos) << text;
        seen.insert(id);
    }
    EXPECT_EQ(seen.size(), 1000u);
}

TEST(Model, UuidTextForm) {
    const auto lower = Uuid::parse("0f8fad5b-d9cb-469f-a165-70867728950e");
    ASSERT_TRUE(lower);
    EXPECT_EQ(lower->toString(), "0F8FAD5B-D9CB-469F-A165-70867728950E");
    EXPECT_EQ(Uuid::parse(lower->toString()), lower);
    for (const char* bad :
         {"", "0f8fad5bd9cb469fa16570867728950e", "{0f8fad5b-d9cb-469f-a165-70867728950e}",
          "0f8fad5b-d9cb-469f-a165-70867728950", "0f8fad5b-d9cb-469f-a165-70867728950g",
          "0f8fad5-bd9cb-469f-a165-70867728950e", "0f8fad5b-d9cb-469f-a165-70867728950e "})
        EXPECT_FALSE(Uuid::parse(bad)) << bad;
}

TEST(Model, EnumerationsInOrderWithNamesAndRawValues) {
    const std::vector<StepType> kinds = allCases<StepType>();
    ASSERT_EQ(kinds.size(), 9u);
    EXPECT_EQ(kinds.front(), StepType::textInput);
    EXPECT_EQ(kinds.back(), StepType::mouseClick);
    for (StepType kind : kinds) {
        EXPECT_EQ(fromRawValue<StepType>(rawValue(kind)), kind);
        EXPECT_EQ(needsLabel(kind), kind == StepType::textInput);
        EXPECT_EQ(needsRepeatCount(kind), kind == StepType::skipTabs || kind == StepType::arrowKey);
        EXPECT_FALSE(iconSymbol(kind).empty());
    }
    EXPECT_EQ(displayName(StepType::selectAllClear), "Select All & Clear");
    EXPECT_EQ(displayName(StepType::wait), "Wait (Click)");
    EXPECT_EQ(iconSymbol(StepType::skipTabs), "arrow.right.to.line.compact");
    EXPECT_EQ(rawValue(StepType::returnKey), "returnKey");
    EXPECT_EQ(rawValue(MouseClickType::double_), "double");
    EXPECT_EQ(displayName(MouseClickType::double_), "Double");
    EXPECT_EQ((allCases<ArrowDirection>()),
              (std::vector{ArrowDirection::up, ArrowDirection::down, ArrowDirection::left,
                           ArrowDirection::right}));
    // Conversion from text is exact and case-sensitive.
    EXPECT_FALSE(fromRawValue<StepType>("Tab"));
    EXPECT_FALSE(fromRawValue<StepType>("tab "));
    EXPECT_FALSE(fromRawValue<MouseButton>("middle"));
}

TEST(Model, TextInputLabelsSkipFixedStepsOnly) {
    Template item;
    auto input = [](std::string label, std::optional<std::string> fixed = std::nullopt) {
        Step step = Step::ofType(StepType::textInput);
        step.label = std::move(label);
        step.fixedValue = std::move(fixed);
        return step;
    };
    item.steps = {input("Name"),
                  Step::ofType(StepType::tab),
                  input("City", "Berlin"),
                  input("Name"),
                  input(""),
                  input("Zip", "")};
    EXPECT_EQ(item.textInputLabels(), (std::vector<std::string>{"Name", "Name", "", "Zip"}));
}

TEST(Model, EqualityComparesEveryField) {
    Template a;
    a.steps = {Step::ofType(StepType::tab)};
    Template b = a;
    EXPECT_EQ(a, b);
    b.steps[0].id = Uuid::random();
    EXPECT_NE(a, b);
    b = a;
    b.settings.interCharDelay = 0.03;
    EXPECT_NE(a, b);
    b = a;
    b.steps[0].mousePositionY = 0.0;
    EXPECT_NE(a, b);
}

TEST(Model, SignalSkipsSlotsDisconnectedDuringEmit) {
    Signal<> changed;
    int first = 0, second = 0;
    Signal<>::ConnectionId secondId = 0;
    changed.connect([&] {
        ++first;
        changed.disconnect(secondId); // e.g. the second observer's owner was destroyed
    });
    secondId = changed.connect([&] { ++second; });
    changed.emit();
    changed.emit();
    EXPECT_EQ(first, 2);
    EXPECT_EQ(second, 0);
}
