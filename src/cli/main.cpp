// rk7power-cli: the roster of RK7 Power from the command line, for scripts and for people who
// trade Performance Files in bulk.

#include "cli/commands.h"
#include "license_notice.h"
#include "version.h"

#include <CLI/CLI.hpp>
#include <csignal>
#include <iostream>
#include <map>
#include <memory>
#include <new>
#include <sstream>
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
)";

// Words filled into lines of at most width characters, as the rest of the help is.
std::string Wrap(const std::string& text, std::size_t width) {
    std::string out, line, word;
    std::istringstream words(text);
    while (words >> word) {
        if (!line.empty() && line.size() + 1 + word.size() > width) {
            out += line + '\n';
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
    }
    return out + line;
}

// The footer of the help: the examples and the exit statuses.
std::string HelpFooter() {
    const std::string statuses = rk7::DescribeExitStatuses(
        {{rk7::ExitSuccess, "success"},
         {rk7::ExitDiagnostics, "check found diagnostics, or diff found cells that differ"},
         {rk7::ExitUsage, "usage error"},
         {rk7::ExitNotPerformanceFile, "not a valid Performance File (nothing written)"},
         {rk7::ExitFileError, "a file could not be read or written, the roster folder was busy, "
                              "or memory ran out (nothing half-written: Teams.rk and Drivers.rk "
                              "are saved together or not at all)."}},
        "; ");
    return std::string(Examples) + "\n" + Wrap("Exit status: " + statuses, 96);
}

// What every subcommand shares: the roster folder, where output goes, and the exit status that
// the one subcommand run sets.
struct Shared {
    std::string dir = ".";
    rk7::Output io{std::cout, std::cerr};
    int status = rk7::ExitSuccess;
};

// One subcommand of rk7power-cli: it adds itself and its options to the program, and runs when
// it is the one named. The options live as long as the object.
class Subcommand {
public:
    virtual ~Subcommand() = default;
    virtual void AddTo(CLI::App& app, Shared& shared) = 0;
};

// The options that say how a Performance File is read.
struct ReadOptionWords {
    std::string dialect; // empty: the one the banner names
    std::string encoding = "auto";
    bool strict = false;

    void AddTo(CLI::App* command, bool dialect, bool strict) {
        if (dialect)
            command
                ->add_option("--dialect", this->dialect,
                             "Dialect the file must be in; default: the one its banner names")
                ->check(Words(Dialects));
        command
            ->add_option("--encoding", encoding,
                         "Encoding of the file: auto (Windows-1252, or UTF-8 after a byte-order "
                         "mark) or utf-8; default: auto")
            ->check(Words(Encodings));
        if (strict)
            command->add_flag("--strict", this->strict,
                              "Refuse a file that gives any diagnostic of a value not taken as "
                              "it stood (a notice, such as that the file looks like UTF-8, "
                              "refuses nothing); nothing is written");
    }
    rk7::ReadOptions Options() const {
        rk7::ReadOptions read;
        if (!dialect.empty())
            read.dialect = Dialects.at(dialect);
        read.encoding = Encodings.at(encoding);
        read.strict = strict;
        return read;
    }
};

class ExportSubcommand : public Subcommand {
    std::string m_dialect = "native";
    std::string m_file;

public:
    void AddTo(CLI::App& app, Shared& shared) override {
        auto* command = app.add_subcommand("export", "Write a Performance File from the roster");
        command->add_option("--dialect", m_dialect, "Dialect to write; default: native")
            ->check(Words(Dialects));
        command->add_option("FILE", m_file, "File to write; - for the standard output")->required();
        command->footer("Example: rk7power-cli export --dialect exchange rk7edit.txt");
        command->callback([this, &shared] {
            shared.status =
                rk7::ExportCommand(shared.dir, Dialects.at(m_dialect), m_file, shared.io);
        });
    }
};

class ImportSubcommand : public Subcommand {
    std::string m_file;
    ReadOptionWords m_read;

public:
    void AddTo(CLI::App& app, Shared& shared) override {
        auto* command = app.add_subcommand(
            "import", "Read a Performance File over the roster, then save Teams.rk and Drivers.rk");
        command->add_option("FILE", m_file, "Performance File to read")->required();
        m_read.AddTo(command, true, true);
        command->footer("Example: rk7power-cli --dir ~/rk7 import season.txt");
        command->callback([this, &shared] {
            shared.status = rk7::ImportCommand(shared.dir, m_file, m_read.Options(), shared.io);
        });
    }
};

class ConvertSubcommand : public Subcommand {
    std::string m_to;
    std::string m_in;
    std::string m_out;
    ReadOptionWords m_read;

public:
    void AddTo(CLI::App& app, Shared& shared) override {
        auto* command = app.add_subcommand(
            "convert", "Read IN over the roster and write OUT in the dialect given; saves nothing");
        command->add_option("--to", m_to, "Dialect to write")->check(Words(Dialects))->required();
        command->add_option("IN", m_in, "Performance File to read")->required();
        command->add_option("OUT", m_out, "Performance File to write; - for the standard output")
            ->required();
        m_read.AddTo(command, false, true);
        command->footer("Example: rk7power-cli convert --to exchange season.txt rk7edit.txt");
        command->callback([this, &shared] {
            shared.status = rk7::ConvertCommand(shared.dir, Dialects.at(m_to), m_in, m_out,
                                                m_read.Options(), shared.io);
        });
    }
};

class CheckSubcommand : public Subcommand {
    std::string m_file;
    ReadOptionWords m_read;

public:
    void AddTo(CLI::App& app, Shared& shared) override {
        auto* command = app.add_subcommand(
            "check", "Name the dialect of a Performance File and list every diagnostic as "
                     "FILE:LINE: message");
        command->add_option("FILE", m_file, "Performance File to check")->required();
        m_read.AddTo(command, false, false);
        command->footer("Example: rk7power-cli check rk7edit.txt");
        command->callback([this, &shared] {
            shared.status = rk7::CheckCommand(m_file, m_read.Options().encoding, shared.io);
        });
    }
};

class DiffSubcommand : public Subcommand {
    std::string m_file;
    std::string m_against;
    std::string m_format = "text";
    ReadOptionWords m_read;

public:
    void AddTo(CLI::App& app, Shared& shared) override {
        auto* command = app.add_subcommand(
            "diff", "List every cell that importing FILE, or the roster of another roster "
                    "folder, would change; writes nothing");
        auto* file =
            command->add_option("FILE", m_file, "Performance File to compare with the roster");
        auto* against = command
                            ->add_option("--against-dir", m_against,
                                         "Compare with the roster of the store files in this "
                                         "folder instead of with a file")
                            ->check(CLI::ExistingDirectory)
                            ->excludes(file);
        m_read.AddTo(command, true, false);
        command->get_option("--dialect")->excludes(against);
        command->get_option("--encoding")->excludes(against);
        command
            ->add_option("--format", m_format,
                         "Output format: text, or json (an array of objects with row, index, "
                         "name, field, now and file); default: text")
            ->check(Words(DiffFormats));
        command->footer(
            "Exit status: " +
            rk7::DescribeExitStatuses(
                {{rk7::ExitSuccess, "no cell differs"}, {rk7::ExitCellsDiffer, "some do"}}, ", ") +
            ", " + std::to_string(rk7::ExitNotPerformanceFile) + " and " +
            std::to_string(rk7::ExitFileError) +
            " as for import.\nExample: rk7power-cli --dir ~/rk7 diff season.txt");
        command->callback([this, &shared] {
            if (m_file.empty() && m_against.empty())
                throw CLI::RequiredError("FILE or --against-dir");
            shared.status = rk7::DiffCommand(shared.dir, m_file, m_against, m_read.Options(),
                                             DiffFormats.at(m_format), shared.io);
        });
    }
};

class ShowSubcommand : public Subcommand {
    std::string m_view = "all";
    std::string m_format = "text";

public:
    void AddTo(CLI::App& app, Shared& shared) override {
        auto* command = app.add_subcommand("show", "Print the roster as the views show it");
        command->add_option("--view", m_view, "View to print; default: all")->check(Words(Views));
        command
            ->add_option("--format", m_format,
                         "Output format; default: text. json always gives the whole roster")
            ->check(Words(Formats));
        command->footer("Example: rk7power-cli show --view teams --format csv");
        command->callback([this, &shared] {
            shared.status =
                rk7::ShowCommand(shared.dir, Views.at(m_view), Formats.at(m_format), shared.io);
        });
    }
};

class CalcSubcommand : public Subcommand {
    bool m_save = false;

public:
    void AddTo(CLI::App& app, Shared& shared) override {
        auto* command = app.add_subcommand(
            "calc", "Calculate every team and driver from its positions as in Auto Edit Mode and "
                    "print View All");
        command->add_flag("--save", m_save, "Write Teams.rk and Drivers.rk with the results");
        command->footer("Example: rk7power-cli calc --save");
        command->callback(
            [this, &shared] { shared.status = rk7::CalcCommand(shared.dir, m_save, shared.io); });
    }
};

// Help and version end with status 0 when they arrived; everything else is a usage error.
int ParseFailed(const CLI::App& app, const CLI::ParseError& error) {
    if (app.exit(error) != 0)
        return rk7::ExitUsage;
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "rk7power-cli: standard output: write failed\n";
        return rk7::ExitFileError;
    }
    return rk7::ExitSuccess;
}

