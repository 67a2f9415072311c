#pragma once

#include "csv/CSVData.h"
#include "csv/CSVError.h"
#include "csv/Separator.h"
#include "model/Expected.h"

#include <cstdint>
#include <limits>
#include <string>

namespace keyferry {

/// The fast path of CSV import. Reads a whole file in the import configuration (";", or the
/// separator given, between fields, "\n" between lines, '"' quoting, a header line, UTF-8) straight
/// into a CSVData, reusing the file's own buffer for the field texts. Its outcome is exactly that
/// of CSVReader::fromBytes with Configuration::forImport(separator) read to the end: the same rows,
/// or the same first error at the same point.
class ImportTableParser {
public:
    static Expected<CSVData, CSVError> parse(std::string bytes,
                                             Separator separator = Separator::semicolon);

    /// The largest input: the kept field starts are 32-bit.
    static constexpr std::uint64_t maxBytes = std::numeric_limits<std::uint32_t>::max() - 1;
    /// The error for a larger input.
    static CSVError tooLarge();

private:
    ImportTableParser(std::string bytes, Separator separator);
    CSVData run();
    std::size_t parseLine(std::int64_t rowIndex); // the line's field count, 0: no line
    void parseEscapedField(std::int64_t rowIndex, bool& rowEnded);
    /// Begins a field at the write position; returns the position before its separator.
    std::size_t startField();
    void requireDecodedBefore(std::size_t position) const;

    CSVData table_;
    unsigned char fieldDelimiter_;
    const unsigned char* data_; ///< the buffer inside table_.fields_, read at read_
    std::size_t size_;
    std::size_t read_ = 0;
    std::size_t write_ = 0;
    std::size_t firstInvalidUTF8_ = 0; ///< where decoding would fail; size_ when nowhere
    std::size_t storeLimit_ = std::numeric_limits<std::size_t>::max(); ///< fields kept a line
};

} // namespace keyferry
