#include "Desktop.h"
#include "model/TemplateStore.h"
#include "ui/NumberText.h"

#include <nlohmann/json.hpp>
#include <sstream>

using namespace keyferry;
using namespace keyferry::testing;

namespace {

Step step(StepType type, std::string label = {}, double delay = 0.3, std::int64_t repeat = 1) {
    Step made = Step::ofType(type);
    made.label = std::move(label);
    made.postDelay = delay;
    made.repeatCount = repeat;
    return made;
}

// One step of every type, with values that differ from the defaults.
Template everyStepType() {
    Template item;
    item.name = "Every step";
    Step zip = step(StepType::textInput, "Zip", 0.5);
    zip.fixedValue = "12345";
    Step arrow = step(StepType::arrowKey, {}, 0.3, 2);
    arrow.arrowDirection = ArrowDirection::left;
    Step click = step(StepType::mouseClick, {}, 1.25);
    click.mouseButton = MouseButton::right;
    click.mouseClickType = MouseClickType::double_;
    click.mousePositionX = 12;
    click.mousePositionY = 40;
    item.steps = {step(StepType::textInput, "Name"),
                  zip,
                  step(StepType::tab),
                  step(StepType::returnKey),
                  step(StepType::wait),
                  step(StepType::pause, {}, 2),
                  step(StepType::skipTabs, {}, 0.3, 3),
                  step(StepType::selectAllClear),
                  arrow,
                  click};
    return item;
}

} // namespace

// A screen reader's view of the real window: every step's number, type, name, fixed value,
// delay and repeat count as cells with a name and a text, and a name and a type changed
// through the editable text interface reach the saved template.
TEST_F(DesktopTest, AssistiveTechnologiesReadAndEditTheSteps) {
    const std::filesystem::path dataHome = temp.path() / "data";
    const std::filesystem::path file = dataHome / "Keyferry" / "templates.json";
    const Template item = everyStepType();
    {
        std::ostringstream diagnostics;
        TemplateStore store(dataHome / "Keyferry", diagnostics);
        store.setTemplates({item});
        ASSERT_TRUE(store.save()) << diagnostics.str();
    }

    Process app({"env", "XDG_DATA_HOME=" + dataHome.string(), "QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1",
                 KEYFERRY_BINARY});
    ASSERT_TRUE(waitForWindowOf(app));
    const std::string output = shell("/usr/bin/python3 " KEYFERRY_STEP_TABLE
                                     " 'Every step' 0 Town 2 Return 30 2>/dev/null");
    const auto seen = nlohmann::json::parse(output, nullptr, false);
    ASSERT_TRUE(seen.is_object() && !seen.contains("error")) << output;

    const auto columns = seen["columns"].get<std::vector<std::string>>();
    const auto column = [&](const std::string& caption) {
        const auto found = std::ranges::find(columns, caption);
        return static_cast<std::size_t>(found - columns.begin());
    };
    ASSERT_EQ(seen["rows"].size(), item.steps.size()) << output;
    for (std::size_t i = 0; i < item.steps.size(); ++i) {
        const Step& expected = item.steps[i];
        const auto& row = seen["rows"][i];
        const std::string n = std::to_string(i + 1);
        SCOPED_TRACE("step " + n);
        // [accessible name, text, editable] of the cell under a column heading.
        const auto cell = [&](const std::string& caption) {
            EXPECT_LT(column(caption), columns.size()) << caption;
            return column(caption) < columns.size() ? row[column(caption)] : nlohmann::json();
        };
        EXPECT_EQ(cell("#")[0], "Step " + n);
        EXPECT_EQ(cell("#")[1], n);
        EXPECT_EQ(cell("Type")[1], std::string(displayName(expected.type)));
        EXPECT_TRUE(cell("Type")[2].get<bool>()) << "the type is editable";
        EXPECT_EQ(cell("Name")[0], "Step " + n + " name");
        EXPECT_EQ(cell("Name")[1], expected.label);
        EXPECT_EQ(cell("Fixed Value")[1], expected.fixedValue.value_or(""));
        EXPECT_EQ(cell("Delay (sec)")[0], "Step " + n + " delay (sec)");
        EXPECT_EQ(cell("Delay (sec)")[1], formatDecimal(expected.postDelay));
        EXPECT_EQ(cell("Repeat")[0], "Step " + n + " repeat count");
        EXPECT_EQ(cell("Repeat")[1], formatInteger(expected.repeatCount));
    }
    EXPECT_EQ(seen["rows"][1][column("Fixed Value")][0], "Step 2 fixed value");
    EXPECT_EQ(seen["rows"][8][column("Option")][1], "Left");
    EXPECT_EQ(seen["rows"][9][column("Position")][1], "@ (12, 40)");
    EXPECT_TRUE(seen["rows"][0][column("Name")][2].get<bool>());
    EXPECT_FALSE(seen["rows"][2][column("Name")][2].get<bool>()) << "a Tab names no column";
    ASSERT_TRUE(seen["wrote"].get<bool>()) << output;

    // The edits are the template's: saved by the application itself once it autosaves.
    std::optional<Template> saved;
    EXPECT_TRUE(spinUntil(
        [&] {
            const auto read = TemplateStore::readFile(file);
            if (read && read->size() == 1)
                saved = read->front();
            return saved && saved->steps.size() == item.steps.size() &&
                   saved->steps[0].label == "Town" && saved->steps[2].type == StepType::returnKey;
        },
        std::chrono::seconds(15)))
        << output;
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->steps[1], item.steps[1]) << "nothing else changed";
}
