#include "csv/ReadOutcome.h"

#include <cstdint>
#include <cstdlib>

using namespace keyferry;

namespace {

// The first byte picks a configuration, so one target covers the reader's branches.
CSVReader::Configuration configurationFor(std::uint8_t selector) {
    CSVReader::Configuration config;
    switch (selector % 10) {
    case 0:
        return CSVReader::Configuration::forImport();
    case 1:
        break; // the defaults: ",", "\n", no header, inferred encoding
    case 2:
        config.delimiters.row = CSVReader::standardRowDelimiters();
        config.trimStrategy = {U' ', U'\t'};
        config.headerStrategy = CSVReader::HeaderStrategy::firstLine;
        break;
    case 3:
        config.delimiters.field = U"::";
        config.delimiters.row = {U"\n", U"\n\n", U"\r\n", U"|"};
        break;
    case 4:
        config.encoding = TextEncoding::utf16;
        break;
    case 5:
        config.encoding = TextEncoding::utf32LittleEndian;
        break;
    case 6:
        config.encoding = TextEncoding::ascii;
        break;
    case 7:
        config.escapingStrategy.reset();
        config.delimiters.field = U"\u00E9";
        break;
    case 8:
        config.encoding = TextEncoding::utf8;
        config.presample = true;
        break;
    case 9:
        config.delimiters.field = U";";
        config.delimiters.row = {U"\r\n"};
        config.escapingStrategy = U'\'';
        break;
    }
    return config;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const auto outcome = testing::readBytes(bytes, configurationFor(data[0]));
    if (outcome.error && outcome.error->shortDescription().empty())
        std::abort();
    // Every row has the length of the first one (the header when there is one).
    std::size_t expected = outcome.headers.empty() ? 0 : outcome.headers.size();
    for (const auto& row : outcome.rows) {
        if (expected == 0)
            expected = row.size();
        if (row.size() != expected)
            std::abort();
    }
    return 0;
}
