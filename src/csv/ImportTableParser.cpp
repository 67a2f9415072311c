#include "csv/ImportTableParser.h"

#include "csv/TextEncoding.h"
#include "text/Utf8.h"

#include <cstring>
#include <limits>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace keyferry {

namespace {

constexpr unsigned char rowDelimiter = '\n';
constexpr unsigned char quote = '"';

bool isSpecial(unsigned char c, unsigned char fieldDelimiter) {
    return c == fieldDelimiter || c == rowDelimiter || c == quote;
}

// The position of the next field delimiter, '\n' or '"' at or after `from`, or `size`.
std::size_t findSpecial(const unsigned char* data, std::size_t from, std::size_t size,
                        unsigned char fieldDelimiter) {
    std::size_t p = from;
#if defined(__SSE2__)
    const __m128i delimiters = _mm_set1_epi8(static_cast<char>(fieldDelimiter));
    const __m128i lineFeeds = _mm_set1_epi8(static_cast<char>(rowDelimiter));
    const __m128i quotes = _mm_set1_epi8(static_cast<char>(quote));
    while (p + 16 <= size) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + p));
        const __m128i hits = _mm_or_si128(
            _mm_or_si128(_mm_cmpeq_epi8(block, delimiters), _mm_cmpeq_epi8(block, lineFeeds)),
            _mm_cmpeq_epi8(block, quotes));
        if (const int mask = _mm_movemask_epi8(hits))
            return p + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
        p += 16;
    }
#endif
    while (p < size && !isSpecial(data[p], fieldDelimiter))
        ++p;
    return p;
}

// An upper bound of the number of fields: every field but the last of the file ends in a
// field delimiter or a '\n'. Reserving for it once keeps the kept starts from being copied as
// they grow.
std::size_t countDelimiters(const unsigned char* data, std::size_t from, std::size_t size,
                            unsigned char fieldDelimiter) {
    std::size_t count = 0;
    std::size_t p = from;
#if defined(__SSE2__)
    const __m128i delimiters = _mm_set1_epi8(static_cast<char>(fieldDelimiter));
    const __m128i lineFeeds = _mm_set1_epi8(static_cast<char>(rowDelimiter));
    for (; p + 16 <= size; p += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + p));
        const __m128i hits =
            _mm_or_si128(_mm_cmpeq_epi8(block, delimiters), _mm_cmpeq_epi8(block, lineFeeds));
        count += static_cast<std::size_t>(
            __builtin_popcount(static_cast<unsigned>(_mm_movemask_epi8(hits))));
    }
#endif
    for (; p < size; ++p)
        count += (data[p] == fieldDelimiter) | (data[p] == rowDelimiter);
    return count;
}

} // namespace

CSVError ImportTableParser::tooLarge() {
    CSVError error;
    error.type = CSVError::Type::streamFailure;
    error.failureReason = "The file is larger than the 4 GiB that an import can hold.";
    error.helpAnchor = "Split the file into smaller ones.";
    return error;
}

ImportTableParser::ImportTableParser(std::string bytes, Separator separator)
    : fieldDelimiter_(static_cast<unsigned char>(separatorByte(separator))) {
    table_.fields_.text_ = std::move(bytes);
    data_ = reinterpret_cast<const unsigned char*>(table_.fields_.text_.data());
    size_ = table_.fields_.text_.size();
}

Expected<CSVData, CSVError> ImportTableParser::parse(std::string bytes, Separator separator) {
    if (bytes.size() > maxBytes)
        return Unexpected{tooLarge()};
    const auto mark = detectByteOrderMark(bytes);
    const auto encoding =
        selectEncodingFrom(TextEncoding::utf8, mark ? std::optional(mark->encoding) : std::nullopt);
    if (!encoding)
        return Unexpected{encoding.error()};
    ImportTableParser parser(std::move(bytes), separator);
    parser.read_ = mark ? mark->length : 0;
    try {
        return parser.run();
    } catch (const CSVError& error) {
        return Unexpected{error};
    }
}

void ImportTableParser::requireDecodedBefore(std::size_t position) const {
    // The scalar reader would have met the bad bytes before reaching this point.
    if (firstInvalidUTF8_ < position)
        throw CSVError::invalidUTF8();
}

