#include "model/TemplateJson.h"

#include <functional>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace keyferry;
using Json = nlohmann::json;

namespace {

const char* const templateID = "6F9619FF-8B86-4011-B42D-00C04FC964FF";
const char* const stepID = "0F8FAD5B-D9CB-469F-A165-70867728950E";

// A valid file with one template holding one step of each optional field.
Json validDocument() {
    return Json::parse(R"([{
        "id": "6F9619FF-8B86-4011-B42D-00C04FC964FF", "schemaVersion": 2, "name": "Orders",
        "targetAppBundleID": "Yad",
        "steps": [{"id": "0F8FAD5B-D9CB-469F-A165-70867728950E", "type": "mouseClick",
                   "label": "", "postDelay": 0.3, "repeatCount": 1, "mouseButton": "right",
                   "mouseClickType": "double", "mousePositionX": 40, "mousePositionY": 25.5,
                   "arrowDirection": "left", "fixedValue": "x",
                   "field": {"role": "text", "name": "City", "id": "id_city",
                             "context": ["Delivery"], "place": "0/2/1"}}],
        "settings": {"countdownSeconds": 5, "defaultPostDelay": 0.3, "interCharDelay": 0.02}
    }])");
}

Json& step(Json& document) {
    return document[0]["steps"][0];
}

struct ReadingRule {
    const char* name;
    std::function<void(Json&)> change;
    const char* problemMentions; // empty: the document must read
};

} // namespace

TEST(TemplateJson, ReadingRules) {
    const std::vector<ReadingRule> rules = {
        {"valid as written", [](Json&) {}, ""},
        {"missing required step key", [](Json& d) { step(d).erase("repeatCount"); },
         "steps[0]: required key \"repeatCount\" is missing"},
        {"missing schemaVersion", [](Json& d) { d[0].erase("schemaVersion"); }, "schemaVersion"},
        {"null required key", [](Json& d) { d[0]["name"] = nullptr; }, "templates[0].name"},
        {"null optional key means absent", [](Json& d) { step(d)["mouseButton"] = nullptr; }, ""},
        {"missing optional key means absent", [](Json& d) { d[0].erase("targetAppBundleID"); }, ""},
        {"wrong type string", [](Json& d) { d[0]["name"] = 7; }, "templates[0].name"},
        {"wrong type optional", [](Json& d) { step(d)["fixedValue"] = 1; }, "fixedValue"},
        {"wrong type double", [](Json& d) { step(d)["postDelay"] = "0.3"; }, "postDelay"},
        {"settings not an object", [](Json& d) { d[0]["settings"] = Json::array(); }, "settings"},
        {"steps not an array", [](Json& d) { d[0]["steps"] = Json::object(); }, "steps"},
        {"step not an object", [](Json& d) { d[0]["steps"][0] = "tab"; }, "steps[0]"},
        {"unknown step kind", [](Json& d) { step(d)["type"] = "Tab"; }, "\"Tab\""},
        {"unknown arrow word", [](Json& d) { step(d)["arrowDirection"] = "north"; }, "north"},
        {"unknown click type", [](Json& d) { step(d)["mouseClickType"] = "triple"; }, "triple"},
        {"bad UUID", [](Json& d) { d[0]["id"] = "6F9619FF8B864011B42D00C04FC964FF"; },
         "is not a UUID"},
        {"lower-case UUID reads",
         [](Json& d) { step(d)["id"] = "0f8fad5b-d9cb-469f-a165-70867728950e"; }, ""},
        {"fraction in an integer", [](Json& d) { step(d)["repeatCount"] = 1.5; }, "repeatCount"},
        {"whole number with a fraction part", [](Json& d) { step(d)["repeatCount"] = 3.0; }, ""},
        {"integer out of range", [](Json& d) { d[0]["settings"]["countdownSeconds"] = 1e300; },
         "countdownSeconds"},
        {"integer literal for a double", [](Json& d) { step(d)["postDelay"] = 2; }, ""},
        {"field not an object", [](Json& d) { step(d)["field"] = "City"; }, "steps[0].field"},
        {"field without a role", [](Json& d) { step(d)["field"].erase("role"); }, "\"role\""},
        {"field with only role and name",
         [](Json& d) {
             step(d)["field"] = {{"role", "text"}, {"name", ""}};
         },
         ""},
        {"field context not a list", [](Json& d) { step(d)["field"]["context"] = "Delivery"; },
         "field.context"},
        {"field context entry not text", [](Json& d) { step(d)["field"]["context"] = {1}; },
         "field.context[0]"},
        {"longest field wait not a number",
         [](Json& d) { d[0]["settings"]["longestFieldWait"] = "10"; }, "longestFieldWait"},
        {"check setting not a boolean", [](Json& d) { d[0]["settings"]["verifyTypedText"] = 1; },
         "settings.verifyTypedText: expected true or false"},
        {"clear setting not a boolean", [](Json& d) { d[0]["settings"]["clearFieldFirst"] = "no"; },
         "clearFieldFirst"},
        {"unknown keys ignored",
         [](Json& d) {
             d[0]["colour"] = "blue";
             step(d)["extra"] = {1};
         },
         ""},
        {"not an array", [](Json& d) { d = d[0]; }, "expected an array"},
        {"second template broken",
         [](Json& d) {
             d.push_back(d[0]);
             d[1].erase("steps");
         },
         "templates[1]"},
    };
    for (const ReadingRule& rule : rules) {
        Json document = validDocument();
        rule.change(document);
        const auto result = decodeTemplates(document.dump());
        if (*rule.problemMentions == '\0') {
            EXPECT_TRUE(result.hasValue()) << rule.name << ": " << result.error();
        } else {
            ASSERT_FALSE(result.hasValue()) << rule.name;
            EXPECT_NE(result.error().find(rule.problemMentions), std::string::npos)
                << rule.name << ": " << result.error();
        }
    }
}

