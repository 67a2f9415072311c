#pragma once

#include "csv/ExpatParser.h"
#include "csv/ZipArchive.h"

#include <cstdint>
#include <optional>
#include <string>

namespace keyferry {

/// Parses one part of an archive with `handler`, unpacking and parsing it piece by piece, so
/// a large sheet is never held whole. Returns what went wrong, naming the part.
std::optional<std::string> parseXmlPart(const ZipArchive& archive, const std::string& part,
                                        std::uint64_t maxBytes, XmlHandler& handler);

} // namespace keyferry
