#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <set>
#include <string_view>

#include "batch/BatchCommands.h"
#include "batch/BatchRunListener.h"
#include "batch/ProjectSettings.h"
#include "batch/StandardOutput.h"
#include "common/Error.h"
#include "common/Paths.h"
#include "common/QtText.h"
#include "run/GenerationRun.h"
#include "run/StaleUnits.h"
#include "settings/Settings.h"
#include "settings/uIni.h"

namespace tarvel {

namespace {

constexpr const char* kServerStatementMark = "-- sent to the server: ";

// Oracle names are upper case unless quoted, so a package typed in lower case is the likely slip.
UsageError UnknownPackage(const std::vector<PackageEntry>& entries, const CommandLine& line,
                          const std::string& package) {
  std::string alike;
  for (const PackageEntry& entry : entries) {
    if (entry.kind != kPackageEntry || !EqualsIgnoringAsciiCase(entry.caption, package)) continue;
    alike += (alike.empty() ? "" : " or ") + entry.caption;
  }
  std::string message = "unknown package " + package;
  if (!alike.empty()) message += "; did you mean " + alike + "?";
  return UsageError(message, line.command);
}

// Every entry in list order, as the wizard ticks them all; or the routines outside packages
// (when asked for) and then the packages named, in the order given, each looked up by its name.
std::vector<std::string> SelectNames(DictionaryConnection& connection, const CommandLine& line) {
  std::vector<std::string> names;
  if (line.packages.empty() && !line.outside) {
    for (const PackageEntry& entry : LogOnAndListPackages(connection, line)) {
      names.push_back(entry.kind == kOutsidePackagesEntry ? std::string() : entry.caption);
    }
    return names;
  }
  LogOnAsGiven(connection, line);
  if (line.outside) {
    if (!HasRoutinesOutsidePackages(connection, line.user)) {
      throw UsageError("--outside: the owner has no procedures outside packages", line.command);
    }
    names.emplace_back();
  }
  const std::set<std::string> packages = FindPackages(connection, line.user, line.packages);
  for (const std::string& package : line.packages) {
    // Only a name not found lists the schema, to suggest one that differs in letter case alone.
    if (packages.count(package) == 0) {
      throw UnknownPackage(ListedPackages(connection, line.user), line, package);
    }
    names.push_back(package);
  }
  return names;
}

// Unit paths are printed as the folder was given: "src/db/" names "src/db/uHrApi.pas".
std::string FolderAsGiven(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

void CreateOutputFolder(const std::string& folder) {
  if (const int error = CreateFolderWithParents(folder)) {
    throw TarvelError("Unable to create directory " + folder + ": " + std::strerror(error));
  }
}

// A check compares with what is there: a regular file where the folder should be is a failure.
void CheckOutputFolder(const std::string& folder) {
  struct stat info {};
  if (::stat(folder.c_str(), &info) == 0 && !S_ISDIR(info.st_mode)) {
    throw TarvelError(folder + " is not a folder");
  }
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using StatementLog = std::unique_ptr<std::FILE, FileCloser>;

// A statement on one line: a name holding a line break is written with it as "\x0A" or "\x0D".
void WriteStatementLine(std::FILE* file, std::string_view statement) {
  for (char c : statement) {
    if (c == '\n') {
      std::fputs("\\x0A", file);
    } else if (c == '\r') {
      std::fputs("\\x0D", file);
    } else {
      std::fputc(c, file);
    }
  }
  std::fputc('\n', file);
}

// Records each dictionary statement on a line of its own, so that the benchmark can replay the
// run's exact statement sequence; those sent to a server are SQL comments, which a replay skips.
// The file must be new: a mistyped name would otherwise lose a file of the user's (the snapshot
// itself, say).
StatementLog OpenStatementLog(DictionaryConnection& connection, const std::string& path) {
  StatementLog log(std::fopen(path.c_str(), "wbx"));
  if (!log) throw TarvelError("Unable to write to " + path + ": " + std::strerror(errno));
  connection.setStatementObserver([file = log.get()](const std::string& statement, bool toServer) {
    if (toServer) std::fputs(kServerStatementMark, file);
    WriteStatementLine(file, statement);
  });
  return log;
}

// One line counts the identifiers renamed; only --verbose names each of them.
void PrintNameChanges(const std::vector<PascalNameChange>& changes, bool verbose) {
  if (changes.empty()) return;
  std::cout << "Pascal names changed: " << changes.size() << (verbose ? "" : " (see --verbose)")
            << '\n';
  if (!verbose) return;
  for (const PascalNameChange& change : changes) {
    std::cout << change.UnitName.str() << ": " << ShownOnStandardOutput(change.DbName) << " -> "
              << change.Name.str() << '\n';
  }
}

// Once per run: where a data type is added, and where sample additions lie.
void PrintTypeHint(const CommandLine& line) {
  std::cerr << "tarvelgen: hint: " << SettingsFileOf(line)
            << " adds a data type: [AVAR] gives its ADO field type, [DVAR] its Delphi type; "
            << SampleTypeAdditionsPath() << " holds sample additions\n";
}

// A word as a shell reads it back: quoted unless it is made of plain characters only.
std::string ShellWord(const std::string& word) {
  const bool plain = !word.empty() && std::all_of(word.begin(), word.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || std::strchr("-_./=:,+@%", c) != nullptr;
  });
  if (plain) return word;
  std::string quoted = "'";
  for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// The command that brings the folder up to date: this one without --check and --diff.
std::string UpdateCommand(const CommandLine& line) {
  std::string command = "tarvelgen";
  for (const std::string& word : line.arguments) {
    if (word == "--check" || word == "--diff") continue;
    command += ' ';
    command += ShellWord(word);
  }
  return command;
}

// The stale files, then one line with the counts and what to run, the command last so that it
// can be copied whole.
void PrintCheckSummary(const CommandLine& line, const std::string& folder,
                       const BatchRunListener& listener, const std::vector<std::string>& stale) {
  for (const std::string& name : stale) {
    std::cout << "stale: " << ShownOnStandardOutput(folder + "/" + name) << '\n';
  }
  if (listener.unitsDiffering() + listener.unitsMissing() + stale.size() == 0) return;
  std::cout << "Units differing: " << listener.unitsDiffering()
            << ", missing: " << listener.unitsMissing() << ", stale: " << stale.size() << ". "
            << (stale.empty() ? "To update them, run: "
                              : "Delete the stale files; to update the others, run: ")
            << ShownOnStandardOutput(UpdateCommand(line)) << '\n';
}

}  // namespace

int RunGenerateCommand(const CommandLine& line) {
  // Read before logging on: an unreadable file fails the command before anything is asked.
  const StoredSettings settings = LoadSettings(SettingsFileOf(line));
  DictionaryConnection connection;
  StatementLog statementLog;
  if (!line.statementLog.empty()) statementLog = OpenStatementLog(connection, line.statementLog);

  GenerationRequest request;
  request.user = line.user;
  request.names = SelectNames(connection, line);
  request.maxStringSize = line.maxStringSize;
  request.maxBlobSize = line.maxBlobSize;
  request.maxClobSize = line.maxClobSize;
  request.folder = FolderAsGiven(line.output);
  request.typeAdditions = settings.typeAdditions;
  request.callsThroughBlocks = line.callsThroughBlocks.value_or(settings.callsThroughBlocks);
  request.compareOnly = line.check;
  request.readPerRoutine = line.readPerRoutine;
  if (line.check) {
    CheckOutputFolder(request.folder);
  } else {
    CreateOutputFolder(request.folder);
  }

  BatchRunListener listener(request.names.size(), isatty(STDERR_FILENO) != 0, line.diff);
  RunGeneration(connection, request, listener);
  std::vector<std::string> stale;
  if (line.check) stale = StaleUnitFiles(request.folder, listener.unitFileNames());
  listener.endProgress();
  if (listener.typeNotSupported()) PrintTypeHint(line);
  // A check has printed its findings, one line per unit, as they came.
  if (line.check) {
    PrintCheckSummary(line, request.folder, listener, stale);
  } else {
    std::cout << "Units written: " << listener.unitsWritten()
              << ", unchanged: " << listener.unitsUnchanged();
    if (listener.routinesLeftOut() > 0) {
      std::cout << ", routines left out: " << listener.routinesLeftOut();
    }
    std::cout << '\n';
    PrintNameChanges(listener.nameChanges(), line.verbose);
  }
  if (statementLog && (std::fflush(statementLog.get()) != 0 || std::ferror(statementLog.get()))) {
    throw TarvelError("Unable to write to " + line.statementLog + ": " + std::strerror(errno));
  }
  if (listener.unitsDiffering() + listener.unitsMissing() + stale.size() > 0) {
    return kExitUnitsDiffer;
  }
  return line.strict && listener.routinesLeftOut() > 0 ? kExitRoutinesLeftOut : kExitSuccess;
}

}  // namespace tarvel