TEST(TemplateJson, ReadsEveryField) {
    const auto result = decodeTemplates(validDocument().dump());
    ASSERT_TRUE(result.hasValue()) << result.error();
    ASSERT_EQ(result->size(), 1u);
    const Template& item = result->front();
    EXPECT_EQ(item.id.toString(), templateID);
    EXPECT_EQ(item.targetAppBundleID, "Yad");
    ASSERT_EQ(item.steps.size(), 1u);
    const Step& s = item.steps[0];
    EXPECT_EQ(s.id.toString(), stepID);
    EXPECT_EQ(s.type, StepType::mouseClick);
    EXPECT_EQ(s.mouseButton, MouseButton::right);
    EXPECT_EQ(s.mouseClickType, MouseClickType::double_);
    EXPECT_EQ(s.arrowDirection, ArrowDirection::left);
    EXPECT_EQ(s.mousePositionX, 40.0);
    EXPECT_EQ(s.mousePositionY, 25.5);
    EXPECT_EQ(s.fixedValue, "x");
    EXPECT_TRUE(item.settings.verifyTypedText) << "a file from before the setting: on";
    EXPECT_TRUE(item.settings.clearFieldFirst) << "a file from before the setting: on";
    EXPECT_FALSE(item.settings.waitForNextField)
        << "a file from before the setting keeps its delays";
    EXPECT_EQ(item.settings.longestFieldWait, 10.0);
    ASSERT_TRUE(s.field);
    EXPECT_EQ(*s.field, (FieldIdentity{"text", "City", "id_city", {"Delivery"}, "0/2/1"}));
}

TEST(TemplateJson, TypingSettingsRoundTripWhenOff) {
    Json document = validDocument();
    document[0]["settings"]["verifyTypedText"] = false;
    document[0]["settings"]["clearFieldFirst"] = false;
    const auto read = decodeTemplates(document.dump());
    ASSERT_TRUE(read.hasValue()) << read.error();
    EXPECT_FALSE(read->front().settings.verifyTypedText);
    EXPECT_FALSE(read->front().settings.clearFieldFirst);
    const auto again = decodeTemplates(*encodeTemplates(*read));
    ASSERT_TRUE(again.hasValue()) << again.error();
    EXPECT_EQ(again->front().settings, read->front().settings);
}