CSVData ImportTableParser::run() {
    // The whole rest is checked once, up front; the error is raised only when parsing gets
    // there, so rows and errors come in the order the scalar reader gives them.
    firstInvalidUTF8_ = read_ + utf8::firstInvalid(data_ + read_, data_ + size_);

    PackedFields& fields = table_.fields_;
    fields.starts_.reserve(
        countDelimiters(data_, read_, size_, fieldDelimiter_) / PackedFields::stride + 1);
    const std::size_t headerFields = parseLine(0);
    if (headerFields == 0) {
        fields = {};
        return std::move(table_);
    }
    table_.columns_ = headerFields;
    // A row with more fields than the header is an error once it ends: its extra fields
    // are counted, not stored, so one long line costs nothing.
    storeLimit_ = headerFields;

    const auto expected = static_cast<std::int64_t>(headerFields);
    std::int64_t rows = 1;
    for (;;) {
        const std::size_t countBefore = fields.size();
        const std::size_t writeBefore = write_;
        const std::size_t count = parseLine(rows);
        if (count == 0)
            break;
        // One field and no text but the separator before it: an empty line.
        const bool holdsNothing = count == 1 && write_ == writeBefore + 1;
        if (holdsNothing && rows != 1) {
            fields.truncate(countBefore); // an empty line further down is skipped
            write_ = writeBefore;
            continue;
        }
        if (static_cast<std::int64_t>(count) != expected)
            throw CSVError::invalidFieldCount(rows + 1, static_cast<std::int64_t>(count), expected);
        ++rows;
    }
    fields.text_.resize(write_); // shrinks in place: no second copy of the text
    return std::move(table_);
}

std::size_t ImportTableParser::startField() {
    // Written where the previous field's delimiter was read: the text never overtakes the
    // reading.
    const std::size_t before = write_;
    if (table_.fields_.size() > 0)
        table_.fields_.text_[write_++] = PackedFields::separator;
    table_.fields_.startAt(write_);
    return before;
}

std::size_t ImportTableParser::parseLine(std::int64_t rowIndex) {
    char* out = table_.fields_.text_.data();
    std::size_t fields = 0;
    const std::size_t keep = storeLimit_;
    for (;;) {
        if (read_ == size_) {
            if (fields == 0)
                return 0;
            requireDecodedBefore(read_);
            if (fields < keep)
                startField(); // a line ending in a delimiter at the end of the input: one more
                              // field
            return fields + 1;
        }
        const unsigned char c = data_[read_];
        bool rowEnded = false;
        const std::size_t fieldBegin = startField();
        if (c == quote) {
            ++read_;
            parseEscapedField(rowIndex, rowEnded);
        } else if (c == fieldDelimiter_) {
            ++read_;
        } else if (c == rowDelimiter) {
            ++read_;
            rowEnded = true;
        } else {
            const std::size_t end = findSpecial(data_, read_ + 1, size_, fieldDelimiter_);
            if (end < size_ && data_[end] == quote) {
                requireDecodedBefore(end);
                throw CSVError::invalidUnescapedField(rowIndex);
            }
            const std::size_t length = end - read_;
            std::memmove(out + write_, data_ + read_, length);
            write_ += length;
            if (end == size_) {
                read_ = end;
                rowEnded = true;
            } else {
                read_ = end + 1;
                rowEnded = data_[end] == rowDelimiter;
            }
        }
        ++fields;
        if (fields > keep) [[unlikely]] { // dropped, and its text with it
            table_.fields_.truncate(table_.fields_.size() - 1);
            write_ = fieldBegin;
        }
        if (rowEnded) {
            requireDecodedBefore(read_);
            return fields;
        }
    }
}

void ImportTableParser::parseEscapedField(std::int64_t rowIndex, bool& rowEnded) {
    char* out = table_.fields_.text_.data();
    const std::size_t fieldStart = write_;
    for (;;) {
        const void* found = std::memchr(data_ + read_, quote, size_ - read_);
        if (!found) {
            requireDecodedBefore(size_);
            throw CSVError::invalidEOF(rowIndex);
        }
        const auto closing =
            static_cast<std::size_t>(static_cast<const unsigned char*>(found) - data_);
        const std::size_t length = closing - read_;
        std::memmove(out + write_, data_ + read_, length);
        write_ += length;
        read_ = closing + 1;
        if (read_ == size_) {
            rowEnded = true;
            break;
        }
        const unsigned char following = data_[read_];
        if (following == quote) { // a doubled quote stands for one
            out[write_++] = static_cast<char>(quote);
            ++read_;
            continue;
        }
        if (following == fieldDelimiter_) {
            ++read_;
            break;
        }
        if (following == rowDelimiter) {
            ++read_;
            rowEnded = true;
            break;
        }
        requireDecodedBefore(read_ + 1);
        char32_t scalar = 0;
        utf8::decodeOne(data_ + read_, data_ + size_, scalar);
        throw CSVError::invalidEscapedField(
            rowIndex, std::string(out + fieldStart, write_ - fieldStart), scalar);
    }
}

} // namespace keyferry
