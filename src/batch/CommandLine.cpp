#include "batch/CommandLine.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <set>

#include "settings/uIni.h"

namespace tarvel {

namespace {

constexpr const char* kCommonOptions = R"(
  --user U          the log-on user; its upper-case form is the owner whose objects are read
  --database D      a dictionary snapshot file, or the Oracle database (ODBC data source or
                    TNS name)
  --password-stdin  read the password from the first line of standard input; without it the
                    password is asked for without echo on a terminal, and is empty otherwise
  --config FILE     read the settings from FILE, in config.ini's format, instead of config.ini;
                    options given on the command line win over it, and it is never written
  --timeout SECONDS how long the log-on and each statement wait for a database server before
                    failing, 60 unless given; 0 waits for ever
)";

constexpr const char* kListUsage =
    "Usage: tarvelgen list --user U --database D [--password-stdin] [--config FILE]\n"
    "\n"
    "Prints the package list, one entry per line, as the wizard shows it: \"Procedures outside\n"
    "packages\" first when the owner has such routines, then the packages by name.\n";

constexpr const char* kGenerateUsage =
    "Usage: tarvelgen generate --user U --database D --output DIR [--package NAME]... [--outside]\n"
    "                          [--max-string N] [--max-blob N] [--max-clob N] [--strict]\n"
    "                          [--check [--diff]] [--verbose] [--blocks | --no-blocks]\n"
    "                          [--password-stdin] [--config FILE]\n"
    "\n"
    "Writes uMyOracleDB.pas and one unit per package into DIR, created when missing. Without\n"
    "--package and --outside every entry of the package list is generated, as the wizard ticks\n"
    "them all. Units whose file already holds exactly their text are left untouched.\n";

constexpr const char* kGenerateOptions = R"(  --output DIR      the output folder
  --package NAME    a package, exactly as listed; repeat it for more, in the order wanted
  --outside         the procedures outside packages (they come first)
)";

constexpr const char* kGenerateFlags =
    R"(  --strict          exit with status 3 when a routine could not be read and was left out
  --check           write nothing: print "differs: FILE" or "missing: FILE" for each unit
                    whose file in DIR does not hold exactly its text, and "stale: FILE" for a
                    unit file in DIR that this run would not write, and exit with status 4
                    when there is one
  --diff            with --check, a unified diff of each unit that differs
  --verbose         list each identifier whose Pascal name had to change, as
                    uUnit: DbName -> Name
  --blocks          call routines with PL/SQL BOOLEAN, record or object arguments through
                    anonymous PL/SQL blocks, as config.ini's [CALLS] BLOCKS=1 does
  --no-blocks       leave them as config.ini's [CALLS] BLOCKS is not 1 does

Diagnostic option:
  --statement-log FILE  record each dictionary statement on a line of FILE, which must not
                        exist yet (the benchmark replays them)
)";

constexpr const char* kSnapshotUsage =
    "Usage: tarvelgen snapshot --user U --database D --output FILE [--password-stdin]\n"
    "                          [--config FILE]\n"
    "\n"
    "Copies the owner's rows of dba_objects (packages, procedures, functions), all_arguments\n"
    "and all_procedures into FILE, a new dictionary snapshot that --database accepts. FILE is\n"
    "replaced only once the snapshot is complete.\n";

constexpr const char* kSnapshotOptions = R"(  --output FILE     the snapshot file to write
)";

constexpr const char* kProgramUsage =
    "Usage: tarvelgen                (opens the wizard)\n"
    "       tarvelgen list     --user U --database D [--password-stdin] [--config FILE]\n"
    "       tarvelgen generate --user U --database D --output DIR [--package NAME]... "
    "[--outside]\n"
    "                          [--max-string N] [--max-blob N] [--max-clob N] [--strict]\n"
    "                          [--check [--diff]] [--verbose] [--blocks | --no-blocks]\n"
    "                          [--password-stdin] [--config FILE]\n"
    "       tarvelgen snapshot --user U --database D --output FILE [--password-stdin]\n"
    "                          [--config FILE]\n"
    "       tarvelgen --help | --version\n"
    "       tarvelgen COMMAND --help\n"
    "\n"
    "Commands:\n"
    "  list      print the package list, one entry per line\n"
    "  generate  write the Delphi units into a folder\n"
    "  snapshot  copy the owner's dictionary rows into a new snapshot file\n"
    "\n"
    "The password is never an argument: --password-stdin reads it from standard input;\n"
    "without it the commands ask for it without echo on a terminal, and use an empty one\n"
    "otherwise. The commands read the AVAR and DVAR type additions from config.ini, or the\n"
    "settings of --config FILE instead, and never write either; config.ini lies ";