TEST(TemplateJson, SyntaxErrorsAndEmptyInput) {
    for (const char* text : {"", "[", "[{]", "nul", "[1,]", "\"\xff\""}) {
        const auto result = decodeTemplates(text);
        ASSERT_FALSE(result.hasValue()) << text;
        EXPECT_EQ(result.error().find("[json.exception"), std::string::npos) << result.error();
    }
    const auto empty = decodeTemplates("[]");
    ASSERT_TRUE(empty.hasValue());
    EXPECT_TRUE(empty->empty());
}

TEST(TemplateJson, WritesCompactFormAndRoundTrips) {
    Template item;
    item.schemaVersion = 7;
    Step input = Step::ofType(StepType::textInput);
    input.label = "Name";
    input.fixedValue = "";
    input.postDelay = 0.3;
    Step click = Step::ofType(StepType::mouseClick);
    click.mousePositionX = 12.75;
    click.mouseClickType = MouseClickType::double_;
    input.field = FieldIdentity{"text", "Name", "", {}, ""};
    item.steps = {input, click};
    item.settings.interCharDelay = 0.02;
    item.settings.longestFieldWait = 2.5;

    const auto encoded = encodeTemplates({item});
    ASSERT_TRUE(encoded.hasValue()) << encoded.error();
    const std::string& text = *encoded;
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_EQ(text.find(": "), std::string::npos);
    EXPECT_NE(text.find("\"postDelay\":0.3,"), std::string::npos) << text;
    EXPECT_NE(text.find("\"interCharDelay\":0.02,"), std::string::npos) << text;
    EXPECT_NE(text.find("\"verifyTypedText\":true,\"clearFieldFirst\":true,"
                        "\"waitForNextField\":true,\"longestFieldWait\":2.5}"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\"field\":{\"role\":\"text\",\"name\":\"Name\"}"), std::string::npos)
        << "only what the field has is written: " << text;
    EXPECT_EQ(text.find("\"field\"", text.find("mouseClick")), std::string::npos)
        << "a step without a field has none";
    EXPECT_NE(text.find("\"fixedValue\":\"\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"schemaVersion\":7"), std::string::npos) << text;
    EXPECT_NE(text.find("\"mouseClickType\":\"double\""), std::string::npos) << text;
    EXPECT_NE(text.find(item.id.toString()), std::string::npos) << "ids in upper case";
    EXPECT_EQ(text.find("targetAppBundleID"), std::string::npos) << "absent target not written";
    EXPECT_EQ(text.find("null"), std::string::npos) << text;

    const auto decoded = decodeTemplates(text);
    ASSERT_TRUE(decoded.hasValue()) << decoded.error();
    EXPECT_EQ(decoded->front(), item);
    EXPECT_EQ(decoded->front().steps[0].postDelay, 0.3);
    EXPECT_EQ(*encodeTemplates(*decoded), text);
    EXPECT_EQ(*encodeTemplates({}), "[]");
}

TEST(TemplateJson, RefusesToWriteWhatCannotBeReadBack) {
    Template item;
    item.steps = {Step::ofType(StepType::pause)};
    item.steps[0].postDelay = std::numeric_limits<double>::quiet_NaN();
    auto encoded = encodeTemplates({item});
    ASSERT_FALSE(encoded.hasValue());
    EXPECT_NE(encoded.error().find("templates[0].steps[0].postDelay"), std::string::npos);

    item.steps[0].postDelay = -1.0; // stored unchanged: keeping values sensible is the editor's job
    item.settings.countdownSeconds = -3;
    item.name = "bad \xC3";
    encoded = encodeTemplates({item});
    ASSERT_FALSE(encoded.hasValue()) << "invalid UTF-8 must not reach the file";
    item.name = "Grüße 👋";
    encoded = encodeTemplates({item});
    ASSERT_TRUE(encoded.hasValue()) << encoded.error();
    EXPECT_EQ(decodeTemplates(*encoded)->front(), item);
}
