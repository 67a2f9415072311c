// Times a CSV import from opening the file to the finished, checked table, and reports
// the peak memory of the process against the file size.
//
// Usage: csv_import_bench FILE [--scalar]
//   --scalar  reads with the general scalar-at-a-time reader instead of the import path

#include "csv/CSVImport.h"
#include "csv/CSVReader.h"
#include "csv/ImportTableParser.h"
#include "model/FileIO.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sys/resource.h>

using namespace keyferry;

namespace {

Template templateFor(const std::vector<std::string>& headers) {
    Template item;
    for (const auto& header : headers) {
        Step step = Step::ofType(StepType::textInput);
        step.label = header;
        item.steps.push_back(step);
    }
    return item;
}

// The general reader, keeping every row as a list of strings.
std::size_t readWithScalarReader(const std::filesystem::path& file, std::string& message) {
    auto bytes = readRegularFile(file, ImportTableParser::maxBytes);
    if (!bytes) {
        message = bytes.error().message;
        return 0;
    }
    auto reader = CSVReader::fromBytes(std::move(*bytes), CSVReader::Configuration::forImport());
    if (!reader) {
        message = reader.error().shortDescription();
        return 0;
    }
    std::vector<CSVReader::Row> rows;
    for (;;) {
        auto row = (*reader)->readRow();
        if (!row) {
            message = row.error().shortDescription();
            return 0;
        }
        if (!*row)
            break;
        rows.push_back(std::move(**row));
    }
    const auto check =
        CSVData((*reader)->headers(), {}).validate(templateFor((*reader)->headers()));
    message = check.value_or("valid");
    return rows.size();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE [--scalar]\n", argv[0]);
        return 2;
    }
    const std::filesystem::path file = argv[1];
    const bool scalar = argc > 2 && std::strcmp(argv[2], "--scalar") == 0;
    const double megabytes = static_cast<double>(std::filesystem::file_size(file)) / 1e6;

    const auto start = std::chrono::steady_clock::now();
    std::size_t rows = 0;
    std::string message;
    if (scalar) {
        rows = readWithScalarReader(file, message);
    } else {
        auto table = readCSVFile(file);
        if (table) {
            rows = table->rowCount();
            message = table->validate(templateFor(table->headers())).value_or("valid");
        } else {
            message = "Import failed: " + describe(table.error());
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double peakMegabytes = static_cast<double>(usage.ru_maxrss) * 1024 / 1e6;
    std::printf("%-22s %8.1f MB/s  peak %7.1f MB = %4.2f x file  %zu rows  (%s)\n",
                scalar ? "keyferry scalar reader" : "keyferry import", megabytes / seconds,
                peakMegabytes, peakMegabytes / megabytes, rows, message.c_str());
    return 0;
}
