#include "csv/CSVError.h"

namespace keyferry {

namespace {

CSVError make(CSVError::Type type, const char* reason, const char* help,
              std::vector<std::pair<std::string, CSVError::Value>> info = {}) {
    CSVError error;
    error.type = type;
    error.failureReason = reason;
    error.helpAnchor = help;
    error.errorUserInfo = std::move(info);
    return error;
}

// Delimiters in user info are written the way a person would type them: "\n", "\r\n".
std::string visible(std::u32string_view scalars) {
    std::string text;
    for (char32_t c : scalars) {
        switch (c) {
        case U'\n':
            text += "\\n";
            break;
        case U'\r':
            text += "\\r";
            break;
        case U'\t':
            text += "\\t";
            break;
        default:
            appendUTF8(text, c);
        }
    }
    return text;
}

std::string listOf(const std::vector<std::u32string>& sequences) {
    std::string text = "[";
    for (std::size_t i = 0; i < sequences.size(); ++i)
        text += (i ? ", \"" : "\"") + visible(sequences[i]) + "\"";
    return text + "]";
}

constexpr auto invalidConfiguration = CSVError::Type::invalidConfiguration;
constexpr auto invalidInput = CSVError::Type::invalidInput;

} // namespace

void appendUTF8(std::string& text, char32_t c) {
    if (c < 0x80) {
        text.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        text.push_back(static_cast<char>(0xC0 | (c >> 6)));
        text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        text.push_back(static_cast<char>(0xE0 | (c >> 12)));
        text.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        text.push_back(static_cast<char>(0xF0 | (c >> 18)));
        text.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        text.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

std::string toUTF8(std::u32string_view scalars) {
    std::string text;
    text.reserve(scalars.size());
    for (char32_t c : scalars)
        appendUTF8(text, c);
    return text;
}

std::string CSVError::shortDescription() const {
    switch (type) {
    case Type::invalidConfiguration:
        return "Invalid configuration";
    case Type::invalidInput:
        return "Invalid input";
    case Type::streamFailure:
        return "Stream failure";
    }
    return "Invalid input";
}

std::string CSVError::typeName() const {
    switch (type) {
    case Type::invalidConfiguration:
        return "invalidConfiguration";
    case Type::invalidInput:
        return "invalidInput";
    case Type::streamFailure:
        return "streamFailure";
    }
    return "invalidInput";
}

std::string CSVError::description() const {
    std::string text = "[CSVReader] " + shortDescription();
    if (failureReason)
        text += "\n\tReason: " + *failureReason;
    if (recoverySuggestion)
        text += "\n\tRecovery: " + *recoverySuggestion;
    if (helpAnchor)
        text += "\n\tHelp: " + *helpAnchor;
    if (!errorUserInfo.empty()) {
        text += "\n\tUser info: ";
        for (std::size_t i = 0; i < errorUserInfo.size(); ++i) {
            const auto& [key, value] = errorUserInfo[i];
            text += (i ? ", " : "") + key + ": ";
            if (const auto* number = std::get_if<std::int64_t>(&value))
                text += std::to_string(*number);
            else
                text += std::get<std::string>(value);
        }
    }
    return text;
}

const CSVError::Value* CSVError::userInfo(const std::string& key) const {
    for (const auto& [name, value] : errorUserInfo)
        if (name == key)
            return &value;
    return nullptr;
}

CSVError CSVError::inferenceUnsupported() {
    return make(invalidConfiguration, "Delimiter inference is not yet supported by this library",
                "Specify a concrete delimiter or get in contact with the maintainer");
}

CSVError CSVError::invalidDelimiters(const std::u32string& field,
                                     const std::vector<std::u32string>& rows) {
    return make(invalidConfiguration, "The field and row delimiters cannot be the same.",
                "Set different delimiters for fields and rows.",
                {{"Field delimiter", visible(field)}, {"Row delimiters", listOf(rows)}});
}

CSVError CSVError::invalidTrimCharactersField(const std::u32string& field,
                                              const std::u32string& trim) {
    return make(invalidConfiguration, "The trim character set includes the field delimiter.",
                "Remove the delimiter scalars from the trim character set.",
                {{"Field delimiter", visible(field)}, {"Trim characters", visible(trim)}});
}

CSVError CSVError::invalidTrimCharactersRow(const std::vector<std::u32string>& rows,
                                            const std::u32string& trim) {
    return make(invalidConfiguration, "The trim character set includes the row delimiter.",
                "Remove the delimiter scalars from the trim character set.",
                {{"Row delimiter", listOf(rows)}, {"Trim characters", visible(trim)}});
}

CSVError CSVError::invalidTrimCharactersEscape(char32_t escape, const std::u32string& trim) {
    return make(invalidConfiguration, "The trim characters set includes the escaping scalar.",
                "Remove the escaping scalar from the trim characters set.",
                {{"Escaping scalar", visible(std::u32string(1, escape))},
                 {"Trim characters", visible(trim)}});
}

CSVError CSVError::invalidUnescapedField(std::int64_t rowIndex) {
    return make(invalidInput,
                "The escaping scalar (double quotes by default) is not allowed within fields "
                "which aren't already escaped.",
                "Add the escaping scalar at the very beginning and the very end of the field and "
                "escape the escaping scalar found within the field.",
                {{"Row index", rowIndex}});
}

CSVError CSVError::invalidEOF(std::int64_t rowIndex) {
    return make(invalidInput,
                "The last field is escaped (with double quotes if you haven't changed the "
                "defaults) and an EOF (End of File) was encountered before the field matched at "
                "the end with the closing escaping scalar.",
                "End the targeted field with the scaping scalar (double quotes by default).",
                {{"Row index", rowIndex}});
}

CSVError CSVError::invalidEscapedField(std::int64_t rowIndex, const std::string& field,
                                       char32_t found) {
    return make(invalidInput,
                "The targeted field parsed successfully. However, the character right after it "
                "was not a field nor row delimiter.",
                found == U'\r'
                    ? "If your CSV is CRLF, change the row delimiter to \"\\r\\n\" or add a trim "
                      "strategy for \"\\r\"."
                    : "There seems to be some characters after the escaping character and before "
                      "the next field or the end of the row. Please remove those.",
                {{"Row index", rowIndex}, {"Field", field}});
}

CSVError CSVError::invalidFieldCount(std::int64_t rowIndex, std::int64_t parsed,
                                     std::int64_t expected) {
    return make(invalidInput, "The number of fields is not constant between rows.",
                "Make sure the CSV file has always the same amount of fields per row (including "
                "the header row).",
                {{"Row index", rowIndex},
                 {"Number of parsed fields", parsed},
                 {"Number of expected fields", expected}});
}

CSVError CSVError::mismatched(const std::string& encoding) {
    return make(invalidConfiguration, "The data blob didn't match the given string encoding.",
                "Let the reader infer the encoding or make sure the data blob is correctly "
                "formatted.",
                {{"Encoding", encoding}});
}

CSVError CSVError::mismatchedEncoding(const std::string& provided, const std::string& inferred) {
    return make(invalidConfiguration,
                "The encoding passed in the configuration doesn't match the Byte Order Mark (BOM) "
                "from the input data",
                "Set the appropriate encoding for the reader configuration or don't set any at "
                "all (pass nil)",
                {{"Provided encoding", provided}, {"Data BOM encoding", inferred}});
}

CSVError CSVError::unsupported(const std::string& encoding) {
    return make(invalidConfiguration, "The given encoding is not yet supported by this library",
                "Contact the library maintainer", {{"Encoding", encoding}});
}

CSVError CSVError::invalidASCII(std::uint8_t byte) {
    return make(invalidInput, "The decoded byte is not an ASCII character.",
                "Make sure the CSV only contains ASCII characters or select a different encoding "
                "(e.g. UTF8).",
                {{"Byte", static_cast<std::int64_t>(byte)}});
}

CSVError CSVError::invalidUTF8() {
    return make(invalidInput, "Some input bytes couldn't be decoded as UTF8 characters",
                "Make sure the CSV only contains UTF8 characters or select a different encoding.");
}

CSVError CSVError::invalidUTF16() {
    return make(invalidInput, "Some input bytes couldn't be decoded as multibyte UTF16",
                "Make sure the CSV only contains UTF16 characters.");
}

CSVError CSVError::incompleteUTF16() {
    return make(invalidInput,
                "The last input UTF16 character is incomplete (only 1 byte was found when 2 were "
                "expected).",
                "Check the last UTF16 character of your input data/file.");
}

CSVError CSVError::invalidUTF32() {
    return make(invalidInput, "Some input bytes couldn't be decoded as multibyte UTF32",
                "Make sure the CSV only contains UTF32 characters.");
}

CSVError CSVError::incompleteUTF32() {
    return make(invalidInput,
                "The last input UTF32 character is incomplete (less than 4 bytes were found).",
                "Check the last UTF32 character of your input data/file.");
}

} // namespace keyferry
