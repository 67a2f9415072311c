#include "csv/TextEncoding.h"

#include <array>

namespace keyferry {

std::string encodingName(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::ascii:
        return "ascii";
    case TextEncoding::utf8:
        return "utf8";
    case TextEncoding::utf16:
        return "utf16";
    case TextEncoding::utf16BigEndian:
        return "utf16BigEndian";
    case TextEncoding::utf16LittleEndian:
        return "utf16LittleEndian";
    case TextEncoding::utf32:
        return "utf32";
    case TextEncoding::utf32BigEndian:
        return "utf32BigEndian";
    case TextEncoding::utf32LittleEndian:
        return "utf32LittleEndian";
    case TextEncoding::unicode:
        return "unicode";
    case TextEncoding::isoLatin1:
        return "isoLatin1";
    }
    return "unknown";
}

std::optional<ByteOrderMark> detectByteOrderMark(std::string_view bytes) {
    struct Mark {
        TextEncoding encoding;
        std::string_view bytes;
    };
    static constexpr std::array<Mark, 5> marks = {{
        {TextEncoding::utf32LittleEndian, {"\xFF\xFE\x00\x00", 4}},
        {TextEncoding::utf32BigEndian, {"\x00\x00\xFE\xFF", 4}},
        {TextEncoding::utf8, {"\xEF\xBB\xBF", 3}},
        {TextEncoding::utf16BigEndian, {"\xFE\xFF", 2}},
        {TextEncoding::utf16LittleEndian, {"\xFF\xFE", 2}},
    }};
    const std::string_view head = bytes.substr(0, 4);
    for (const Mark& mark : marks)
        if (head.starts_with(mark.bytes))
            return ByteOrderMark{mark.encoding, mark.bytes.size()};
    return std::nullopt;
}

Expected<TextEncoding, CSVError> selectEncodingFrom(std::optional<TextEncoding> provided,
                                                    std::optional<TextEncoding> inferred) {
    if (!provided && !inferred)
        return TextEncoding::utf8;
    if (!provided)
        return *inferred;
    if (!inferred || *provided == *inferred)
        return *provided;
    const bool sixteen =
        *inferred == TextEncoding::utf16LittleEndian || *inferred == TextEncoding::utf16BigEndian;
    const bool thirtyTwo =
        *inferred == TextEncoding::utf32LittleEndian || *inferred == TextEncoding::utf32BigEndian;
    if ((sixteen && (*provided == TextEncoding::utf16 || *provided == TextEncoding::unicode)) ||
        (thirtyTwo && *provided == TextEncoding::utf32))
        return *inferred;
    return Unexpected{
        CSVError::mismatchedEncoding(encodingName(*provided), encodingName(*inferred))};
}

} // namespace keyferry