int Run(int argc, char** argv) {
    CLI::App app{"Exchange, check, show and calculate the RK7 Power roster.", "rk7power-cli"};
    app.set_version_flag("--version", "rk7power-cli " RK7_VERSION "\n" RK7_LICENSE_NOTICE);
    app.require_subcommand(1);
    app.footer(HelpFooter());

    Shared shared;
    app.add_option("--dir", shared.dir,
                   "Roster folder: the folder of the store files (Teams.rk, Drivers.rk, "
                   "EPowers.rk, RanFail.rk), loaded over the built-in roster; default: the "
                   "current folder")
        ->check(CLI::ExistingDirectory);

    std::vector<std::unique_ptr<Subcommand>> subcommands;
    subcommands.push_back(std::make_unique<ExportSubcommand>());
    subcommands.push_back(std::make_unique<ImportSubcommand>());
    subcommands.push_back(std::make_unique<ConvertSubcommand>());
    subcommands.push_back(std::make_unique<CheckSubcommand>());
    subcommands.push_back(std::make_unique<DiffSubcommand>());
    subcommands.push_back(std::make_unique<ShowSubcommand>());
    subcommands.push_back(std::make_unique<CalcSubcommand>());
    for (const auto& subcommand : subcommands)
        subcommand->AddTo(app, shared);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return ParseFailed(app, error);
    }
    return shared.status;
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
