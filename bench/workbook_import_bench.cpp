// Times the import of a workbook (or CSV file) from opening the file to the finished
// table, and reports the peak memory of the process against the file size.
//
// Usage: workbook_import_bench FILE [SHEET]

#include "csv/CSVImport.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sys/resource.h>

using namespace keyferry;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE [SHEET]\n", argv[0]);
        return 2;
    }
    const std::filesystem::path file = argv[1];
    TableReadOptions options;
    if (argc > 2)
        options.sheet = argv[2];
    const double megabytes = static_cast<double>(std::filesystem::file_size(file)) / 1e6;

    const auto start = std::chrono::steady_clock::now();
    const auto read = readTableFile(file, options);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double peakMegabytes = static_cast<double>(usage.ru_maxrss) * 1024 / 1e6;
    if (!read) {
        std::printf("keyferry import failed: %s\n", describe(read.error()).c_str());
        return 1;
    }
    std::printf("keyferry import   %7.2f s  peak %7.1f MB = %4.2f x file  %zu rows x %zu "
                "columns, %zu cells shown with their stored value\n",
                seconds, peakMegabytes, peakMegabytes / megabytes, read->table.rowCount(),
                read->table.columnCount(), read->notes.fallbackCellCount);
    return 0;
}
