#include "model/TemplateJson.h"

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>

namespace keyferry {

namespace {

using Json = nlohmann::ordered_json;

// Thrown inside this file only; the public functions turn it into an error value.
struct JsonProblem {
    std::string message;
};

[[noreturn]] void fail(const std::string& path, const std::string& what) {
    throw JsonProblem{path + ": " + what};
}

// ---- writing ----

double finite(double value, const std::string& path) {
    if (!std::isfinite(value))
        fail(path, "is not a finite number and cannot be stored");
    return value;
}

Json encodeField(const FieldIdentity& field) {
    Json json;
    json["role"] = field.role;
    json["name"] = field.name;
    if (!field.id.empty())
        json["id"] = field.id;
    if (!field.context.empty())
        json["context"] = field.context;
    if (!field.place.empty())
        json["place"] = field.place;
    return json;
}

Json encodeStep(const Step& step, const std::string& path) {
    Json json;
    json["id"] = step.id.toString();
    json["type"] = std::string(rawValue(step.type));
    json["label"] = step.label;
    json["postDelay"] = finite(step.postDelay, path + ".postDelay");
    json["repeatCount"] = step.repeatCount;
    if (step.fixedValue)
        json["fixedValue"] = *step.fixedValue;
    if (step.arrowDirection)
        json["arrowDirection"] = std::string(rawValue(*step.arrowDirection));
    if (step.mouseButton)
        json["mouseButton"] = std::string(rawValue(*step.mouseButton));
    if (step.mouseClickType)
        json["mouseClickType"] = std::string(rawValue(*step.mouseClickType));
    if (step.mousePositionX)
        json["mousePositionX"] = finite(*step.mousePositionX, path + ".mousePositionX");
    if (step.mousePositionY)
        json["mousePositionY"] = finite(*step.mousePositionY, path + ".mousePositionY");
    if (step.field)
        json["field"] = encodeField(*step.field);
    return json;
}

Json encodeTemplate(const Template& item, const std::string& path) {
    Json json;
    json["id"] = item.id.toString();
    json["schemaVersion"] = item.schemaVersion;
    json["name"] = item.name;
    if (item.targetAppBundleID)
        json["targetAppBundleID"] = *item.targetAppBundleID;
    Json steps = Json::array();
    for (std::size_t i = 0; i < item.steps.size(); ++i)
        steps.push_back(encodeStep(item.steps[i], path + ".steps[" + std::to_string(i) + "]"));
    json["steps"] = std::move(steps);
    Json settings;
    settings["countdownSeconds"] = item.settings.countdownSeconds;
    settings["defaultPostDelay"] =
        finite(item.settings.defaultPostDelay, path + ".settings.defaultPostDelay");
    settings["interCharDelay"] =
        finite(item.settings.interCharDelay, path + ".settings.interCharDelay");
    settings["verifyTypedText"] = item.settings.verifyTypedText;
    settings["clearFieldFirst"] = item.settings.clearFieldFirst;
    settings["waitForNextField"] = item.settings.waitForNextField;
    settings["longestFieldWait"] =
        finite(item.settings.longestFieldWait, path + ".settings.longestFieldWait");
    json["settings"] = std::move(settings);
    return json;
}

// ---- reading ----

std::string jsonTypeName(const Json& value) {
    if (value.is_number_integer())
        return "an integer";
    if (value.is_number_float())
        return "a number";
    return std::string(value.type_name()); // "null", "string", "object", ...
}

// The value of a key that must be present and not null.
const Json& required(const Json& object, const char* key, const std::string& path) {
    const auto found = object.find(key);
    if (found == object.end())
        fail(path, std::string("required key \"") + key + "\" is missing");
    if (found->is_null())
        fail(path + "." + key, "must not be null");
    return *found;
}

// The value of an optional key, or nullptr when it is missing or null.
const Json* optional(const Json& object, const char* key) {
    const auto found = object.find(key);
    if (found == object.end() || found->is_null())
        return nullptr;
    return &*found;
}

std::string readString(const Json& value, const std::string& path) {
    if (!value.is_string())
        fail(path, "expected a string, found " + jsonTypeName(value));
    return value.get<std::string>();
}

std::int64_t readInteger(const Json& value, const std::string& path) {
    if (value.is_number_integer() && !value.is_number_unsigned())
        return value.get<std::int64_t>();
    if (value.is_number_unsigned()) {
        const auto number = value.get<std::uint64_t>();
        if (number > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
            fail(path, "integer " + value.dump() + " is out of range");
        return static_cast<std::int64_t>(number);
    }
    if (value.is_number_float()) {
        // 5.0 is a whole number written with a fraction part; 5.5 is not an integer.
        const double number = value.get<double>();
        constexpr double limit = 9223372036854775808.0; // 2^63
        if (std::trunc(number) == number && number >= -limit && number < limit)
            return static_cast<std::int64_t>(number);
        fail(path, "expected an integer, found " + value.dump());
    }
    fail(path, "expected an integer, found " + jsonTypeName(value));
}

double readDouble(const Json& value, const std::string& path) {
    if (!value.is_number())
        fail(path, "expected a number, found " + jsonTypeName(value));
    return value.get<double>();
}

bool readBool(const Json& value, const std::string& path) {
    if (!value.is_boolean())
        fail(path, "expected true or false, found " + jsonTypeName(value));
    return value.get<bool>();
}

Uuid readUuid(const Json& value, const std::string& path) {
    const std::string text = readString(value, path);
    const auto uuid = Uuid::parse(text);
    if (!uuid)
        fail(path, "\"" + text + "\" is not a UUID");
    return *uuid;
}

template <class E>
E readEnum(const Json& value, const std::string& path) {
    const std::string text = readString(value, path);
    const auto parsed = fromRawValue<E>(text);
    if (!parsed)
        fail(path, "unknown value \"" + text + "\"");
    return *parsed;
}

void requireObject(const Json& value, const std::string& path) {
    if (!value.is_object())
        fail(path, "expected an object, found " + jsonTypeName(value));
}

template <class T, class Read>
std::optional<T> readOptional(const Json& object, const char* key, const std::string& path,
                              Read read) {
    if (const Json* value = optional(object, key))
        return read(*value, path + "." + key);
    return std::nullopt;
}

FieldIdentity decodeField(const Json& json, const std::string& path) {
    requireObject(json, path);
    FieldIdentity field;
    field.role = readString(required(json, "role", path), path + ".role");
    field.name = readString(required(json, "name", path), path + ".name");
    field.id = readOptional<std::string>(json, "id", path, readString).value_or("");
    if (const Json* context = optional(json, "context")) {
        if (!context->is_array())
            fail(path + ".context", "expected an array, found " + jsonTypeName(*context));
        for (std::size_t i = 0; i < context->size(); ++i)
            field.context.push_back(
                readString((*context)[i], path + ".context[" + std::to_string(i) + "]"));
    }
    field.place = readOptional<std::string>(json, "place", path, readString).value_or("");
    return field;
}

Step decodeStep(const Json& json, const std::string& path) {
    requireObject(json, path);
    Step step;
    step.id = readUuid(required(json, "id", path), path + ".id");
    step.type = readEnum<StepType>(required(json, "type", path), path + ".type");
    step.label = readString(required(json, "label", path), path + ".label");
    step.postDelay = readDouble(required(json, "postDelay", path), path + ".postDelay");
    step.repeatCount = readInteger(required(json, "repeatCount", path), path + ".repeatCount");
    step.fixedValue = readOptional<std::string>(json, "fixedValue", path, readString);
    step.arrowDirection =
        readOptional<ArrowDirection>(json, "arrowDirection", path, readEnum<ArrowDirection>);
    step.mouseButton = readOptional<MouseButton>(json, "mouseButton", path, readEnum<MouseButton>);
    step.mouseClickType =
        readOptional<MouseClickType>(json, "mouseClickType", path, readEnum<MouseClickType>);
    step.mousePositionX = readOptional<double>(json, "mousePositionX", path, readDouble);
    step.mousePositionY = readOptional<double>(json, "mousePositionY", path, readDouble);
    step.field = readOptional<FieldIdentity>(json, "field", path, decodeField);
    return step;
}

Template::Settings decodeSettings(const Json& json, const std::string& path) {
    requireObject(json, path);
    Template::Settings settings;
    settings.countdownSeconds =
        readInteger(required(json, "countdownSeconds", path), path + ".countdownSeconds");
    settings.defaultPostDelay =
        readDouble(required(json, "defaultPostDelay", path), path + ".defaultPostDelay");
    settings.interCharDelay =
        readDouble(required(json, "interCharDelay", path), path + ".interCharDelay");
    // Files written before these settings existed lack them: both were on then.
    settings.verifyTypedText =
        readOptional<bool>(json, "verifyTypedText", path, readBool).value_or(true);
    settings.clearFieldFirst =
        readOptional<bool>(json, "clearFieldFirst", path, readBool).value_or(true);
    // Templates stored before waiting for fields existed keep the delays they were made with.
    settings.waitForNextField =
        readOptional<bool>(json, "waitForNextField", path, readBool).value_or(false);
    settings.longestFieldWait = readOptional<double>(json, "longestFieldWait", path, readDouble)
                                    .value_or(settings.longestFieldWait);
    return settings;
}

Template decodeTemplate(const Json& json, const std::string& path) {
    requireObject(json, path);
    Template item;
    item.id = readUuid(required(json, "id", path), path + ".id");
    item.schemaVersion =
        readInteger(required(json, "schemaVersion", path), path + ".schemaVersion");
    item.name = readString(required(json, "name", path), path + ".name");
    item.targetAppBundleID = readOptional<std::string>(json, "targetAppBundleID", path, readString);
    const Json& steps = required(json, "steps", path);
    if (!steps.is_array())
        fail(path + ".steps", "expected an array, found " + jsonTypeName(steps));
    for (std::size_t i = 0; i < steps.size(); ++i)
        item.steps.push_back(decodeStep(steps[i], path + ".steps[" + std::to_string(i) + "]"));
    item.settings = decodeSettings(required(json, "settings", path), path + ".settings");
    return item;
}

// nlohmann prefixes its messages with "[json.exception.parse_error.101] "; users need the rest.
std::string withoutExceptionTag(const std::string& message) {
    if (!message.starts_with("[json.exception."))
        return message;
    const auto end = message.find("] ");
    return end == std::string::npos ? message : message.substr(end + 2);
}

} // namespace

Expected<std::string> encodeTemplates(const std::vector<Template>& templates) {
    try {
        Json array = Json::array();
        for (std::size_t i = 0; i < templates.size(); ++i)
            array.push_back(encodeTemplate(templates[i], "templates[" + std::to_string(i) + "]"));
        return array.dump(-1, ' ', false, Json::error_handler_t::strict);
    } catch (const JsonProblem& problem) {
        return Unexpected{problem.message};
    } catch (const Json::exception& error) {
        return Unexpected{withoutExceptionTag(error.what())};
    }
}

Expected<std::vector<Template>> decodeTemplates(std::string_view text) {
    try {
        // Each template is decoded as soon as it is parsed and its JSON dropped: the values
        // of the whole file, several times its size, are never held at once.
        std::vector<Template> templates;
        bool topIsArray = false;
        const auto decodeEach = [&](int depth, Json::parse_event_t event, Json& parsed) {
            if (depth == 0 && event == Json::parse_event_t::array_start)
                topIsArray = true;
            const bool elementDone = event == Json::parse_event_t::object_end ||
                                     event == Json::parse_event_t::array_end ||
                                     event == Json::parse_event_t::value;
            if (!topIsArray || depth != 1 || !elementDone)
                return true;
            const std::string path = "templates[" + std::to_string(templates.size()) + "]";
            templates.push_back(decodeTemplate(parsed, path));
            return false;
        };
        const Json json = Json::parse(text.begin(), text.end(), decodeEach);
        if (!json.is_array())
            fail("templates", "expected an array, found " + jsonTypeName(json));
        return templates;
    } catch (const JsonProblem& problem) {
        return Unexpected{problem.message};
    } catch (const Json::exception& error) {
        return Unexpected{withoutExceptionTag(error.what())};
    }
}

} // namespace keyferry
