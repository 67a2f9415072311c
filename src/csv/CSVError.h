#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace keyferry {

/// The CSV reader's error value: what went wrong, why, and what the user can do about it.
struct CSVError {
    enum class Type { invalidConfiguration = 1, invalidInput = 2, streamFailure = 4 };
    /// A detail value: an integer (row index, counts, a byte) or text (field, delimiters,
    /// encodings).
    using Value = std::variant<std::int64_t, std::string>;

    Type type = Type::invalidInput;
    std::optional<std::string> failureReason;
    std::optional<std::string> recoverySuggestion;
    std::optional<std::string> helpAnchor;
    std::vector<std::pair<std::string, Value>> errorUserInfo; ///< in the order they were added

    /// "Invalid configuration", "Invalid input" or "Stream failure": what import shows.
    std::string shortDescription() const;
    /// "[CSVReader] " with the short description, reason, help and user info on their own
    /// tab-indented lines.
    std::string description() const;
    /// "invalidConfiguration", "invalidInput" or "streamFailure".
    std::string typeName() const;
    /// The detail stored under `key`, if any.
    const Value* userInfo(const std::string& key) const;

    friend bool operator==(const CSVError&, const CSVError&) = default;

    // ---- the reader's errors ----
    static CSVError inferenceUnsupported();
    static CSVError invalidDelimiters(const std::u32string& field,
                                      const std::vector<std::u32string>& rows);
    static CSVError invalidTrimCharactersField(const std::u32string& field,
                                               const std::u32string& trim);
    static CSVError invalidTrimCharactersRow(const std::vector<std::u32string>& rows,
                                             const std::u32string& trim);
    static CSVError invalidTrimCharactersEscape(char32_t escape, const std::u32string& trim);
    static CSVError invalidUnescapedField(std::int64_t rowIndex);
    static CSVError invalidEOF(std::int64_t rowIndex);
    static CSVError invalidEscapedField(std::int64_t rowIndex, const std::string& field,
                                        char32_t found);
    static CSVError invalidFieldCount(std::int64_t rowIndex, std::int64_t parsed,
                                      std::int64_t expected);

    // ---- the byte entry's and the decoders' errors ----
    static CSVError mismatched(const std::string& encoding);
    static CSVError mismatchedEncoding(const std::string& provided, const std::string& inferred);
    static CSVError unsupported(const std::string& encoding);
    static CSVError invalidASCII(std::uint8_t byte);
    static CSVError invalidUTF8();
    static CSVError invalidUTF16();
    static CSVError incompleteUTF16();
    static CSVError invalidUTF32();
    static CSVError incompleteUTF32();
};

/// A scalar sequence as UTF-8 text.
std::string toUTF8(std::u32string_view scalars);
/// Appends one scalar to UTF-8 text.
void appendUTF8(std::string& text, char32_t scalar);

} // namespace keyferry
