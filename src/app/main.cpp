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
    csv->add_option("FILE", csvOptions.file, "The CSV file")->required();
    auto* templateOption = csv->add_option("--template", templateNameOrID,
                                           "Check the header against this template (name or id)");
    csv->add_flag("--rows", csvOptions.includeRows, "Also print every row");

    keyferry::RunCommandOptions runOptions;
    std::size_t runLimit = 0;
    auto* run =
        cli.add_subcommand("run", "Run a stored template over a CSV file, without a window");
    run->add_option("--template", runOptions.templateNameOrID, "Template name or id")->required();
    run->add_option("--csv", runOptions.csvFile, "The CSV file")->required();
    run->add_option("--from", runOptions.fromEntry, "First entry, 1-based (default 1)")
        ->check(CLI::NonNegativeNumber);
    auto* limitOption = run->add_option("--limit", runLimit, "Number of entries (1: a test run)")
                            ->check(CLI::PositiveNumber);

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
        if (templateOption->count() > 0)
            csvOptions.templateNameOrID = templateNameOrID;
        return keyferry::runCSVCommand(csvOptions, std::cout, std::cerr);
    }
    if (run->parsed()) {
        if (limitOption->count() > 0)
            runOptions.limit = runLimit;
        return keyferry::runRunCommand(runOptions, std::cout, std::cerr);
    }
    if (templates->parsed())
        return keyferry::runTemplatesCommand(std::cout, std::cerr);
    return keyferry::runDesktopApp(argc, argv);
}
