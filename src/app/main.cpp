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

    if (templates->parsed())
        return keyferry::runTemplatesCommand(std::cout, std::cerr);
    return keyferry::runDesktopApp(argc, argv);
}
