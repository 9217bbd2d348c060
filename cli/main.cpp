// tovmir-cli: the calendar arithmetic from the terminal, for scripts and for long
// lists of dates from church records. Positional values on the command line give
// one answer; without them every line of standard input gives one.
#include <CLI/CLI.hpp>

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>

#include "commands.h"
#include "yeardays.h"
#include "monthview/surface.h"

namespace {

constexpr int exitFailure = 1;
constexpr int exitUsage = 2;

const char* nationHelp =
    "nationskod: 0 Sverige, 1 Finland, 2 Danmark, 3 Norge, 4 reform november 1700, "
    "5 juliansk, 6 och 8 reform oktober 1582, 7 reform september 1752, 9 och högre gregoriansk";

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

// Why the folder of --dir cannot be entered, in Swedish, named by its full path:
// the common cases in words, as the reference database's own are; anything else
// the system reports stands only in brackets after the Swedish sentence. ENOTDIR
// is something other than a folder where the folder or one on its way should be.
std::string unenterableFolder(const std::string& dir, const std::error_code& ec) {
    std::error_code ignored;
    const auto full = std::filesystem::absolute(dir, ignored);
    // A path is shown whole up to a length a line can hold: one too long for the
    // system (over 4096 bytes) is cut like a value.
    const std::string shown = tovmir::shownValue(full.empty() ? dir : full.string(), 200);
    switch (ec.value()) {
        case ENOENT: return "mappen " + shown + " finns inte";
        case ENOTDIR:
            return std::filesystem::exists(dir, ignored) ? shown + " är ingen mapp" : "mappen " + shown + " finns inte";
        case EACCES: return "mappen " + shown + " kan inte öppnas: behörighet saknas";
        case ENAMETOOLONG: return "mappen " + shown + " kan inte öppnas: namnet är för långt";
        case ELOOP: return "mappen " + shown + " kan inte öppnas: för många symboliska länkar på vägen";
        default: return "mappen " + shown + " kan inte öppnas (" + ec.message() + ")";
    }
}

// The first word of the command line that is neither an option nor the value of
// a global option: where the command's name stands.
std::string firstWordOf(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--nation" || a == "--dir") ++i;
        else if (!a.starts_with("-")) return a;
    }
    return {};
}

// What follows a fixed English phrase of the argument parser, up to the end.
std::string after(const std::string& message, const std::string& phrase) {
    const auto at = message.find(phrase);
    return at == std::string::npos ? std::string{} : message.substr(at + phrase.size());
}

// The argument parser's refusal in Swedish. Its messages are English sentences
// around the names and values concerned; each kind is recognised by the
// parser's name for it and its sentence, and anything not recognised is named
// by the kind alone, so no English sentence reaches the user.
std::string swedishParseError(const CLI::ParseError& e, bool commandGiven, const std::string& firstWord) {
    const std::string kind = e.get_name(), m = e.what();
    const auto shown = [](const std::string& s) { return tovmir::cli::shownValue(s); };
    // A word where the command should stand that names none: the parser finds
    // the command missing before it finds the word extra.
    if (!commandGiven && !firstWord.empty()) return "okänt kommando: " + shown(firstWord);
    // A command's own ExtrasError carries the command's name as its kind.
    if (m.find(" not expected: ") != std::string::npos) {
        std::string extras = after(m, "not expected: ");
        if (!commandGiven) return "okänt kommando: " + shown(extras.substr(0, extras.find(' ')));
        return "oväntade värden: " + shown(extras);
    }
    if (kind == "RequiredError") {
        if (m.starts_with("A subcommand")) return "ett kommando krävs (se --help)";
        if (const auto at = m.find(" is required"); at != std::string::npos) {
            // The commands' values by the names their help gives them.
            static const std::map<std::string, std::string> values = {
                {"text", "TEXT"}, {"from", "FRÅN"}, {"to", "TILL"}, {"month", "ÅÅÅÅ-MM"}};
            const std::string name = m.substr(0, at);
            const auto known = values.find(name);
            return (known == values.end() ? shown(name) : "värdet " + known->second) + " krävs";
        }
        return "ett värde som krävs saknas";
    }
    if (kind == "ArgumentMismatch") {
        if (const auto at = m.find(" arguments to "); at != std::string::npos) {
            const std::string rest = m.substr(at + 14);
            return shown(rest.substr(0, rest.find(','))) + " fick fel antal värden";
        }
        return shown(m.substr(0, m.find(':'))) + " fick fel antal värden";
    }
    if (kind == "ConversionError") {
        if (m.find("too many inputs for a flag") != std::string::npos)
            return shown(m.substr(0, m.find(':'))) + " tar inget värde";
        if (const auto v = after(m, "Could not convert: "); !v.empty()) return "värdet kan inte läsas: " + shown(v);
        return "ett värde kan inte läsas";
    }
    if (kind == "RequiresError" || kind == "ExcludesError") return "flaggorna kan inte ges så tillsammans";
    return "kommandoraden kan inte läsas (" + kind + ")";
}

