#pragma once

#include "csv/CSVError.h"
#include "csv/TextEncoding.h"
#include "model/Expected.h"

#include <memory>
#include <optional>
#include <string>

namespace keyferry {

/// Where the CSV reader takes its Unicode scalars from, one at a time.
class ScalarSource {
public:
    virtual ~ScalarSource() = default;
    /// The next scalar, or nothing once the input is used up. Throws CSVError when the input
    /// cannot be decoded; the reader catches it and asks no more.
    virtual std::optional<char32_t> next() = 0;
};

/// Decodes `bytes` from `offset` on, lazily, one character per call. Fails for encodings
/// the byte entry does not decode.
Expected<std::unique_ptr<ScalarSource>, CSVError>
makeByteDecoder(TextEncoding encoding, std::shared_ptr<const std::string> bytes,
                std::size_t offset);

/// Yields the scalars of a text; never fails.
std::unique_ptr<ScalarSource> makeTextSource(std::u32string text);

/// Converts a whole blob at once (the presampling path); nothing when it does not decode.
std::optional<std::u32string> decodeWhole(TextEncoding encoding, std::string_view bytes);

} // namespace keyferry
