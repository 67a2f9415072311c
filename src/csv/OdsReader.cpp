#include "csv/OdsReader.h"

#include "csv/CellReference.h"
#include "csv/SheetTableBuilder.h"
#include "csv/WorkbookLimits.h"
#include "csv/XmlPart.h"

#include <charconv>
#include <utility>

namespace keyferry {

namespace {

using namespace workbook_limits;

std::uint64_t repeatCount(const XmlAttributes& attributes, std::string_view name) {
    const auto text = attributes.get(name);
    if (!text)
        return 1;
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
    return error == std::errc() && value > 0 ? value : 1;
}

// Elements inside a cell whose text is not the cell's: comments, drawings, nested tables.
bool isAside(std::string_view name) {
    return name == "annotation" || name == "frame" || name == "custom-shape" || name == "table";
}

class ContentHandler : public XmlHandler {
public:
    explicit ContentHandler(const std::optional<std::string>& wanted) : wanted_(wanted) {}

    SheetTableBuilder builder;
    std::vector<std::string> sheetNames;
    std::optional<std::string> sheetRead;
    std::vector<FallbackCell> fallbacks;
    std::size_t fallbackCount = 0;

    void startElement(std::string_view name, const XmlAttributes& attributes) override {
        if (inCell_) {
            startInCell(name, attributes);
            return;
        }
        if (name == "table") {
            sheetNames.emplace_back(attributes.get("name").value_or(""));
            active_ = !sheetRead && (!wanted_ || *wanted_ == sheetNames.back());
            if (active_)
                sheetRead = sheetNames.back();
            row_ = 0;
        } else if (!active_) {
            return;
        } else if (name == "table-row") {
            rowRepeat_ = repeatCount(attributes, "number-rows-repeated");
            column_ = 0;
            rowCells_.clear();
        } else if (name == "table-cell" || name == "covered-table-cell") {
            inCell_ = true;
            covered_ = name == "covered-table-cell"; // hidden under a merged cell
            cellRepeat_ = repeatCount(attributes, "number-columns-repeated");
            text_.clear();
            paragraphs_ = 0;
            asideDepth_ = 0;
            storedValue_.reset();
            for (const char* valueName : {"value", "date-value", "time-value", "boolean-value"})
                if (const auto value = attributes.get(valueName))
                    storedValue_ = std::string(*value);
        }
    }

    void endElement(std::string_view name) override {
        if (inCell_ && name != "table-cell" && name != "covered-table-cell") {
            if (asideDepth_ > 0)
                asideDepth_ -= isAside(name);
            else if (name == "p" || name == "h")
                --inParagraph_;
            return;
        }
        if (!active_)
            return;
        if (name == "table-cell" || name == "covered-table-cell") {
            if (asideDepth_ > 0) { // a nested table's own cell
                return;
            }
            inCell_ = false;
            endCell();
        } else if (name == "table-row") {
            endRow();
        } else if (name == "table") {
            active_ = false;
        }
    }

    void characters(std::string_view piece) override {
        if (inCell_ && inParagraph_ > 0 && asideDepth_ == 0)
            append(piece);
    }

private:
    void startInCell(std::string_view name, const XmlAttributes& attributes) {
        if (isAside(name) || asideDepth_ > 0) {
            asideDepth_ += isAside(name);
            return;
        }
        if (name == "p" || name == "h") {
            if (paragraphs_++ > 0)
                append("\n");
            ++inParagraph_;
        } else if (name == "s") {
            const std::uint64_t spaces = repeatCount(attributes, "c");
            if (spaces > cellTextBytes)
                return fail(tooMuchText());
            append(std::string(static_cast<std::size_t>(spaces), ' '));
        } else if (name == "tab") {
            append("\t");
        } else if (name == "line-break") {
            append("\n");
        }
    }

    void append(std::string_view piece) {
        if (text_.size() + piece.size() > cellTextBytes)
            return fail(tooMuchText());
        text_.append(piece);
    }

    std::string tooMuchText() const {
        return "A cell of the sheet " + sheetRead.value_or("") + " holds more than " +
               std::to_string(cellTextBytes) + " bytes of text.";
    }

    void endCell() {
        inParagraph_ = 0;
        std::string shown = covered_ ? std::string() : std::move(text_);
        if (!covered_ && paragraphs_ == 0 && storedValue_) {
            // A value without its shown text (written by a program, not an application).
            shown = *storedValue_;
            if (++fallbackCount <= SheetRead::maxListedFallbacks)
                fallbacks.push_back(
                    {sheetRead.value_or(""), cellReference({row_, column_}), "no shown text"});
        }
        if (!shown.empty()) {
            if (column_ + cellRepeat_ > SheetLimits{}.columns)
                return fail("The sheet " + sheetRead.value_or("") + " has text beyond column " +
                            std::to_string(SheetLimits{}.columns) +
                            ", more than an import can hold.");
            for (std::uint64_t i = 0; i < cellRepeat_; ++i)
                rowCells_.emplace_back(column_ + i, shown);
        }
        // Empty cells repeated to the sheet's edge cost a counter, not memory.
        column_ = std::min(column_ + cellRepeat_, SheetLimits{}.columns + 1);
    }

    void endRow() {
        if (rowCells_.empty()) {
            row_ = std::min(row_ + rowRepeat_, SheetLimits{}.rows + 1);
            return;
        }
        for (std::uint64_t i = 0; i < rowRepeat_; ++i, ++row_)
            for (const auto& [column, text] : rowCells_)
                if (auto problem = builder.add(row_, column, text))
                    return fail(std::move(*problem));
    }

    std::optional<std::string> wanted_;
    bool active_ = false;
    bool inCell_ = false;
    bool covered_ = false;
    std::uint64_t row_ = 0, rowRepeat_ = 1, column_ = 0, cellRepeat_ = 1;
    std::vector<std::pair<std::uint64_t, std::string>> rowCells_;
    std::string text_;
    std::optional<std::string> storedValue_;
    int paragraphs_ = 0, inParagraph_ = 0, asideDepth_ = 0;
};

} // namespace

Expected<SheetRead, std::string> readOds(const ZipArchive& archive,
                                         const std::optional<std::string>& sheet) {
    ContentHandler content(sheet);
    if (auto problem = parseXmlPart(archive, "content.xml", sheetPartBytes, content))
        return Unexpected{*problem};
    if (content.sheetNames.empty())
        return Unexpected{std::string("The workbook has no sheets.")};
    if (!content.sheetRead) {
        std::string names;
        for (std::size_t i = 0; i < content.sheetNames.size(); ++i)
            names += (i ? ", \"" : "\"") + content.sheetNames[i] + "\"";
        return Unexpected{"The workbook has no sheet named \"" + sheet.value_or("") +
                          "\". Its sheets: " + names + "."};
    }
    SheetRead read;
    read.table = std::move(content.builder).finish();
    read.sheet = *content.sheetRead;
    read.sheetNames = std::move(content.sheetNames);
    read.fallbackCells = std::move(content.fallbacks);
    read.fallbackCellCount = content.fallbackCount;
    return read;
}

} // namespace keyferry
