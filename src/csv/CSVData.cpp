#include "csv/CSVData.h"

#include "csv/UnicodeText.h"

namespace keyferry {

namespace {

std::string quotedIfNeeded(std::string_view field) {
    if (field.find_first_of(";\"\n") == std::string_view::npos)
        return std::string(field);
    std::string quoted = "\"";
    for (char c : field) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string joined(const std::vector<std::string>& parts, std::string_view separator) {
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i)
            text += separator;
        text += parts[i];
    }
    return text;
}

} // namespace

CSVData::CSVData(std::vector<std::string> headers,
                 const std::vector<std::vector<std::string>>& rows)
    : headers_(std::move(headers)) {
    for (const auto& row : rows) {
        for (const auto& field : row) {
            text_ += field;
            fieldEnds_.push_back(static_cast<std::uint32_t>(text_.size()));
        }
    }
}

std::size_t CSVData::rowCount() const {
    return headers_.empty() ? 0 : fieldEnds_.size() / headers_.size();
}

std::string_view CSVData::field(std::size_t row, std::size_t column) const {
    const std::size_t index = row * headers_.size() + column;
    const std::size_t begin = index == 0 ? 0 : fieldEnds_[index - 1];
    return std::string_view(text_).substr(begin, fieldEnds_[index] - begin);
}

std::vector<std::string> CSVData::row(std::size_t index) const {
    std::vector<std::string> fields;
    fields.reserve(headers_.size());
    for (std::size_t column = 0; column < headers_.size(); ++column)
        fields.emplace_back(field(index, column));
    return fields;
}

std::vector<std::vector<std::string>> CSVData::rows() const {
    std::vector<std::vector<std::string>> all;
    all.reserve(rowCount());
    for (std::size_t i = 0; i < rowCount(); ++i)
        all.push_back(row(i));
    return all;
}

bool operator==(const CSVData& a, const CSVData& b) {
    return a.headers_ == b.headers_ && a.text_ == b.text_ && a.fieldEnds_ == b.fieldEnds_;
}

std::optional<std::string> CSVData::validate(const Template& against) const {
    const std::vector<std::string> labels = against.textInputLabels();
    if (headers_.size() != labels.size()) {
        return "CSV has " + std::to_string(headers_.size()) + " columns, template expects " +
               std::to_string(labels.size()) + ": " + joined(labels, ", ");
    }
    std::vector<std::string> mismatches;
    for (std::size_t i = 0; i < labels.size(); ++i)
        if (!canonicallyEquivalent(headers_[i], labels[i]))
            mismatches.push_back("'" + headers_[i] + "' \u2192 '" + labels[i] + "'");
    if (mismatches.empty())
        return std::nullopt;
    return "Column names don't match: " + joined(mismatches, ", ");
}

std::string CSVData::exportString() const {
    std::string text;
    auto writeLine = [&](auto fieldAt, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            if (i)
                text += ';';
            text += quotedIfNeeded(fieldAt(i));
        }
        text += '\n';
    };
    writeLine([&](std::size_t i) { return std::string_view(headers_[i]); }, headers_.size());
    for (std::size_t row = 0; row < rowCount(); ++row)
        writeLine([&](std::size_t i) { return field(row, i); }, headers_.size());
    return text;
}

} // namespace keyferry