constexpr const char* kExitStatus =
    "\n"
    "Exit status: 0 success, 1 failure, 2 usage error, 3 a routine left out under --strict,\n"
    "4 a unit missing or different under --check. The stronger failure wins: 1 over 4 over 3.\n";

std::string SizeOptions() {
  const std::string string = std::to_string(kDefaultStringSize);
  const std::string lob = std::to_string(kDefaultLobSize);
  return "  --max-string N    MAX_STRING_SIZE, " + string + " unless given\n" +
         "  --max-blob N      MAX_BLOB_SIZE, " + lob + " unless given\n" +
         "  --max-clob N      MAX_CLOB_SIZE, " + lob + " unless given\n";
}

std::optional<BatchCommand> CommandNamed(const std::string& word) {
  if (word == "list") return BatchCommand::kList;
  if (word == "generate") return BatchCommand::kGenerate;
  if (word == "snapshot") return BatchCommand::kSnapshot;
  return std::nullopt;
}

struct Option {
  const char* name;
  bool takesValue;
  bool repeatable;
  std::function<void(CommandLine&, const std::string&)> apply;
};

auto Set(std::string CommandLine::*field) {
  return [field](CommandLine& line, const std::string& value) { line.*field = value; };
}

auto Flag(bool CommandLine::*field) {
  return [field](CommandLine& line, const std::string&) { line.*field = true; };
}

// --blocks and --no-blocks: whichever comes second contradicts the first.
auto CallsThroughBlocks(bool on) {
  return [on](CommandLine& line, const std::string&) {
    if (line.callsThroughBlocks.has_value()) {
      throw UsageError("options --blocks and --no-blocks exclude each other", line.command);
    }
    line.callsThroughBlocks = on;
  };
}

// Whole seconds, digits only: a server's wait has no sign and no fraction.
void SetServerWait(CommandLine& line, const std::string& value) {
  const bool digits =
      !value.empty() && value.size() <= 9 &&
      std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
  if (!digits) throw UsageError("option --timeout needs a whole number of seconds", line.command);
  line.serverWait = std::chrono::seconds(std::stoi(value));
}

void AddPackage(CommandLine& line, const std::string& name) {
  if (std::find(line.packages.begin(), line.packages.end(), name) != line.packages.end()) {
    throw UsageError("package " + name + " given twice", line.command);
  }
  line.packages.push_back(name);
}

std::vector<Option> OptionsOf(BatchCommand command) {
  std::vector<Option> options{
      {"--help", false, true, Flag(&CommandLine::help)},
      {"--user", true, false, Set(&CommandLine::user)},
      {"--database", true, false, Set(&CommandLine::database)},
      {"--password-stdin", false, false, Flag(&CommandLine::passwordFromStdin)},
      {"--config", true, false, Set(&CommandLine::config)},
      {"--timeout", true, false, SetServerWait},
  };
  if (command == BatchCommand::kList) return options;
  options.push_back({"--output", true, false, Set(&CommandLine::output)});
  if (command == BatchCommand::kSnapshot) return options;
  options.push_back({"--package", true, true, AddPackage});
  options.push_back({"--outside", false, false, Flag(&CommandLine::outside)});
  options.push_back({"--max-string", true, false, Set(&CommandLine::maxStringSize)});
  options.push_back({"--max-blob", true, false, Set(&CommandLine::maxBlobSize)});
  options.push_back({"--max-clob", true, false, Set(&CommandLine::maxClobSize)});
  options.push_back({"--strict", false, false, Flag(&CommandLine::strict)});
  options.push_back({"--check", false, false, Flag(&CommandLine::check)});
  options.push_back({"--diff", false, false, Flag(&CommandLine::diff)});
  options.push_back({"--verbose", false, false, Flag(&CommandLine::verbose)});
  options.push_back({"--blocks", false, false, CallsThroughBlocks(true)});
  options.push_back({"--no-blocks", false, false, CallsThroughBlocks(false)});
  options.push_back({"--statement-log", true, false, Set(&CommandLine::statementLog)});
  options.push_back({"--read-per-routine", false, false, Flag(&CommandLine::readPerRoutine)});
  return options;
}

