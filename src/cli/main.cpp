// rk7power-cli: the roster of RK7 Power from the command line, for scripts and for people who
// trade Performance Files in bulk.

#include "cli/commands.h"
#include "license_notice.h"
#include "version.h"

#include <CLI/CLI.hpp>
#include <csignal>
#include <iostream>
#include <map>
#include <new>
#include <string>
#include <vector>

namespace {

const std::map<std::string, rk7::Dialect> Dialects = {
    {"native", rk7::Dialect::Native},
    {"exchange", rk7::Dialect::Exchange},
};
const std::map<std::string, rk7::View> Views = {
    {"all", rk7::View::All},
    {"teams", rk7::View::Teams},
    {"drivers", rk7::View::Drivers},
};
const std::map<std::string, rk7::TextEncoding> Encodings = {
    {"auto", rk7::TextEncoding::Detect},
    {"utf-8", rk7::TextEncoding::Utf8},
};
const std::map<std::string, rk7::OutputFormat> Formats = {
    {"text", rk7::OutputFormat::Text},
    {"csv", rk7::OutputFormat::Csv},
    {"json", rk7::OutputFormat::Json},
};
const std::map<std::string, rk7::OutputFormat> DiffFormats = {
    {"text", rk7::OutputFormat::Text},
    {"json", rk7::OutputFormat::Json},
};

// The words an option accepts, for checking and for the help text.
template <typename T>
CLI::IsMember Words(const std::map<std::string, T>& words) {
    std::vector<std::string> keys;
    for (const auto& [word, value] : words)
        keys.push_back(word);
    return CLI::IsMember(keys);
}

constexpr const char* Examples = R"(Examples:
  rk7power-cli export season.txt
  rk7power-cli export --dialect exchange - > rk7edit.txt
  rk7power-cli --dir ~/rk7 import season.txt
  rk7power-cli convert --to exchange season.txt rk7edit.txt
  rk7power-cli check rk7edit.txt
  rk7power-cli --dir ~/rk7 diff season.txt
  rk7power-cli --dir ~/rk7 diff --against-dir ~/rk7-backup --format json
  rk7power-cli show --view teams --format csv
  rk7power-cli calc --save

Exit status: 0 success; 1 check found diagnostics, or diff found cells that differ; 2 usage
error; 3 not a valid Performance File (nothing written); 4 a file could not be read or written,
the store folder was busy, or memory ran out (nothing half-written: Teams.rk and Drivers.rk are
saved together or not at all).)";

// The options that say how a Performance File is read.
void AddReadOptions(CLI::App* command, std::string& encoding, bool* strict) {
    command
        ->add_option("--encoding", encoding,
                     "Encoding of the file: auto (Windows-1252, or UTF-8 after a byte-order "
                     "mark) or utf-8; default: auto")
        ->check(Words(Encodings));
    if (strict)
        command->add_flag("--strict", *strict,
                          "Refuse a file that gives any diagnostic; nothing is written");
}

