#pragma once

#include "csv/CSVError.h"
#include "csv/ScalarSource.h"
#include "csv/Separator.h"
#include "csv/TextEncoding.h"
#include "model/Expected.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <variant>
#include <vector>

namespace keyferry {

/// Reads rows of text fields from a stream of Unicode scalars, one scalar at a time.
/// One reader reads one input once: construct, take headers(), call readRow() until it
/// returns nothing or fails.
class CSVReader {
public:
    enum class HeaderStrategy { none, firstLine };

    struct Configuration {
        /// Absent: inferred from a byte order mark, UTF-8 without one.
        std::optional<TextEncoding> encoding;
        struct Delimiters {
            /// Scalars of the field delimiter; empty would ask for inference, which is refused.
            std::u32string field = U",";
            /// Row delimiter sequences; several are tried shortest first.
            std::set<std::u32string> row = {U"\n"};
        } delimiters;
        /// The quoting scalar; absent means fields are never escaped.
        std::optional<char32_t> escapingStrategy = U'"';
        HeaderStrategy headerStrategy = HeaderStrategy::none;
        /// Scalars dropped around fields.
        std::set<char32_t> trimStrategy;
        /// Convert the whole blob up front instead of decoding lazily.
        bool presample = false;

        /// What CSV import uses: ";" (or the separator given) between fields, a header line,
        /// UTF-8.
        static Configuration forImport(Separator separator = Separator::semicolon);
    };

    /// The row delimiters people mean by "a line": "\n" and "\r\n".
    static std::set<std::u32string> standardRowDelimiters() { return {U"\n", U"\r\n"}; }

    struct Settings {
        std::u32string fieldDelimiter;
        std::set<std::u32string> rowDelimiters;
        std::optional<char32_t> escapingScalar;
        std::set<char32_t> trimCharacters;
        bool isTrimNeeded = false;
    };

    struct Finished {};
    using Status = std::variant<std::monostate /* active */, Finished, CSVError>;
    using Row = std::vector<std::string>;

    /// The byte entry: finds a byte order mark, chooses the encoding and decodes lazily, so
    /// a decoding error late in the blob comes out of the readRow() that reaches it.
    static Expected<std::unique_ptr<CSVReader>, CSVError> fromBytes(std::string bytes,
                                                                    Configuration configuration);
    /// The text entry: no mark or encoding handling.
    static Expected<std::unique_ptr<CSVReader>, CSVError> fromText(std::u32string text,
                                                                   Configuration configuration);

    CSVReader(const CSVReader&) = delete;
    CSVReader& operator=(const CSVReader&) = delete;

    const Configuration& configuration() const { return configuration_; }
    const Settings& settings() const { return settings_; }
    const std::vector<std::string>& headers() const { return headers_; }
    const Status& status() const { return status_; }
    bool isActive() const { return std::holds_alternative<std::monostate>(status_); }

    /// The next row, all rows as long as the first; nothing once the input ends. After a
    /// failure every call fails with the same error.
    Expected<std::optional<Row>, CSVError> readRow();

private:
    CSVReader(Configuration configuration, Settings settings, std::unique_ptr<ScalarSource> source);
    static Expected<std::unique_ptr<CSVReader>, CSVError>
    construct(Configuration configuration, std::unique_ptr<ScalarSource> source);
    static Expected<Settings, CSVError> deriveSettings(const Configuration& configuration);

    std::optional<char32_t> readScalar();
    void pushBack(const std::u32string& readAhead);
    bool matchesSequence(char32_t first, const std::u32string& sequence);
    bool isFieldDelimiter(char32_t scalar);
    bool isRowDelimiter(char32_t scalar);
    bool isTrim(char32_t scalar) const;
    std::optional<Row> parseLine(std::int64_t rowIndex);
    std::string parseUnescapedField(char32_t starting, std::int64_t rowIndex, bool& rowEnded);
    std::string parseEscapedField(std::int64_t rowIndex, char32_t escaping, bool& rowEnded);

    Configuration configuration_;
    Settings settings_;
    std::vector<std::u32string> rowDelimitersByLength_;
    std::vector<std::string> headers_;
    std::u32string scalarBuffer_; ///< pushback: the last element is read first
    std::u32string fieldBuffer_;
    std::unique_ptr<ScalarSource> decoder_;
    struct {
        std::int64_t rows = 0;
        std::int64_t fields = 0;
    } count_;
    Status status_;
};

} // namespace keyferry
