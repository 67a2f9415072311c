#include "recording/FocusStepBuilder.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace keyferry;

namespace {

struct Seen {
    FocusedElement element;
    bool inKeyferry = false;
};

Seen field(std::string title, ElementRole role = ElementRole::textField) {
    FocusedElement element;
    element.role = role;
    element.title = std::move(title);
    element.processID = 200;
    return {element, false};
}

Seen control(std::string title) {
    return field(std::move(title), ElementRole::other);
}

Seen ownWindow(std::string title) {
    Seen seen = field(std::move(title));
    seen.element.processID = 100;
    seen.inKeyferry = true;
    return seen;
}

Seen described(std::string description, std::string placeholder) {
    Seen seen = field("");
    seen.element.description = std::move(description);
    seen.element.placeholder = std::move(placeholder);
    return seen;
}

/// A step as the test compares it: "Tab" or "Text Input: LABEL".
std::vector<std::string> record(const std::vector<Seen>& sequence,
                                std::optional<Seen> atStart = std::nullopt) {
    FocusStepBuilder builder(atStart ? std::optional(atStart->element) : std::nullopt);
    std::vector<Step> steps;
    for (const Seen& seen : sequence)
        if (auto step = builder.focusEntered(seen.element, seen.inKeyferry, steps.size() + 1))
            steps.push_back(std::move(*step));
    std::vector<std::string> shown;
    for (const Step& step : steps) {
        if (step.type == StepType::textInput) {
            EXPECT_EQ(step.postDelay, 0.3);
            shown.push_back("Text Input: " + step.label);
        } else {
            EXPECT_EQ(step.type, StepType::tab);
            EXPECT_EQ(step.postDelay, 0);
            EXPECT_TRUE(step.label.empty());
            shown.push_back("Tab");
        }
    }
    return shown;
}

using Shown = std::vector<std::string>;

} // namespace

TEST(FocusStepBuilder, FocusSequencesBecomeSteps) {
    const struct {
        const char* name;
        std::vector<Seen> sequence;
        Shown steps;
    } cases[] = {
        {"labelled fields in order",
         {field("Name"), field("Straße"), field("日本")},
         {"Text Input: Name", "Text Input: Straße", "Text Input: 日本"}},
        {"other controls are Tab steps",
         {field("Name"), control("OK"), control("Cancel"), field("City")},
         {"Text Input: Name", "Tab", "Tab", "Text Input: City"}},
        {"every role that takes text",
         {field("Notes", ElementRole::textArea), field("Town", ElementRole::comboBox),
          field("Find", ElementRole::searchField)},
         {"Text Input: Notes", "Text Input: Town", "Text Input: Find"}},
        {"the description, then the placeholder, then a number",
         {described("Described", "Placeheld"), described("", "Placeheld"), control("OK"),
          described("", "")},
         {"Text Input: Described", "Text Input: Placeheld", "Tab", "Text Input: Feld_4"}},
        {"a title of one space is used unchanged", {field(" ")}, {"Text Input:  "}},
        {"the colon after a label is the form's, not the column's",
         {field("Name:"), field("E-mail :"), described("", "Time (hh:mm)"), field(":"),
          field(" :")},
         {"Text Input: Name", "Text Input: E-mail", "Text Input: Time (hh:mm)",
          "Text Input: :", "Text Input:  :"}},
        {"two unnamed fields in a row are two steps",
         {field(""), field("")},
         {"Text Input: Feld_1", "Text Input: Feld_2"}},
        {"two fields of the same name in a row are two steps",
         {field("Phone"), field("Phone")},
         {"Text Input: Phone", "Text Input: Phone"}},
        {"Keyferry's own windows record nothing",
         {ownWindow("Record"), field("Name"), ownWindow("Steps"), ownWindow("Search"),
          field("City")},
         {"Text Input: Name", "Text Input: City"}},
        {"back from Keyferry to the same field records nothing",
         {field("Name"), ownWindow("Steps"), field("Name"), field("City")},
         {"Text Input: Name", "Text Input: City"}},
        {"back from Keyferry to the same button records nothing",
         {field("Name"), control("OK"), ownWindow("Steps"), control("OK")},
         {"Text Input: Name", "Tab"}},
        {"back from Keyferry to another field records it",
         {field("Name"), ownWindow("Steps"), field("City")},
         {"Text Input: Name", "Text Input: City"}},
        {"a field of the same name in another application is another field",
         {field("Name"), ownWindow("Steps"),
          [] {
              Seen other = field("Name");
              other.element.processID = 300;
              return other;
          }()},
         {"Text Input: Name", "Text Input: Name"}},
        {"only Keyferry: nothing", {ownWindow("Record"), ownWindow("Steps")}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(record(c.sequence), c.steps) << c.name;
}

// The element focused when the recording begins: announced again before anything moved, it is
// no step; after a move, or after Keyferry, it is one like any other.
TEST(FocusStepBuilder, TheFieldFocusedAtTheStartIsNoStepUntilTheFocusMoves) {
    EXPECT_EQ(record({field("Name"), field("City")}, field("Name")), Shown{"Text Input: City"});
    EXPECT_EQ(record({field("City"), field("Name")}, field("Name")),
              (Shown{"Text Input: City", "Text Input: Name"}));
    EXPECT_EQ(record({field("Name")}, field("City")), Shown{"Text Input: Name"});
    EXPECT_EQ(record({ownWindow("Record"), field("Name")}, field("Name")), Shown{})
        << "back from Keyferry to the field focused at the start is no move either";
    EXPECT_EQ(record({field("Name"), field("Name")}, field("Name")), Shown{"Text Input: Name"})
        << "the second announcement is a second field of the same name";
}