int runCli(int argc, char** argv);

}  // namespace

// An answer that never reached standard output (a full disk, a closed file) is a
// failure, not a success: the status says so, and why, on standard error.
int main(int argc, char** argv) {
    const int status = runCli(argc, argv);
    std::cout.flush();
    if (std::cout) return status;
    const int why = errno;
    std::cerr << "fel: utdata kan inte skrivas"
              << (why == ENOSPC ? ": disken är full" : why == EIO ? ": skrivfel på enheten" : "") << '\n';
    return exitFailure;
}

namespace {

int runCli(int argc, char** argv) {
    using namespace tovmir::cli;
    // The C++ streams buffer on their own instead of reading and writing through
    // C's stdio a character at a time; nothing here uses stdio.
    std::ios::sync_with_stdio(false);
    CLI::App app{"tovmir-cli: evig kalender för Norden i terminalen.\n"
                 "Utan värden på kommandoraden läses en uppsättning värden per rad från standard in."};
    app.require_subcommand(1);
    app.option_defaults()->group("Flaggor");
    app.set_help_flag("-h,--help", "visar hjälpen och avslutar");
    app.set_version_flag("--version", "tovmir-cli " TOVMIR_VERSION, "visar versionen och avslutar");
    app.footer("Flaggorna --nation, --dir, --latin och --no-color får stå före eller efter kommandot.\n"
               "month, months, year, find och ics skriver sin utdata först när den är hel: vid fel skrivs "
               "ingenting till standard ut.");
    auto formatter = app.get_formatter();
    for (const auto& [key, swedish] : std::map<std::string, std::string>{{"Usage", "Användning"},
                                                                         {"OPTIONS", "FLAGGOR"},
                                                                         {"SUBCOMMAND", "KOMMANDO"},
                                                                         {"SUBCOMMANDS", "KOMMANDON"},
                                                                         {"Positionals", "Värden"},
                                                                         {"REQUIRED", "KRÄVS"},
                                                                         {"TEXT", "TEXT"},
                                                                         {"INT", "HELTAL"}})
        formatter->label(key, swedish);

    // The options every command shares, before or after the command's name.
    std::string nationText = "0", fromText, toText, dir;
    bool latin = false, noColor = false;
    app.add_option("--nation", nationText, nationHelp);
    app.add_option("--dir", dir, "mappen med Const.mdb (annars arbetsmappen)");
    app.add_flag("--latin", latin, "den andra helgdagstabellen, med söndagarnas latinska namn");
    app.add_flag("--no-color", noColor, "inga färger (likaså när NO_COLOR är satt)");
    app.fallthrough();

    const auto addCommand = [&](const std::string& name, const std::string& help) {
        auto* sub = app.add_subcommand(name, help);
        sub->group("Kommandon");
        sub->set_help_flag("-h,--help", "visar hjälpen och avslutar");
        return sub;
    };

    std::map<std::string, std::vector<std::string>> positionals;
    std::map<std::string, CLI::App*> subs;
    for (const auto& info : commandTable()) {
        std::string usage;
        for (const char* a : info.argNames) usage += std::string(" ") + a;
        auto* sub = addCommand(info.name, std::string(info.help) + " (värden:" + usage + ")");
        sub->add_option("values", positionals[info.name], usage.substr(1))->expected(0, -1);
        if (std::string_view(info.name) == "convert") {
            sub->add_option("--from", fromText, "nationskod för datumet som ges")->required();
            sub->add_option("--to", toText, "nationskod för datumet som skrivs ut")->required();
        }
        subs[info.name] = sub;
    }

    // The month view: one month, or a range of months in one process.
    std::string monthFrom, monthTo;
    bool ops = false;
    auto* month = addCommand("month", "månaden som kalendern visar den, utan värde innevarande månad (värde: [ÅÅÅÅ-MM])");
    auto* months = addCommand("months", "alla månader från FRÅN till TILL (värden: ÅÅÅÅ-MM ÅÅÅÅ-MM)");
    for (auto* sub : {month, months}) sub->add_flag("--ops", ops, "ritoperationerna i stället för texten");
    auto* monthValue = month->add_option("month", monthFrom, "ÅÅÅÅ-MM");
    months->add_option("from", monthFrom, "ÅÅÅÅ-MM")->required();
    months->add_option("to", monthTo, "ÅÅÅÅ-MM")->required();

    // The whole-range commands: a named day searched for, a range as iCalendar.
    std::string searchText, yearFrom, yearTo;
    bool names = false;
    auto* find = addCommand("find", "dagarna som TEXT anger, ett kyrkoboksdatum (\"Dom. XIV p. Trin.\", \"Die Andreae\", "
                                    "\"Olofsmäss\") eller ord ur dagens text, från år FRÅN till TILL; ett år i TEXT "
                                    "räcker (värden: TEXT [FRÅN [TILL]])");
    find->add_option("text", searchText, "TEXT")->required();
    find->add_option("from", yearFrom, "FRÅN");
    find->add_option("to", yearTo, "TILL");
    auto* ics = addCommand("ics", "åren FRÅN till TILL som iCalendar-fil (RFC 5545) (värden: FRÅN [TILL])");
    ics->add_option("from", yearFrom, "FRÅN")->required();
    ics->add_option("to", yearTo, "TILL");
    ics->add_flag("--names", names, "också dagar med bara namnsdagar");

    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {
        return app.exit(e);  // --help and --version, on standard output
    } catch (const CLI::ParseError& e) {
        bool commandGiven = false;
        for (const auto* sub : app.get_subcommands({})) commandGiven = commandGiven || sub->parsed();
        std::cerr << "fel: " << swedishParseError(e, commandGiven, firstWordOf(argc, argv)) << "\nKör med --help för mer information.\n";
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
        std::cerr << "fel: " << errorText(e) << '\n';
        return exitUsage;
    }
    opt.latin = latin;
    if (dir.empty()) dir = referenceFolder();
    if (!dir.empty()) {
        std::error_code ec;
        std::filesystem::current_path(dir, ec);
        if (ec) {
            std::cerr << "fel: " << unenterableFolder(dir, ec) << '\n';
            return exitFailure;
        }
    }

    // Without a value month shows this month, as cal does and as the window
    // opens: today's month by the local date.
    if (month->parsed() && monthValue->count() == 0) {
        const YearMonth now = currentMonth();
        monthFrom = tovmir::dateFieldText(now.year, now.month);
    }
    if (monthView || find->parsed() || ics->parsed()) {
        const char* noColorVar = std::getenv("NO_COLOR");
        const bool color = !noColor && !(noColorVar && *noColorVar) && ::isatty(STDOUT_FILENO);
        try {
            if (monthView) {
                writeMonthListing(std::cout, monthFrom, month->parsed() ? monthFrom : monthTo, opt, ops, color);
            } else if (ics->parsed()) {
                writeIcs(std::cout, parseYearRange(yearFrom, yearTo, opt.nation), opt, names);
            } else {
                // A year written in the search stands for FRÅN.
                if (yearFrom.empty()) {
                    const int16_t y = tovmir::phraseYear(searchText);
                    if (y == 0) {
                        std::cerr << "fel: find behöver ett år: FRÅN, eller ett år i söktexten (\"Dom. 3 p. Trin. 1745\")\n";
                        return exitUsage;
                    }
                    yearFrom = std::to_string(y);
                }
                const tovmir::FindResult found = writeFind(std::cout, searchText, parseYearRange(yearFrom, yearTo, opt.nation), opt);
                if (found.days.empty()) {
                    std::cout.flush();
                    std::cerr << "fel: " << found.message << "\n";
                    return exitFailure;
                }
            }
            std::cout.flush();
            return 0;
        } catch (const std::exception& e) {
            std::cout.flush();
            std::cerr << "fel: " << errorText(e) << '\n';
            return exitFailure;
        }
    }
    auto& values = positionals[cmd->name];

    // A year's listing is many lines, so it has no batch form: without a value
    // it lists this year, as month shows this month.
    if (values.empty() && std::string_view(cmd->name) == "year") values.push_back(std::to_string(currentMonth().year));
    if (values.empty()) {
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
        std::cerr << "fel: " << errorText(e) << '\n';
        return exitFailure;
    }
}

}  // namespace
