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

constexpr unsigned char fieldDelimiter = ';';
constexpr unsigned char rowDelimiter = '\n';
constexpr unsigned char quote = '"';

bool isSpecial(unsigned char c) {
    return c == fieldDelimiter || c == rowDelimiter || c == quote;
}

// The position of the next ';', '\n' or '"' at or after `from`, or `size`.
std::size_t findSpecial(const unsigned char* data, std::size_t from, std::size_t size) {
    std::size_t p = from;
#if defined(__SSE2__)
    const __m128i semicolons = _mm_set1_epi8(static_cast<char>(fieldDelimiter));
    const __m128i lineFeeds = _mm_set1_epi8(static_cast<char>(rowDelimiter));
    const __m128i quotes = _mm_set1_epi8(static_cast<char>(quote));
    while (p + 16 <= size) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + p));
        const __m128i hits = _mm_or_si128(
            _mm_or_si128(_mm_cmpeq_epi8(block, semicolons), _mm_cmpeq_epi8(block, lineFeeds)),
            _mm_cmpeq_epi8(block, quotes));
        if (const int mask = _mm_movemask_epi8(hits))
            return p + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
        p += 16;
    }
#endif
    while (p < size && !isSpecial(data[p]))
        ++p;
    return p;
}

// An upper bound of the number of fields: every field but the last of the file ends in a
// ';' or a '\n'. Reserving it once keeps the offsets from being copied while they grow.
std::size_t countDelimiters(const unsigned char* data, std::size_t from, std::size_t size) {
    std::size_t count = 0;
    std::size_t p = from;
#if defined(__SSE2__)
    const __m128i semicolons = _mm_set1_epi8(static_cast<char>(fieldDelimiter));
    const __m128i lineFeeds = _mm_set1_epi8(static_cast<char>(rowDelimiter));
    for (; p + 16 <= size; p += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + p));
        const __m128i hits =
            _mm_or_si128(_mm_cmpeq_epi8(block, semicolons), _mm_cmpeq_epi8(block, lineFeeds));
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

ImportTableParser::ImportTableParser(std::string bytes) {
    table_.text_ = std::move(bytes);
    data_ = reinterpret_cast<const unsigned char*>(table_.text_.data());
    size_ = table_.text_.size();
}

Expected<CSVData, CSVError> ImportTableParser::parse(std::string bytes) {
    if (bytes.size() > maxBytes)
        return Unexpected{tooLarge()};
    const auto mark = detectByteOrderMark(bytes);
    const auto encoding =
        selectEncodingFrom(TextEncoding::utf8, mark ? std::optional(mark->encoding) : std::nullopt);
    if (!encoding)
        return Unexpected{encoding.error()};
    ImportTableParser parser(std::move(bytes));
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

    auto& ends = table_.fieldEnds_;
    // Reserved once for the header line, once for the rest: the offsets are never copied
    // while they grow, and the header's are not held twice.
    const void* firstLineFeed = std::memchr(data_ + read_, rowDelimiter, size_ - read_);
    const std::size_t headerLineEnd =
        firstLineFeed
            ? static_cast<std::size_t>(static_cast<const unsigned char*>(firstLineFeed) - data_) + 1
            : size_;
    ends.reserve(countDelimiters(data_, read_, headerLineEnd) + 1);

    const std::size_t headerFields = parseLine(0);
    if (headerFields == 0) {
        table_.text_.clear();
        return std::move(table_);
    }
    table_.headerText_.assign(table_.text_, 0, write_);
    table_.headerEnds_ = std::move(ends);
    ends = {};
    ends.reserve(countDelimiters(data_, read_, size_) + 1);
    write_ = 0;
    // A row with more fields than the header is an error once it ends: its extra fields
    // are counted, not stored, so one long line costs no offsets.
    storeLimit_ = headerFields;

    const auto expected = static_cast<std::int64_t>(headerFields);
    std::int64_t rows = 1;
    for (;;) {
        const std::size_t endsBefore = ends.size();
        const std::size_t writeBefore = write_;
        const std::size_t fields = parseLine(rows);
        if (fields == 0)
            break;
        const bool holdsNothing = fields == 1 && ends.back() == writeBefore;
        if (holdsNothing && rows != 1) {
            ends.resize(endsBefore); // an empty line further down is skipped
            continue;
        }
        if (static_cast<std::int64_t>(fields) != expected)
            throw CSVError::invalidFieldCount(rows + 1, static_cast<std::int64_t>(fields),
                                              expected);
        ++rows;
    }
    table_.text_.resize(write_); // shrinks in place: no second copy of the text
    return std::move(table_);
}

void ImportTableParser::endField() {
    table_.fieldEnds_.push_back(static_cast<std::uint32_t>(write_));
}

std::size_t ImportTableParser::parseLine(std::int64_t rowIndex) {
    char* out = table_.text_.data();
    std::size_t fields = 0;
    const std::size_t keep = storeLimit_;
    for (;;) {
        if (read_ == size_) {
            if (fields == 0)
                return 0;
            requireDecodedBefore(read_);
            endField(); // a line ending in ';' at the end of the input: one more empty field
            return fields + 1;
        }
        const unsigned char c = data_[read_];
        bool rowEnded = false;
        if (c == quote) {
            ++read_;
            parseEscapedField(rowIndex, rowEnded);
        } else if (c == fieldDelimiter) {
            ++read_;
            endField();
        } else if (c == rowDelimiter) {
            ++read_;
            endField();
            rowEnded = true;
        } else {
            const std::size_t end = findSpecial(data_, read_ + 1, size_);
            if (end < size_ && data_[end] == quote) {
                requireDecodedBefore(end);
                throw CSVError::invalidUnescapedField(rowIndex);
            }
            const std::size_t length = end - read_;
            std::memmove(out + write_, data_ + read_, length);
            write_ += length;
            endField();
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
            table_.fieldEnds_.pop_back();
            write_ = table_.fieldEnds_.back();
        }
        if (rowEnded) {
            requireDecodedBefore(read_);
            return fields;
        }
    }
}

void ImportTableParser::parseEscapedField(std::int64_t rowIndex, bool& rowEnded) {
    char* out = table_.text_.data();
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
        if (following == fieldDelimiter) {
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
    endField();
}

} // namespace keyferry