void RequireOption(const CommandLine& line, const std::string& value, const char* name,
                   const std::string& settingsFile, const char* setting) {
  if (!value.empty()) return;
  std::string message = std::string("missing option ") + name;
  if (!settingsFile.empty()) message += " (" + settingsFile + " gives no " + setting + ")";
  throw UsageError(message, line.command);
}

CommandLine ParseCommandOptions(BatchCommand command, const std::vector<std::string>& arguments) {
  CommandLine line;
  line.command = command;
  line.arguments = arguments;
  const std::vector<Option> options = OptionsOf(command);
  std::set<std::string>& given = line.given;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const std::size_t equals = argument.find('=');
    const std::string name = argument.substr(0, equals);
    const auto option = std::find_if(options.begin(), options.end(),
                                     [&](const Option& o) { return name == o.name; });
    if (option == options.end()) {
      throw UsageError(
          argument.starts_with("-") ? "unknown option " + name : "unexpected argument " + argument,
          command);
    }
    // A repeated single-valued option is refused rather than letting the last one win unseen.
    if (!given.insert(name).second && !option->repeatable) {
      throw UsageError("option " + name + " given twice", command);
    }
    std::string value;
    if (equals != std::string::npos) {
      if (!option->takesValue) throw UsageError("option " + name + " takes no value", command);
      value = argument.substr(equals + 1);
    } else if (option->takesValue) {
      if (i + 1 == arguments.size()) throw UsageError("option " + name + " needs a value", command);
      value = arguments[++i];
    }
    option->apply(line, value);
  }
  if (line.help) return line;
  if (line.diff && !line.check) throw UsageError("--diff needs --check", command);
  if (line.config.empty()) RequireOptions(line, "");
  return line;
}

}  // namespace

void RequireOptions(const CommandLine& line, const std::string& settingsFile) {
  RequireOption(line, line.user, "--user", settingsFile, "[DB] USER");
  RequireOption(line, line.database, "--database", settingsFile, "[DB] SRV");
  if (line.command == BatchCommand::kGenerate) {
    RequireOption(line, line.output, "--output", settingsFile, "[FILES] PATH");
  } else if (line.command == BatchCommand::kSnapshot) {
    RequireOption(line, line.output, "--output", "", "");
  }
}

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  if (arguments.empty()) throw UsageError("no command given", BatchCommand::kNone);
  const std::string& first = arguments.front();
  if (const auto command = CommandNamed(first)) return ParseCommandOptions(*command, arguments);

  CommandLine line;
  if (first == "--help" || first == "-h") {
    line.help = true;
  } else if (first == "--version") {
    line.version = true;
  } else {
    throw UsageError(
        first.starts_with("-") ? "unknown option " + first : "unknown command " + first,
        BatchCommand::kNone);
  }
  if (arguments.size() > 1) {
    throw UsageError("unexpected argument " + arguments[1], BatchCommand::kNone);
  }
  return line;
}

std::string UsageText(BatchCommand command) {
  switch (command) {
    case BatchCommand::kList:
      return std::string(kListUsage) + "\nOptions:" + kCommonOptions;
    case BatchCommand::kGenerate:
      return std::string(kGenerateUsage) + "\nOptions:" + kCommonOptions + kGenerateOptions +
             SizeOptions() + kGenerateFlags + kExitStatus;
    case BatchCommand::kSnapshot:
      return std::string(kSnapshotUsage) + "\nOptions:" + kCommonOptions + kSnapshotOptions;
    case BatchCommand::kNone:
      break;
  }
  return std::string(kProgramUsage) + kIniFilePlace + ".\n" + kExitStatus;
}

std::string VersionText() {
  return std::string("tarvelgen ") + TARVEL_VERSION + "\n";
}

}  // namespace tarvel
