#include "csv/PackedFields.h"

#include <cstring>

namespace keyferry {

void PackedFields::startAt(std::size_t offset) {
    if (count_ % stride == 0)
        starts_.push_back(static_cast<std::uint32_t>(offset));
    ++count_;
}

void PackedFields::truncate(std::size_t count) {
    count_ = count;
    starts_.resize((count + stride - 1) / stride);
    aside_.erase(aside_.lower_bound(count), aside_.end());
}

void PackedFields::append(std::string_view field) {
    if (count_ > 0)
        text_ += separator;
    if (field.find(separator) != std::string_view::npos) {
        aside_.emplace(count_, std::string(field));
        startAt(text_.size()); // an empty place in the text
        return;
    }
    startAt(text_.size());
    text_ += field;
}

std::string_view PackedFields::operator[](std::size_t index) const {
    if (!aside_.empty())
        if (const auto found = aside_.find(index); found != aside_.end())
            return found->second;
    const char* const base = text_.data();
    const char* const end = base + text_.size();
    const char* start = base + starts_[index / stride];
    for (std::size_t skip = index % stride; skip > 0; --skip) {
        const void* next = std::memchr(start, static_cast<unsigned char>(separator),
                                       static_cast<std::size_t>(end - start));
        start = static_cast<const char*>(next) + 1;
    }
    const void* stop = std::memchr(start, static_cast<unsigned char>(separator),
                                   static_cast<std::size_t>(end - start));
    const char* const finish = stop ? static_cast<const char*>(stop) : end;
    return {start, static_cast<std::size_t>(finish - start)};
}

} // namespace keyferry
