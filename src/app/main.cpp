#include "app/Commands.h"

#include <CLI/CLI.hpp>
#include <iostream>

int main(int argc, char** argv) {
    CLI::App cli{"Keyferry types rows of a CSV file into another application's form.\n"
                 "Without a command it starts the desktop application.",
                 "keyferry"};
    cli.set_version_flag("--version", KEYFERRY_VERSION);
    cli.require_subcommand(0, 1);
    auto* templates = cli.add_subcommand("templates", "List the stored templates: id<TAB>name");

    keyferry::CSVCommandOptions csvOptions;
    std::string templateNameOrID;
    auto* csv = cli.add_subcommand(
        "csv", "Read a CSV file exactly as the import does and print the outcome as JSON");
    csv->add_option("FILE", csvOptions.file, "The CSV file, or an .xlsx or .ods workbook")
        ->required();
    auto* templateOption = csv->add_option("--template", templateNameOrID,
                                           "Check the header against this template (name or id)");
    csv->add_flag("--rows,--values", csvOptions.includeRows,
                  "Also print every row's cells, as a run would type them");
    // "auto" leaves the separator to the header line.
    const auto separatorNames = CLI::IsMember({"auto", "semicolon", "comma", "tab", "pipe"});
    const std::string separatorHelp =
        "Between the fields of a CSV file: auto (the default: what the header line shows), "
        "semicolon, comma, tab or pipe";
    std::string csvSeparator = "auto";
    csv->add_option("--separator", csvSeparator, separatorHelp)->check(separatorNames);
    const std::string sheetHelp = "The sheet of an .xlsx or .ods workbook (default: the first)";
    std::string csvSheet;
    auto* csvSheetOption = csv->add_option("--sheet", csvSheet, sheetHelp)->type_name("NAME");

    keyferry::RunCommandOptions runOptions;
    std::size_t runLimit = 0;
    auto* run =
        cli.add_subcommand("run", "Run a stored template over a CSV file, without a window");
    run->add_option("--template", runOptions.templateNameOrID, "Template name or id")->required();
    run->add_option("--csv", runOptions.csvFile, "The CSV file, or an .xlsx or .ods workbook")
        ->required();
    std::string runSeparator = "auto";
    run->add_option("--separator", runSeparator, separatorHelp)->check(separatorNames);
    std::string runSheet;
    auto* runSheetOption = run->add_option("--sheet", runSheet, sheetHelp)->type_name("NAME");
    auto* fromOption =
        run->add_option("--from", runOptions.fromEntry, "First entry, 1-based (default 1)")
            ->check(CLI::NonNegativeNumber);
    auto* limitOption = run->add_option("--limit", runLimit, "Number of entries (1: a test run)")
                            ->check(CLI::PositiveNumber);
    std::string runRows;
    auto* rowsOption = run->add_option("--rows", runRows, "Only these entries, 1-based, e.g. 3,7-9")
                           ->type_name("LIST");
    std::string retryJournal;
    auto* retryOption =
        run->add_option("--retry", retryJournal,
                        "Only the entries that run journal's run did not enter or verify, over "
                        "the same CSV file (`keyferry runs` lists the journals)")
            ->type_name("JOURNAL");
    rowsOption->excludes(retryOption, fromOption, limitOption);
    retryOption->excludes(fromOption, limitOption);
    run->footer("Every run writes a journal of how each entry ended to "
                "$XDG_STATE_HOME/Keyferry/runs (default ~/.local/state/Keyferry/runs).");

    keyferry::RunsCommandOptions runsOptions;
    std::string runsTemplate;
    auto* runs = cli.add_subcommand(
        "runs", "List the run journals, oldest first: start, template, entries, how rows ended");
    auto* runsTemplateOption =
        runs->add_option("--template", runsTemplate, "Only the runs of this template (name or id)");

    std::string headerTemplate;
    auto* header = cli.add_subcommand(
        "header", "Print the CSV header the template expects, as CSV Export writes it");
    header->add_option("--template", headerTemplate, "Template name or id")->required();

    std::string recordTemplate;
    auto* record = cli.add_subcommand(
        "record", "Record a template from the window that has the focus, until Esc");
    record
        ->add_option("--template", recordTemplate,
                     "The template whose steps are replaced (name or id), or the name of a new "
                     "one")
        ->required();

    auto* desktop = cli.add_subcommand(
        "desktop", "Show the desktop Keyferry runs on and what it can do there, and why not");

    try {
        cli.parse(argc, argv);
    } catch (const CLI::CallForHelp& help) {
        return cli.exit(help);
    } catch (const CLI::CallForVersion& version) {
        return cli.exit(version);
    } catch (const CLI::ParseError& error) {
        cli.exit(error);
        return 2;
    }

    if (csv->parsed()) {
        csvOptions.read.separator = keyferry::separatorNamed(csvSeparator);
        if (csvSheetOption->count() > 0)
            csvOptions.read.sheet = csvSheet;
        if (templateOption->count() > 0)
            csvOptions.templateNameOrID = templateNameOrID;
        return keyferry::runCSVCommand(csvOptions, std::cout, std::cerr);
    }
    if (run->parsed()) {
        runOptions.read.separator = keyferry::separatorNamed(runSeparator);
        if (runSheetOption->count() > 0)
            runOptions.read.sheet = runSheet;
        if (limitOption->count() > 0)
            runOptions.limit = runLimit;
        if (rowsOption->count() > 0)
            runOptions.rows = runRows;
        if (retryOption->count() > 0)
            runOptions.retryJournal = retryJournal;
        return keyferry::runRunCommand(runOptions, std::cout, std::cerr);
    }
    if (runs->parsed()) {
        if (runsTemplateOption->count() > 0)
            runsOptions.templateNameOrID = runsTemplate;
        return keyferry::runRunsCommand(runsOptions, std::cout, std::cerr);
    }
    if (record->parsed())
        return keyferry::runRecordCommand(recordTemplate, std::cout, std::cerr);
    if (header->parsed())
        return keyferry::runHeaderCommand(headerTemplate, std::cout, std::cerr);
    if (desktop->parsed())
        return keyferry::runDesktopCommand(std::cout, std::cerr);
    if (templates->parsed())
        return keyferry::runTemplatesCommand(std::cout, std::cerr);
    return keyferry::runDesktopApp(argc, argv);
}