int Run(int argc, char** argv) {
    CLI::App app{"Exchange, check, show and calculate the RK7 Power roster.", "rk7power-cli"};
    app.set_version_flag("--version", "rk7power-cli " RK7_VERSION "\n" RK7_LICENSE_NOTICE);
    app.require_subcommand(1);
    app.footer(Examples);

    std::string dir = ".";
    app.add_option("--dir", dir,
                   "Folder of the store files (Teams.rk, Drivers.rk, EPowers.rk, RanFail.rk), "
                   "loaded over the built-in roster; default: the current folder")
        ->check(CLI::ExistingDirectory);

    const rk7::Output io{std::cout, std::cerr};
    int status = rk7::ExitSuccess;

    std::string exportDialect = "native";
    std::string exportFile;
    auto* exportCommand = app.add_subcommand("export", "Write a Performance File from the roster");
    exportCommand->add_option("--dialect", exportDialect, "Dialect to write; default: native")
        ->check(Words(Dialects));
    exportCommand->add_option("FILE", exportFile, "File to write; - for the standard output")
        ->required();
    exportCommand->footer("Example: rk7power-cli export --dialect exchange rk7edit.txt");
    exportCommand->callback(
        [&] { status = rk7::ExportCommand(dir, Dialects.at(exportDialect), exportFile, io); });

    std::string importDialect;
    std::string importFile;
    auto* importCommand = app.add_subcommand(
        "import", "Read a Performance File over the roster, then save Teams.rk and Drivers.rk");
    importCommand
        ->add_option("--dialect", importDialect,
                     "Dialect the file must be in; default: the one its banner names")
        ->check(Words(Dialects));
    importCommand->add_option("FILE", importFile, "Performance File to read")->required();
    std::string encoding = "auto";
    rk7::ReadOptions importOptions;
    AddReadOptions(importCommand, encoding, &importOptions.strict);
    importCommand->footer("Example: rk7power-cli --dir ~/rk7 import season.txt");
    importCommand->callback([&] {
        if (!importDialect.empty())
            importOptions.dialect = Dialects.at(importDialect);
        importOptions.encoding = Encodings.at(encoding);
        status = rk7::ImportCommand(dir, importFile, importOptions, io);
    });

    std::string convertTo;
    std::string convertIn;
    std::string convertOut;
    auto* convertCommand = app.add_subcommand(
        "convert", "Read IN over the roster and write OUT in the dialect given; saves nothing");
    convertCommand->add_option("--to", convertTo, "Dialect to write")
        ->check(Words(Dialects))
        ->required();
    convertCommand->add_option("IN", convertIn, "Performance File to read")->required();
    convertCommand
        ->add_option("OUT", convertOut, "Performance File to write; - for the standard output")
        ->required();
    rk7::ReadOptions convertOptions;
    AddReadOptions(convertCommand, encoding, &convertOptions.strict);
    convertCommand->footer("Example: rk7power-cli convert --to exchange season.txt rk7edit.txt");
    convertCommand->callback([&] {
        convertOptions.encoding = Encodings.at(encoding);
        status = rk7::ConvertCommand(dir, Dialects.at(convertTo), convertIn, convertOut,
                                     convertOptions, io);
    });

    std::string checkFile;
    auto* checkCommand = app.add_subcommand(
        "check", "Name the dialect of a Performance File and list every diagnostic as "
                 "FILE:LINE: message");
    checkCommand->add_option("FILE", checkFile, "Performance File to check")->required();
    AddReadOptions(checkCommand, encoding, nullptr);
    checkCommand->footer("Example: rk7power-cli check rk7edit.txt");
    checkCommand->callback(
        [&] { status = rk7::CheckCommand(checkFile, Encodings.at(encoding), io); });

    std::string diffFile;
    std::string diffAgainst;
    std::string diffDialect;
    std::string diffFormat = "text";
    auto* diffCommand = app.add_subcommand(
        "diff", "List every cell that importing FILE, or the roster of another store folder, "
                "would change; writes nothing");
    auto* diffFileOption =
        diffCommand->add_option("FILE", diffFile, "Performance File to compare with the roster");
    auto* diffAgainstOption =
        diffCommand
            ->add_option("--against-dir", diffAgainst,
                         "Compare with the roster of the store files in this folder instead of "
                         "with a file")
            ->check(CLI::ExistingDirectory)
            ->excludes(diffFileOption);
    diffCommand
        ->add_option("--dialect", diffDialect,
                     "Dialect the file must be in; default: the one its banner names")
        ->check(Words(Dialects))
        ->excludes(diffAgainstOption);
    AddReadOptions(diffCommand, encoding, nullptr);
    diffCommand->get_option("--encoding")->excludes(diffAgainstOption);
    diffCommand
        ->add_option("--format", diffFormat,
                     "Output format: text, or json (an array of objects with row, index, name, "
                     "field, now and file); default: text")
        ->check(Words(DiffFormats));
    diffCommand->footer("Exit status: 0 no cell differs, 1 some do, 3 and 4 as for import.\n"
                        "Example: rk7power-cli --dir ~/rk7 diff season.txt");
    diffCommand->callback([&] {
        if (diffFile.empty() && diffAgainst.empty())
            throw CLI::RequiredError("FILE or --against-dir");
        rk7::ReadOptions options;
        if (!diffDialect.empty())
            options.dialect = Dialects.at(diffDialect);
        options.encoding = Encodings.at(encoding);
        status =
            rk7::DiffCommand(dir, diffFile, diffAgainst, options, DiffFormats.at(diffFormat), io);
    });

    std::string view = "all";
    std::string format = "text";
    auto* showCommand = app.add_subcommand("show", "Print the roster as the views show it");
    showCommand->add_option("--view", view, "View to print; default: all")->check(Words(Views));
    showCommand
        ->add_option("--format", format,
                     "Output format; default: text. json always gives the whole roster")
        ->check(Words(Formats));
    showCommand->footer("Example: rk7power-cli show --view teams --format csv");
    showCommand->callback(
        [&] { status = rk7::ShowCommand(dir, Views.at(view), Formats.at(format), io); });

    bool save = false;
    auto* calcCommand = app.add_subcommand(
        "calc", "Calculate every team and driver from its positions as in Auto Edit Mode and "
                "print View All");
    calcCommand->add_flag("--save", save, "Write Teams.rk and Drivers.rk with the results");
    calcCommand->footer("Example: rk7power-cli calc --save");
    calcCommand->callback([&] { status = rk7::CalcCommand(dir, save, io); });

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        // Help and version end with status 0, when they arrived; everything else is a usage
        // error.
        if (app.exit(error) != 0)
            return rk7::ExitUsage;
        std::cout.flush();
        if (!std::cout) {
            std::cerr << "rk7power-cli: standard output: write failed\n";
            return rk7::ExitFileError;
        }
        return rk7::ExitSuccess;
    }
    return status;
}

} // namespace

int main(int argc, char** argv) {
    // A file-size limit then makes a write fail with an error to report, rather than killing the
    // program half-way with no word said.
    std::signal(SIGXFSZ, SIG_IGN);
    try {
        return Run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::cerr << "rk7power-cli: out of memory; nothing was written\n";
        return rk7::ExitFileError;
    }
}
