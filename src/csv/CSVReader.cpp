#include "csv/CSVReader.h"

#include <algorithm>

namespace keyferry {

CSVReader::Configuration CSVReader::Configuration::forImport(Separator separator) {
    Configuration configuration;
    configuration.delimiters.field.assign(1, static_cast<char32_t>(separatorByte(separator)));
    configuration.headerStrategy = HeaderStrategy::firstLine;
    configuration.encoding = TextEncoding::utf8;
    return configuration;
}

Expected<std::unique_ptr<CSVReader>, CSVError> CSVReader::fromBytes(std::string bytes,
                                                                    Configuration configuration) {
    if (configuration.presample && configuration.encoding) {
        auto text = decodeWhole(*configuration.encoding, bytes);
        if (!text)
            return Unexpected{CSVError::mismatched(encodingName(*configuration.encoding))};
        return fromText(std::move(*text), std::move(configuration));
    }
    const auto mark = detectByteOrderMark(bytes);
    const auto encoding = selectEncodingFrom(configuration.encoding,
                                             mark ? std::optional(mark->encoding) : std::nullopt);
    if (!encoding)
        return Unexpected{encoding.error()};
    const std::size_t offset = mark ? mark->length : 0;
    auto decoder =
        makeByteDecoder(*encoding, std::make_shared<const std::string>(std::move(bytes)), offset);
    if (!decoder)
        return Unexpected{decoder.error()};
    return construct(std::move(configuration), std::move(*decoder));
}

Expected<std::unique_ptr<CSVReader>, CSVError> CSVReader::fromText(std::u32string text,
                                                                   Configuration configuration) {
    return construct(std::move(configuration), makeTextSource(std::move(text)));
}

Expected<CSVReader::Settings, CSVError>
CSVReader::deriveSettings(const Configuration& configuration) {
    const auto& delimiters = configuration.delimiters;
    if (delimiters.field.empty() || delimiters.row.empty())
        return Unexpected{CSVError::inferenceUnsupported()};
    const std::vector<std::u32string> rows(delimiters.row.begin(), delimiters.row.end());
    for (const auto& row : delimiters.row)
        if (row.empty() || row == delimiters.field)
            return Unexpected{CSVError::invalidDelimiters(delimiters.field, rows)};

    Settings settings;
    settings.fieldDelimiter = delimiters.field;
    settings.rowDelimiters = delimiters.row;
    settings.escapingScalar = configuration.escapingStrategy;
    settings.trimCharacters = configuration.trimStrategy;
    settings.isTrimNeeded = !settings.trimCharacters.empty();
    if (settings.isTrimNeeded) {
        const auto& trim = settings.trimCharacters;
        const std::u32string trimText(trim.begin(), trim.end());
        auto inTrim = [&](char32_t c) { return trim.contains(c); };
        if (std::ranges::any_of(delimiters.field, inTrim))
            return Unexpected{CSVError::invalidTrimCharactersField(delimiters.field, trimText)};
        for (const auto& row : delimiters.row)
            if (std::ranges::any_of(row, inTrim))
                return Unexpected{CSVError::invalidTrimCharactersRow(rows, trimText)};
        if (settings.escapingScalar && inTrim(*settings.escapingScalar))
            return Unexpected{
                CSVError::invalidTrimCharactersEscape(*settings.escapingScalar, trimText)};
    }
    return settings;
}

CSVReader::CSVReader(Configuration configuration, Settings settings,
                     std::unique_ptr<ScalarSource> source)
    : configuration_(std::move(configuration)), settings_(std::move(settings)),
      rowDelimitersByLength_(settings_.rowDelimiters.begin(), settings_.rowDelimiters.end()),
      decoder_(std::move(source)) {
    std::ranges::stable_sort(rowDelimitersByLength_, {}, &std::u32string::size);
    scalarBuffer_.reserve(8);
    fieldBuffer_.reserve(128);
}

Expected<std::unique_ptr<CSVReader>, CSVError>
CSVReader::construct(Configuration configuration, std::unique_ptr<ScalarSource> source) {
    auto settings = deriveSettings(configuration);
    if (!settings)
        return Unexpected{settings.error()};
    std::unique_ptr<CSVReader> reader(
        new CSVReader(std::move(configuration), std::move(*settings), std::move(source)));
    if (reader->configuration_.headerStrategy == HeaderStrategy::firstLine) {
        try {
            auto line = reader->parseLine(0);
            if (!line) {
                reader->status_ = Finished{};
            } else {
                reader->count_ = {1, static_cast<std::int64_t>(line->size())};
                reader->headers_ = std::move(*line);
            }
        } catch (const CSVError& error) {
            return Unexpected{error};
        }
    }
    return reader;
}

Expected<std::optional<CSVReader::Row>, CSVError> CSVReader::readRow() {
    if (std::holds_alternative<Finished>(status_))
        return std::optional<Row>{};
    if (const auto* failure = std::get_if<CSVError>(&status_))
        return Unexpected{*failure};
    try {
        for (;;) {
            auto line = parseLine(count_.rows);
            if (!line) {
                status_ = Finished{};
                return std::optional<Row>{};
            }
            const bool holdsNothing = line->size() == 1 && line->front().empty();
            if (holdsNothing && count_.rows != 1)
                continue; // empty lines are skipped, except right after a header line
            const auto fields = static_cast<std::int64_t>(line->size());
            if (count_.rows == 0)
                count_.fields = fields;
            else if (fields != count_.fields)
                throw CSVError::invalidFieldCount(count_.rows + 1, fields, count_.fields);
            ++count_.rows;
            return std::optional<Row>(std::move(*line));
        }
    } catch (const CSVError& error) {
        status_ = error;
        return Unexpected{error};
    }
}

std::optional<char32_t> CSVReader::readScalar() {
    if (!scalarBuffer_.empty()) {
        const char32_t scalar = scalarBuffer_.back();
        scalarBuffer_.pop_back();
        return scalar;
    }
    return decoder_->next();
}

void CSVReader::pushBack(const std::u32string& readAhead) {
    // Last in, first out: push in reverse so the next reads see them in reading order.
    for (auto it = readAhead.rbegin(); it != readAhead.rend(); ++it)
        scalarBuffer_.push_back(*it);
}

bool CSVReader::matchesSequence(char32_t first, const std::u32string& sequence) {
    if (first != sequence[0])
        return false;
    std::u32string readAhead;
    for (std::size_t i = 1; i < sequence.size(); ++i) {
        const auto scalar = readScalar();
        if (!scalar) {
            pushBack(readAhead);
            return false;
        }
        readAhead.push_back(*scalar);
        if (*scalar != sequence[i]) {
            pushBack(readAhead);
            return false;
        }
    }
    return true;
}

bool CSVReader::isFieldDelimiter(char32_t scalar) {
    return matchesSequence(scalar, settings_.fieldDelimiter);
}

bool CSVReader::isRowDelimiter(char32_t scalar) {
    if (rowDelimitersByLength_.size() == 1)
        return matchesSequence(scalar, rowDelimitersByLength_.front());
    // Candidates share what was read ahead; shorter ones are tried first and win.
    std::u32string readAhead;
    bool inputEnded = false;
    for (const std::u32string& candidate : rowDelimitersByLength_) {
        if (candidate[0] != scalar)
            continue;
        bool matched = true;
        for (std::size_t i = 1; i < candidate.size(); ++i) {
            if (readAhead.size() < i) {
                const auto next = inputEnded ? std::nullopt : readScalar();
                if (!next) {
                    inputEnded = true;
                    matched = false;
                    break;
                }
                readAhead.push_back(*next);
            }
            if (readAhead[i - 1] != candidate[i]) {
                matched = false;
                break;
            }
        }
        if (matched) {
            pushBack(readAhead.substr(candidate.size() - 1));
            return true;
        }
    }
    pushBack(readAhead);
    return false;
}

bool CSVReader::isTrim(char32_t scalar) const {
    return settings_.isTrimNeeded && settings_.trimCharacters.contains(scalar);
}

std::optional<CSVReader::Row> CSVReader::parseLine(std::int64_t rowIndex) {
    Row result;
    result.reserve(static_cast<std::size_t>(count_.fields));
    for (;;) {
        const auto scalar = readScalar();
        if (!scalar) {
            if (result.empty())
                return std::nullopt;
            result.emplace_back();
            return result;
        }
        if (isTrim(*scalar))
            continue;
        bool rowEnded = false;
        if (settings_.escapingScalar && *scalar == *settings_.escapingScalar) {
            result.push_back(parseEscapedField(rowIndex, *scalar, rowEnded));
        } else if (isFieldDelimiter(*scalar)) {
            result.emplace_back();
        } else if (isRowDelimiter(*scalar)) {
            result.emplace_back();
            rowEnded = true;
        } else {
            result.push_back(parseUnescapedField(*scalar, rowIndex, rowEnded));
        }
        if (rowEnded)
            return result;
    }
}

std::string CSVReader::parseUnescapedField(char32_t starting, std::int64_t rowIndex,
                                           bool& rowEnded) {
    fieldBuffer_.assign(1, starting);
    for (;;) {
        const auto scalar = readScalar();
        if (!scalar) {
            rowEnded = true;
            break;
        }
        if (settings_.escapingScalar && *scalar == *settings_.escapingScalar)
            throw CSVError::invalidUnescapedField(rowIndex);
        if (isFieldDelimiter(*scalar))
            break;
        if (isRowDelimiter(*scalar)) {
            rowEnded = true;
            break;
        }
        fieldBuffer_.push_back(*scalar);
    }
    if (settings_.isTrimNeeded)
        while (!fieldBuffer_.empty() && isTrim(fieldBuffer_.back()))
            fieldBuffer_.pop_back();
    std::string value = toUTF8(fieldBuffer_);
    fieldBuffer_.clear();
    return value;
}

std::string CSVReader::parseEscapedField(std::int64_t rowIndex, char32_t escaping, bool& rowEnded) {
    fieldBuffer_.clear();
    for (;;) {
        const auto scalar = readScalar();
        if (!scalar)
            throw CSVError::invalidEOF(rowIndex);
        if (*scalar != escaping) {
            fieldBuffer_.push_back(*scalar);
            continue;
        }
        auto following = readScalar();
        if (!following) {
            rowEnded = true;
            break;
        }
        if (*following == escaping) {
            fieldBuffer_.push_back(escaping);
            continue;
        }
        while (following && isTrim(*following))
            following = readScalar();
        if (!following) {
            rowEnded = true;
            break;
        }
        if (isFieldDelimiter(*following))
            break;
        if (isRowDelimiter(*following)) {
            rowEnded = true;
            break;
        }
        throw CSVError::invalidEscapedField(rowIndex, toUTF8(fieldBuffer_), *following);
    }
    std::string value = toUTF8(fieldBuffer_);
    fieldBuffer_.clear();
    return value;
}

} // namespace keyferry
