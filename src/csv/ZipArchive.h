#pragma once

#include "model/Expected.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

struct zip;

namespace keyferry {

/// A zip archive read from bytes in memory, through libzip. Entries are read in pieces with
/// a bound on how much they may unpack to, so a small archive cannot make a large demand.
class ZipArchive {
public:
    /// Opens the archive in `bytes`, which must outlive it. The error says why it is not one.
    static Expected<ZipArchive, std::string> open(std::string_view bytes);

    /// Whether the archive holds an entry of that name.
    bool contains(const std::string& name) const;

    /// Hands the entry's unpacked bytes to `sink` in pieces until it ends or `sink` returns
    /// false. Fails (the message names the entry) when the entry is missing, encrypted or
    /// damaged, or would unpack to more than `maxBytes`, which is known before anything is
    /// unpacked when the archive says so, and is counted while unpacking when it lies.
    std::optional<std::string> stream(const std::string& name, std::uint64_t maxBytes,
                                      const std::function<bool(std::string_view)>& sink) const;

    /// The whole entry, read as stream() does.
    Expected<std::string, std::string> read(const std::string& name, std::uint64_t maxBytes) const;

private:
    struct Discard {
        void operator()(zip* archive) const;
    };
    explicit ZipArchive(zip* archive) : archive_(archive) {}

    std::unique_ptr<zip, Discard> archive_;
};

} // namespace keyferry
