// tovmir-cli: the calendar arithmetic from the terminal, for scripts and for long
// lists of dates from church records. Positional values on the command line give
// one answer; without them every line of standard input gives one.
#include <CLI/CLI.hpp>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>

#include "calendar/helpers.h"
#include "commands.h"

namespace {

constexpr int exitFailure = 1;
constexpr int exitUsage = 2;

const char* nationHelp =
    "nationskod: 0 Sverige, 1 Finland, 2 Danmark, 3 Norge, 4 reform november 1700, "
    "5 juliansk, 6 och 8 reform oktober 1582, 7 reform september 1752, övriga gregoriansk";

// Without --dir: the working folder when it holds Const.mdb (the build's run
// folder, a user's own copy), else the reference data installed beside the
// program (prefix/bin/tovmir-cli reads prefix/share/tovmir), else the working
// folder again, whose missing database is then reported.
std::string referenceFolder() {
    std::error_code ec;
    if (std::filesystem::exists("Const.mdb", ec)) return {};
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return {};
    const auto installed = exe.parent_path().parent_path() / "share" / "tovmir";
    return std::filesystem::exists(installed / "Const.mdb", ec) ? installed.string() : std::string{};
}

}  // namespace

int main(int argc, char** argv) {
    using namespace tovmir::cli;
    // The C++ streams buffer on their own instead of reading and writing through
    // C's stdio a character at a time; nothing here uses stdio.
    std::ios::sync_with_stdio(false);
    CLI::App app{"tovmir-cli: evig kalender för Norden i terminalen.\n"
                 "Utan värden på kommandoraden läses en uppsättning värden per rad från standard in."};
    app.require_subcommand(1);

    std::string nationText = "0", fromText, toText, dir;
    bool latin = false;
    std::map<std::string, std::vector<std::string>> positionals;
    std::map<std::string, CLI::App*> subs;
    for (const auto& info : commandTable()) {
        std::string usage;
        for (const char* a : info.argNames) usage += std::string(" ") + a;
        auto* sub = app.add_subcommand(info.name, std::string(info.help) + " (värden:" + usage + ")");
        sub->add_option("--nation", nationText, nationHelp);
        sub->add_option("values", positionals[info.name], usage.substr(1))->expected(0, -1);
        if (std::string_view(info.name) == "year") {
            sub->add_flag("--latin", latin, "den andra helgdagstabellen, med söndagarnas latinska namn");
            sub->add_option("--dir", dir, "mappen med Const.mdb (annars arbetsmappen)");
        }
        if (std::string_view(info.name) == "convert") {
            sub->add_option("--from", fromText, "nationskod för datumet som ges")->required();
            sub->add_option("--to", toText, "nationskod för datumet som skrivs ut")->required();
        }
        subs[info.name] = sub;
    }

    // The month view: one month, or a range of months in one process.
    std::string monthFrom, monthTo;
    bool ops = false, noColor = false;
    auto* month = app.add_subcommand("month", "månaden som kalendern visar den (värde: ÅÅÅÅ-MM)");
    auto* months = app.add_subcommand("months", "alla månader från FRÅN till TILL (värden: ÅÅÅÅ-MM ÅÅÅÅ-MM)");
    for (auto* sub : {month, months}) {
        sub->add_option("--nation", nationText, nationHelp);
        sub->add_flag("--latin", latin, "den andra helgdagstabellen, med söndagarnas latinska namn");
        sub->add_option("--dir", dir, "mappen med Const.mdb (annars arbetsmappen)");
        sub->add_flag("--ops", ops, "ritoperationerna i stället för texten");
        sub->add_flag("--no-color", noColor, "inga färger (likaså när NO_COLOR är satt)");
    }
    month->add_option("month", monthFrom, "ÅÅÅÅ-MM")->required();
    months->add_option("from", monthFrom, "ÅÅÅÅ-MM")->required();
    months->add_option("to", monthTo, "ÅÅÅÅ-MM")->required();

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);  // prints the reason and the usage to standard error
        return exitUsage;
    }

    const bool monthView = month->parsed() || months->parsed();
    const CommandInfo* cmd = nullptr;
    for (const auto& [name, sub] : subs)
        if (sub->parsed()) cmd = findCommand(name);

    Options opt;
    try {
        opt.nation = parse16(nationText, "nationskoden");
        if (!fromText.empty()) opt.from = parse16(fromText, "nationskoden");
        if (!toText.empty()) opt.to = parse16(toText, "nationskoden");
    } catch (const InputError& e) {
        std::cerr << "fel: " << e.what() << '\n';
        return exitUsage;
    }
    opt.latin = latin;
    if (dir.empty()) dir = referenceFolder();
    if (!dir.empty()) {
        std::error_code ec;
        std::filesystem::current_path(dir, ec);
        if (ec) {
            std::cerr << "fel: mappen " << dir << " kan inte öppnas: " << ec.message() << '\n';
            return exitFailure;
        }
    }

    if (monthView) {
        const char* noColorVar = std::getenv("NO_COLOR");
        const bool color = !noColor && !(noColorVar && *noColorVar) && ::isatty(STDOUT_FILENO);
        try {
            writeMonthListing(std::cout, monthFrom, month->parsed() ? monthFrom : monthTo, opt, ops, color);
            std::cout.flush();
            return 0;
        } catch (const std::exception& e) {
            std::cerr << "fel: " << e.what() << '\n';
            return exitFailure;
        }
    }
    const auto& values = positionals[cmd->name];

    // A year's listing is many lines, so it has no batch form.
    if (values.empty() && std::string_view(cmd->name) != "year") {
        // Reading standard input flushes standard output first (the streams are
        // tied), one write for every answer. From a file or a pipe the answers
        // go out in blocks instead; typed at a terminal, each appears as its
        // line is entered.
        if (!::isatty(STDIN_FILENO)) std::cin.tie(nullptr);
        return runBatch(*cmd, opt, std::cin, std::cout, std::cerr);
    }

    if (values.size() != cmd->argNames.size()) {
        std::cerr << "fel: " << cmd->name << " väntar " << cmd->argNames.size() << " värden, fick "
                  << values.size() << "\n\n"
                  << subs[cmd->name]->help();
        return exitUsage;
    }
    try {
        std::string warning;
        const std::string line = runCommand(*cmd, values, opt, &warning);
        std::cout << line << '\n';
        if (!warning.empty()) std::cerr << "varning: " << warning << '\n';
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "fel: " << e.what() << '\n';
        return exitFailure;
    }
}
