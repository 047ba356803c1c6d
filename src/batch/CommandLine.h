#pragma once

#include <chrono>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "settings/Settings.h"

namespace tarvel {

enum class BatchCommand { kNone, kList, kGenerate, kSnapshot };

// What the words after the program name ask for.
struct CommandLine {
  BatchCommand command = BatchCommand::kNone;
  std::vector<std::string> arguments;  // the words after the program name, as given
  std::set<std::string> given;         // the options given, such as "--user"
  std::string config;    // a project settings file read in place of config.ini; never written
  bool help = false;     // the usage text of the command, or of the program without one
  bool version = false;  // only without a command
  std::string user;
  std::string database;
  std::string output;  // a folder for generate, a file for snapshot
  bool passwordFromStdin = false;
  // How long the log-on and each statement wait for a server; none: the connection's own default.
  std::optional<std::chrono::seconds> serverWait;
  std::vector<std::string> packages;  // in the order given
  bool outside = false;
  std::string maxStringSize = std::to_string(kDefaultStringSize);
  std::string maxBlobSize = std::to_string(kDefaultLobSize);
  std::string maxClobSize = std::to_string(kDefaultLobSize);
  bool strict = false;
  bool check = false;    // compare the units with the output folder's files and write nothing
  bool diff = false;     // with check: a unified diff of each unit that differs
  bool verbose = false;  // generate lists each Pascal name it changed
  bool readPerRoutine = false;  // a diagnosis: a server read one statement per routine
  std::string statementLog;  // where generate records each dictionary statement, for the benchmark
  // --blocks or --no-blocks; without either, config.ini decides.
  std::optional<bool> callsThroughBlocks;
};

// A command line that makes no sense; the program prints the message and where usage is told.
class UsageError : public std::runtime_error {
 public:
  UsageError(const std::string& message, BatchCommand command)
      : std::runtime_error(message), command_(command) {}
  BatchCommand command() const { return command_; }

 private:
  BatchCommand command_;
};

// The arguments after the program name; fails with UsageError. An option that --config may give
// instead is required only without --config.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// Fails with UsageError when an option the command needs has no value; `settingsFile` names
// where else it could have come from, if anywhere.
void RequireOptions(const CommandLine& line, const std::string& settingsFile);

// kNone gives the program's usage, which lists every command.
std::string UsageText(BatchCommand command);
std::string VersionText();

}  // namespace tarvel
