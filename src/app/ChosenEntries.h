#pragma once

#include "app/Commands.h"
#include "model/RunJournal.h"
#include "model/Template.h"

#include <cstddef>
#include <iosfwd>
#include <optional>

namespace keyferry {

/// The entries `keyferry run --rows` or `--retry` asks for, checked against the table, or
/// the exit code to end with after the reason was printed.
struct ChosenEntries {
    std::optional<EntryList> entries; ///< 1-based, within the table; never empty
    int exitCode = 0; ///< without entries: 2 for a wrong choice, 0 when nothing is left to retry
};

/// Reads `options.rows` or the journal of `options.retryJournal` (whose CSV file must hash
/// like `options.csvFile` and whose template must be `item`). Explains a failure on `err`,
/// "nothing to retry" on `out`.
ChosenEntries chooseEntries(const RunCommandOptions& options, const Template& item,
                            std::size_t rowCount, std::ostream& out, std::ostream& err);

} // namespace keyferry
