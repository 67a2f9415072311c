#include "csv/XmlPart.h"

namespace keyferry {

std::optional<std::string> parseXmlPart(const ZipArchive& archive, const std::string& part,
                                        std::uint64_t maxBytes, XmlHandler& handler) {
    ExpatParser parser(handler);
    std::optional<std::string> parseFailure;
    auto unpackFailure = archive.stream(part, maxBytes, [&](std::string_view piece) {
        parseFailure = parser.feed(piece, false);
        return !parseFailure;
    });
    if (unpackFailure)
        return unpackFailure;
    if (!parseFailure)
        parseFailure = parser.feed({}, true);
    if (handler.failure()) // the reader's own words
        return handler.failure();
    if (parseFailure)
        return "The part " + part + " cannot be read: " + *parseFailure + ".";
    return std::nullopt;
}

} // namespace keyferry
