#pragma once

#include "csv/CSVError.h"
#include "model/Expected.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace keyferry {

/// The text encodings a CSV file can be read in. isoLatin1 is known by name but refused by
/// the byte entry's decoders; it is only read on the presampling path.
enum class TextEncoding {
    ascii,
    utf8,
    utf16,
    utf16BigEndian,
    utf16LittleEndian,
    utf32,
    utf32BigEndian,
    utf32LittleEndian,
    unicode, ///< the second name of UTF-16 without a byte order
    isoLatin1,
};

/// The identifier shown in error details ("utf16LittleEndian").
std::string encodingName(TextEncoding encoding);

/// A byte order mark found at the start of a blob.
struct ByteOrderMark {
    TextEncoding encoding;
    std::size_t length;
};

/// Looks at up to four leading bytes. FF FE 00 00 begins both the UTF-16 and the UTF-32
/// little-endian mark; the longer mark is tried first so that UTF-32 files read correctly.
std::optional<ByteOrderMark> detectByteOrderMark(std::string_view bytes);

/// Chooses the encoding from the configured one and the one a mark gives.
Expected<TextEncoding, CSVError> selectEncodingFrom(std::optional<TextEncoding> provided,
                                                    std::optional<TextEncoding> inferred);

} // namespace keyferry
