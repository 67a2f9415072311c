#include "csv/XlsxReader.h"

#include "csv/CellReference.h"
#include "csv/NumberFormat.h"
#include "csv/SheetTableBuilder.h"
#include "csv/WorkbookLimits.h"
#include "csv/XmlPart.h"

#include <charconv>
#include <map>

namespace keyferry {

namespace {

using namespace workbook_limits;

std::optional<std::uint64_t> parseCount(std::string_view text) {
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// ---- relationships: which part is the workbook, its sheets, strings and styles ----

struct Relationship {
    std::string type;
    std::string target;
};

class RelationshipsHandler : public XmlHandler {
public:
    std::map<std::string, Relationship> byId;

    void startElement(std::string_view name, const XmlAttributes& attributes) override {
        if (name != "Relationship")
            return;
        const auto id = attributes.get("Id");
        const auto target = attributes.get("Target");
        if (id && target)
            byId[std::string(*id)] = {std::string(attributes.get("Type").value_or("")),
                                      std::string(*target)};
    }
    void endElement(std::string_view) override {}

    /// The target of the first relationship whose type ends in `suffix`.
    std::optional<std::string> targetOfType(std::string_view suffix) const {
        for (const auto& [id, relationship] : byId)
            if (relationship.type.ends_with(suffix))
                return relationship.target;
        return std::nullopt;
    }
};

// A target relative to the folder of the part that names it, or absolute from the root.
std::string resolve(const std::string& folder, const std::string& target) {
    if (target.starts_with('/'))
        return target.substr(1);
    return folder + target;
}

std::string folderOf(const std::string& part) {
    const auto slash = part.rfind('/');
    return slash == std::string::npos ? "" : part.substr(0, slash + 1);
}

std::string relationshipsOf(const std::string& part) {
    return folderOf(part) + "_rels/" + part.substr(folderOf(part).size()) + ".rels";
}

// ---- the workbook: sheet names and the date system ----

class WorkbookHandler : public XmlHandler {
public:
    struct Sheet {
        std::string name;
        std::string relationship;
    };
    std::vector<Sheet> sheets;
    bool date1904 = false;

    void startElement(std::string_view name, const XmlAttributes& attributes) override {
        if (name == "sheet") {
            sheets.push_back({std::string(attributes.get("name").value_or("")),
                              std::string(attributes.get("id").value_or(""))});
        } else if (name == "workbookPr") {
            const auto value = attributes.get("date1904");
            date1904 = value && (*value == "1" || *value == "true");
        }
    }
    void endElement(std::string_view) override {}
};

// ---- styles: each cell style's number format ----

class StylesHandler : public XmlHandler {
public:
    std::map<std::uint64_t, std::string> customFormats;
    std::vector<std::uint64_t> formatOfStyle; ///< cellXfs, in order

    void startElement(std::string_view name, const XmlAttributes& attributes) override {
        if (name == "numFmt") {
            const auto id = parseCount(attributes.get("numFmtId").value_or(""));
            if (id)
                customFormats[*id] = std::string(attributes.get("formatCode").value_or(""));
        } else if (name == "cellXfs") {
            inCellFormats_ = true;
        } else if (name == "xf" && inCellFormats_) {
            formatOfStyle.push_back(
                parseCount(attributes.get("numFmtId").value_or("0")).value_or(0));
        }
    }
    void endElement(std::string_view name) override {
        if (name == "cellXfs")
            inCellFormats_ = false;
    }

private:
    bool inCellFormats_ = false;
};

// ---- shared strings, held end to end in one buffer ----

class SharedStringsHandler : public XmlHandler {
public:
    std::string text;
    std::vector<std::uint32_t> ends;

    std::optional<std::string_view> at(std::uint64_t index) const {
        if (index >= ends.size())
            return std::nullopt;
        const std::uint32_t begin = index == 0 ? 0 : ends[index - 1];
        return std::string_view(text).substr(begin, ends[index] - begin);
    }

    void startElement(std::string_view name, const XmlAttributes&) override {
        if (name == "rPh")
            ++phonetic_; // reading aids above the text, not part of it
        else if (name == "t")
            inText_ = phonetic_ == 0;
    }
    void endElement(std::string_view name) override {
        if (name == "rPh")
            --phonetic_;
        else if (name == "t")
            inText_ = false;
        else if (name == "si")
            ends.push_back(static_cast<std::uint32_t>(text.size()));
    }
    void characters(std::string_view piece) override {
        if (inText_)
            text.append(piece); // bounded by the part's own bound
    }

private:
    int phonetic_ = 0;
    bool inText_ = false;
};

// ---- the sheet ----

struct Styles {
    const StylesHandler& styles;
    bool date1904;
    std::map<std::uint64_t, std::pair<std::string, NumberFormat>> cache; ///< by style index

    // The code and its compiled form for a cell style; nothing for an unknown format id.
    const std::pair<std::string, NumberFormat>* formatFor(std::uint64_t style) {
        if (const auto found = cache.find(style); found != cache.end())
            return &found->second;
        const std::uint64_t id =
            style < styles.formatOfStyle.size() ? styles.formatOfStyle[style] : 0;
        std::string code;
        if (const auto custom = styles.customFormats.find(id); custom != styles.customFormats.end())
            code = custom->second;
        else if (const auto builtIn =
                     builtInNumberFormat(static_cast<int>(std::min<std::uint64_t>(id, 1000))))
            code = *builtIn;
        else
            code = "format " + std::to_string(id);
        NumberFormat format(code);
        return &cache.emplace(style, std::make_pair(code, std::move(format))).first->second;
    }
};

class SheetHandler : public XmlHandler {
public:
    SheetHandler(const SharedStringsHandler& strings, Styles& styles, std::string sheetName)
        : strings_(strings), styles_(styles), sheetName_(std::move(sheetName)) {}

    SheetTableBuilder builder;
    std::vector<FallbackCell> fallbacks;
    std::size_t fallbackCount = 0;

    void startElement(std::string_view name, const XmlAttributes& attributes) override {
        if (name == "row") {
            const auto r = attributes.get("r");
            const auto number = r ? parseCount(*r) : std::nullopt;
            if (r && (!number || *number == 0))
                return fail("The sheet " + sheetName_ + " has a row numbered \"" + std::string(*r) +
                            "\".");
            row_ = number ? *number - 1 : nextRow_;
            nextRow_ = row_ + 1;
            nextColumn_ = 0;
        } else if (name == "c") {
            column_ = nextColumn_;
            if (const auto r = attributes.get("r")) {
                const auto position = parseCellReference(*r);
                if (!position)
                    return fail("The sheet " + sheetName_ + " has a cell named \"" +
                                std::string(*r) + "\".");
                column_ = position->column;
            }
            style_ = parseCount(attributes.get("s").value_or("0")).value_or(0);
            type_ = std::string(attributes.get("t").value_or("n"));
            value_.clear();
            inline_.clear();
        } else if (name == "v") {
            collecting_ = &value_;
        } else if (name == "rPh") {
            ++phonetic_;
        } else if (name == "t" && phonetic_ == 0) {
            collecting_ = &inline_;
        }
    }

    void endElement(std::string_view name) override {
        if (name == "v" || name == "t") {
            collecting_ = nullptr;
        } else if (name == "rPh") {
            --phonetic_;
        } else if (name == "c") {
            if (auto problem = builder.add(row_, column_, shown()))
                return fail(std::move(*problem));
            nextColumn_ = column_ + 1;
        }
    }

    void characters(std::string_view piece) override {
        if (!collecting_)
            return;
        if (collecting_->size() + piece.size() > cellTextBytes)
            return fail("A cell of the sheet " + sheetName_ + " holds more than " +
                        std::to_string(cellTextBytes) + " bytes of text.");
        collecting_->append(piece);
    }

private:
    std::string_view shown() {
        if (type_ == "s") {
            const auto index = parseCount(value_);
            const auto text = index ? strings_.at(*index) : std::nullopt;
            if (!text) {
                fail("The sheet " + sheetName_ + " names a shared string that does not exist.");
                return {};
            }
            return *text;
        }
        if (type_ == "inlineStr")
            return inline_;
        if (type_ == "b")
            return value_ == "1" ? "TRUE" : value_ == "0" ? "FALSE" : std::string_view(value_);
        if (type_ == "str" || type_ == "e" || value_.empty())
            return value_;
        if (type_ == "d") { // an ISO 8601 date, which this does not format
            fallBack("ISO 8601 date");
            return value_;
        }
        double number = 0;
        const auto [end, error] =
            std::from_chars(value_.data(), value_.data() + value_.size(), number);
        if (error != std::errc() || end != value_.data() + value_.size())
            return value_;
        const auto* format = styles_.formatFor(style_);
        if (auto text = format->second.format(number, styles_.date1904)) {
            formatted_ = std::move(*text);
            return formatted_;
        }
        fallBack(format->first);
        return value_;
    }

    void fallBack(const std::string& code) {
        if (++fallbackCount <= SheetRead::maxListedFallbacks)
            fallbacks.push_back({sheetName_, cellReference({row_, column_}), code});
    }

    const SharedStringsHandler& strings_;
    Styles& styles_;
    std::string sheetName_;
    std::uint64_t row_ = 0, nextRow_ = 0, column_ = 0, nextColumn_ = 0, style_ = 0;
    std::string type_, value_, inline_, formatted_;
    std::string* collecting_ = nullptr;
    int phonetic_ = 0;
};

std::string quotedList(const std::vector<WorkbookHandler::Sheet>& sheets) {
    std::string text;
    for (std::size_t i = 0; i < sheets.size(); ++i)
        text += (i ? ", \"" : "\"") + sheets[i].name + "\"";
    return text;
}

} // namespace

Expected<SheetRead, std::string> readXlsx(const ZipArchive& archive,
                                          const std::optional<std::string>& sheet) {
    RelationshipsHandler package;
    if (auto problem = parseXmlPart(archive, "_rels/.rels", describingPartBytes, package))
        return Unexpected{*problem};
    const std::string workbookPart =
        resolve("", package.targetOfType("/officeDocument").value_or("xl/workbook.xml"));

    WorkbookHandler workbook;
    if (auto problem = parseXmlPart(archive, workbookPart, describingPartBytes, workbook))
        return Unexpected{*problem};
    if (workbook.sheets.empty())
        return Unexpected{std::string("The workbook has no sheets.")};
    RelationshipsHandler parts;
    if (auto problem =
            parseXmlPart(archive, relationshipsOf(workbookPart), describingPartBytes, parts))
        return Unexpected{*problem};

    const WorkbookHandler::Sheet* chosen = &workbook.sheets.front();
    if (sheet) {
        chosen = nullptr;
        for (const auto& candidate : workbook.sheets)
            if (candidate.name == *sheet)
                chosen = &candidate;
        if (!chosen)
            return Unexpected{"The workbook has no sheet named \"" + *sheet +
                              "\". Its sheets: " + quotedList(workbook.sheets) + "."};
    }
    const auto sheetRelationship = parts.byId.find(chosen->relationship);
    if (sheetRelationship == parts.byId.end())
        return Unexpected{"The sheet \"" + chosen->name + "\" has no part in the workbook."};
    const std::string folder = folderOf(workbookPart);

    SharedStringsHandler strings;
    if (const auto part = parts.targetOfType("/sharedStrings"))
        if (auto problem =
                parseXmlPart(archive, resolve(folder, *part), sharedStringsBytes, strings))
            return Unexpected{*problem};
    StylesHandler styleSheet;
    if (const auto part = parts.targetOfType("/styles"))
        if (auto problem =
                parseXmlPart(archive, resolve(folder, *part), describingPartBytes, styleSheet))
            return Unexpected{*problem};

    Styles styles{styleSheet, workbook.date1904, {}};
    SheetHandler cells(strings, styles, chosen->name);
    if (auto problem = parseXmlPart(archive, resolve(folder, sheetRelationship->second.target),
                                    sheetPartBytes, cells))
        return Unexpected{*problem};

    SheetRead read;
    read.table = std::move(cells.builder).finish();
    read.sheet = chosen->name;
    for (const auto& each : workbook.sheets)
        read.sheetNames.push_back(each.name);
    read.fallbackCells = std::move(cells.fallbacks);
    read.fallbackCellCount = cells.fallbackCount;
    return read;
}

} // namespace keyferry
