#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace keyferry {

/// A long sequence of texts held in one buffer with one byte between them, so that a field
/// costs its text and a byte, not an offset of its own: a line of millions of empty fields
/// takes about what the file took. The byte is 0xFF, which UTF-8 text never holds; every
/// sixteenth field's start is kept, so a field is found by skipping at most fifteen others.
/// A text that holds 0xFF (not UTF-8) is kept aside, whole.
class PackedFields {
public:
    static constexpr char separator = '\xFF';
    static constexpr std::size_t stride = 16; ///< fields between two kept starts

    /// Adds a field at the end.
    void append(std::string_view field);
    std::size_t size() const { return count_; }
    std::string_view operator[](std::size_t index) const;

    friend bool operator==(const PackedFields& a, const PackedFields& b) {
        return a.count_ == b.count_ && a.text_ == b.text_ && a.aside_ == b.aside_;
    }

private:
    friend class ImportTableParser;

    /// For writing in place (the import parser): the next field starts at `offset` of the
    /// text, after the separator already written before it when it is not the first.
    void startAt(std::size_t offset);
    /// Forgets the fields from `count` on (their text is the writer's to cut).
    void truncate(std::size_t count);

    std::string text_;
    std::vector<std::uint32_t> starts_; ///< start of field 0, 16, 32, ...
    std::size_t count_ = 0;
    std::map<std::size_t, std::string> aside_; ///< fields holding the separator byte
};

} // namespace keyferry
