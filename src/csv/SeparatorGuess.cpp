#include "csv/SeparatorGuess.h"

#include <array>
#include <vector>

namespace keyferry {

namespace {

constexpr std::array candidates = {Separator::semicolon, Separator::comma, Separator::tab,
                                   Separator::pipe};
// Enough lines to tell a separator from a character inside the values, read in well under a
// millisecond however long the file is.
constexpr std::size_t sampleLines = 50;
constexpr std::size_t sampleBytes = 64 * 1024;

struct Line {
    std::size_t fields = 0;
    bool wellFormed = true; ///< quotes only around whole fields
    bool empty = true;
};

// Splits the next line at `at` the way the import reader would with `separator`.
Line readLine(std::string_view text, std::size_t& at, char separator) {
    Line line;
    line.fields = 1;
    bool atFieldStart = true;
    while (at < text.size()) {
        const char c = text[at++];
        if (c == '\n')
            return line;
        line.empty = false;
        if (c == '"' && atFieldStart) {
            // A quoted field: up to the closing quote, doubled quotes standing for one.
            for (;;) {
                if (at >= text.size()) {
                    line.wellFormed = false;
                    return line;
                }
                if (text[at++] != '"')
                    continue;
                if (at < text.size() && text[at] == '"') {
                    ++at;
                    continue;
                }
                break;
            }
            if (at < text.size() && text[at] != separator && text[at] != '\n' &&
                text.substr(at, 2) != "\r\n")
                line.wellFormed = false;
            atFieldStart = false;
            continue;
        }
        if (c == separator) {
            ++line.fields;
            atFieldStart = true;
            continue;
        }
        if (c == '"')
            line.wellFormed = false;
        atFieldStart = false;
    }
    return line;
}

struct Fit {
    bool splitsHeader = false; ///< the header line has two fields or more, well formed
    bool consistent = false;   ///< and the sampled lines after it have as many
};

Fit fitOf(std::string_view text, Separator separator) {
    const char byte = separatorByte(separator);
    std::size_t at = 0;
    const Line header = readLine(text, at, byte);
    Fit fit;
    fit.splitsHeader = header.wellFormed && header.fields > 1;
    if (!fit.splitsHeader)
        return fit;
    fit.consistent = true;
    for (std::size_t lines = 0; lines < sampleLines && at < text.size(); ++lines) {
        const Line line = readLine(text, at, byte);
        if (line.empty)
            continue;
        // A line cut off by the sample's end says nothing either way.
        if (at >= text.size() && text.size() == sampleBytes)
            break;
        if (!line.wellFormed || line.fields != header.fields) {
            fit.consistent = false;
            break;
        }
    }
    return fit;
}

std::string plural(Separator separator) {
    // "Separated by commas" without its first two words.
    return separatorDescription(separator).substr(13);
}

std::string ambiguity(const std::vector<Separator>& options) {
    std::string text = "Read as semicolon-separated: the header line could be separated by ";
    for (std::size_t i = 0; i < options.size(); ++i) {
        if (i > 0)
            text += i + 1 == options.size() ? " or " : ", ";
        text += plural(options[i]);
    }
    return text;
}

} // namespace

SeparatorGuess guessSeparator(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    const std::string_view text = bytes.substr(0, sampleBytes);

    std::vector<Separator> splitting;
    std::vector<Separator> consistent;
    for (const Separator separator : candidates) {
        const Fit fit = fitOf(text, separator);
        if (fit.splitsHeader)
            splitting.push_back(separator);
        if (fit.consistent)
            consistent.push_back(separator);
    }
    if (splitting.empty())
        return {}; // one column: every separator reads it alike
    if (splitting.front() == Separator::semicolon) {
        // Read as before; only say so when another separator fits as well.
        if (consistent.empty() || consistent == std::vector{Separator::semicolon})
            return {};
        if (consistent.front() != Separator::semicolon)
            consistent.insert(consistent.begin(), Separator::semicolon);
        return {Separator::semicolon, ambiguity(consistent)};
    }
    if (splitting.size() == 1)
        return {splitting.front(), std::nullopt};
    if (consistent.size() == 1)
        return {consistent.front(), std::nullopt};
    return {Separator::semicolon, ambiguity(consistent.empty() ? splitting : consistent)};
}

} // namespace keyferry
