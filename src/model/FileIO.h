#pragma once

#include "model/Expected.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace keyferry {

/// The whole content of a file, or the system's description of why it cannot be read.
Expected<std::string> readWholeFile(const std::filesystem::path& path);

/// Replaces `path` with `bytes` so that a crash at any moment leaves either the old or the
/// new content: a temporary file in the same folder, flushed to disk, renamed over the old
/// one, then the folder flushed. The file gets `mode` (owner-only by default). Returns the
/// error's description, or nothing on success.
[[nodiscard]] std::optional<std::string>
writeFileAtomically(const std::filesystem::path& path, std::string_view bytes, mode_t mode = 0600);

} // namespace keyferry
