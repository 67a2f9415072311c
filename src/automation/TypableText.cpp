#include "automation/TypableText.h"

#include "text/UnicodeText.h"

#include <array>
#include <map>

namespace keyferry {

namespace {

constexpr std::size_t shownCharacters = 8;
constexpr std::size_t shownEntries = 5;

/// Remembers each character's answer; plain ASCII in a table, the rest in a map.
class TypableCache {
public:
    explicit TypableCache(const std::function<bool(std::string_view)>& canType)
        : canType_(canType) {}

    bool operator()(std::string_view character) {
        if (character.size() == 1 && static_cast<unsigned char>(character[0]) < 0x80) {
            auto& known = ascii_[static_cast<unsigned char>(character[0])];
            if (!known)
                known = canType_(character);
            return *known;
        }
        const auto found = others_.find(character);
        if (found != others_.end())
            return found->second;
        const bool typable = canType_(character);
        others_.emplace(std::string(character), typable);
        return typable;
    }

private:
    const std::function<bool(std::string_view)>& canType_;
    std::array<std::optional<bool>, 0x80> ascii_{};
    std::map<std::string, bool, std::less<>> others_;
};

class Findings {
public:
    void add(std::string_view character, std::optional<std::size_t> entry) {
        auto found = index_.find(character);
        if (found == index_.end()) {
            found = index_.emplace(std::string(character), list_.size()).first;
            list_.push_back({std::string(character), {}, false});
        }
        UntypableCharacter& item = list_[found->second];
        if (!entry)
            item.inTemplate = true;
        else if (item.entries.empty() || item.entries.back() != *entry)
            item.entries.push_back(*entry);
    }
    std::vector<UntypableCharacter> take() { return std::move(list_); }

private:
    std::vector<UntypableCharacter> list_;
    std::map<std::string, std::size_t, std::less<>> index_;
};

void check(std::string_view value, std::optional<std::size_t> entry, TypableCache& typable,
           Findings& findings) {
    // Plain ASCII is one character per byte: no segmentation needed for the common case.
    bool ascii = true;
    for (const char c : value)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii) {
        for (std::size_t i = 0; i < value.size(); ++i)
            if (!typable(value.substr(i, 1)))
                findings.add(value.substr(i, 1), entry);
        return;
    }
    for (const std::string_view character : graphemeClusters(value))
        if (!typable(character))
            findings.add(character, entry);
}

} // namespace

std::vector<UntypableCharacter>
findUntypable(const Template& item, const CSVData& data, const std::vector<std::size_t>& rows,
              const std::function<bool(std::string_view)>& canType) {
    TypableCache typable(canType);
    Findings findings;
    std::vector<std::size_t> columns; // the file's columns a run types, in use
    std::size_t column = 0;
    for (const Step& step : item.steps) {
        if (step.type != StepType::textInput)
            continue;
        if (step.isFixed())
            check(*step.fixedValue, std::nullopt, typable, findings);
        else if (column < data.columnCount())
            columns.push_back(column++);
    }
    // Entries ascend in each character's list when the rows do; a run's rows always do.
    for (const std::size_t row : rows) {
        if (row >= data.rowCount())
            continue;
        for (const std::size_t used : columns)
            check(data.field(row, used), row + 1, typable, findings);
    }
    return findings.take();
}

std::optional<std::string> untypableMessage(const std::vector<UntypableCharacter>& untypable) {
    if (untypable.empty())
        return std::nullopt;
    std::string message =
        untypable.size() == 1
            ? "1 character cannot be typed on this desktop: "
            : std::to_string(untypable.size()) + " characters cannot be typed on this desktop: ";
    for (std::size_t i = 0; i < untypable.size() && i < shownCharacters; ++i) {
        const UntypableCharacter& item = untypable[i];
        if (i > 0)
            message += "; ";
        message += "\u201C" + item.character + "\u201D";
        std::vector<std::string> places;
        if (item.inTemplate)
            places.emplace_back("a fixed value of the template");
        if (!item.entries.empty()) {
            std::string entries = item.entries.size() == 1 ? "entry " : "entries ";
            for (std::size_t e = 0; e < item.entries.size() && e < shownEntries; ++e)
                entries += (e > 0 ? ", " : "") + std::to_string(item.entries[e]);
            if (item.entries.size() > shownEntries)
                entries += " and " + std::to_string(item.entries.size() - shownEntries) + " more";
            places.push_back(std::move(entries));
        }
        message += " (in ";
        for (std::size_t p = 0; p < places.size(); ++p)
            message += (p > 0 ? " and " : "") + places[p];
        message += ")";
    }
    if (untypable.size() > shownCharacters)
        message += "; and " + std::to_string(untypable.size() - shownCharacters) + " more";
    message += ". This desktop types only the characters of your keyboard layout: add a layout "
               "that has them, or change them in the file.";
    return message;
}

} // namespace keyferry
