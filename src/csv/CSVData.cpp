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
                 const std::vector<std::vector<std::string>>& rows) {
    for (const auto& header : headers) {
        headerText_ += header;
        headerEnds_.push_back(static_cast<std::uint32_t>(headerText_.size()));
    }
    for (const auto& row : rows) {
        for (const auto& field : row) {
            text_ += field;
            fieldEnds_.push_back(static_cast<std::uint32_t>(text_.size()));
        }
    }
}

std::vector<std::string> CSVData::headers() const {
    std::vector<std::string> names;
    names.reserve(columnCount());
    for (std::size_t column = 0; column < columnCount(); ++column)
        names.emplace_back(header(column));
    return names;
}

std::string_view CSVData::header(std::size_t column) const {
    const std::size_t begin = column == 0 ? 0 : headerEnds_[column - 1];
    return std::string_view(headerText_).substr(begin, headerEnds_[column] - begin);
}

std::size_t CSVData::rowCount() const {
    return columnCount() == 0 ? 0 : fieldEnds_.size() / columnCount();
}

std::string_view CSVData::field(std::size_t row, std::size_t column) const {
    const std::size_t index = row * columnCount() + column;
    const std::size_t begin = index == 0 ? 0 : fieldEnds_[index - 1];
    return std::string_view(text_).substr(begin, fieldEnds_[index] - begin);
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
    return a.headerText_ == b.headerText_ && a.headerEnds_ == b.headerEnds_ && a.text_ == b.text_ &&
           a.fieldEnds_ == b.fieldEnds_;
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
