#include "csv/CSVData.h"

#include "text/UnicodeText.h"

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
    : columns_(headers.size()) {
    for (const auto& header : headers)
        fields_.append(header);
    for (const auto& row : rows)
        for (const auto& field : row)
            fields_.append(field);
}

std::vector<std::string> CSVData::headers() const {
    std::vector<std::string> names;
    names.reserve(columnCount());
    for (std::size_t column = 0; column < columnCount(); ++column)
        names.emplace_back(header(column));
    return names;
}

std::string_view CSVData::header(std::size_t column) const {
    return fields_[column];
}

std::size_t CSVData::rowCount() const {
    return columns_ == 0 ? 0 : (fields_.size() - columns_) / columns_;
}

std::string_view CSVData::field(std::size_t row, std::size_t column) const {
    return fields_[columns_ + row * columns_ + column];
}

std::vector<std::string> CSVData::row(std::size_t index) const {
    std::vector<std::string> fields;
    fields.reserve(columnCount());
    for (std::size_t column = 0; column < columnCount(); ++column)
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
    return a.columns_ == b.columns_ && a.fields_ == b.fields_;
}

std::optional<std::string> CSVData::validate(const Template& against) const {
    const std::vector<std::string> labels = against.textInputLabels();
    if (columnCount() != labels.size()) {
        return "CSV has " + std::to_string(columnCount()) + " columns, template expects " +
               std::to_string(labels.size()) + ": " + joined(labels, ", ");
    }
    std::vector<std::string> mismatches;
    for (std::size_t i = 0; i < labels.size(); ++i)
        if (const std::string name(header(i)); !canonicallyEquivalent(name, labels[i]))
            mismatches.push_back("'" + name + "' \u2192 '" + labels[i] + "'");
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
    writeLine([&](std::size_t i) { return header(i); }, columnCount());
    for (std::size_t row = 0; row < rowCount(); ++row)
        writeLine([&](std::size_t i) { return field(row, i); }, columnCount());
    return text;
}

} // namespace keyferry
