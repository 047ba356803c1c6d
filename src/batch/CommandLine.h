#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "settings/Settings.h"

namespace tarvel {

enum class BatchCommand { kNone, kList, kGenerate, kSnapshot };

// What the words after the program name ask for.
struct CommandLine {
  BatchCommand command = BatchCommand::kNone;
  bool help = false;     // the usage text of the command, or of the program without one
  bool version = false;  // only without a command
  std::string user;
  std::string database;
  std::string output;  // a folder for generate, a file for snapshot
  bool passwordFromStdin = false;
  std::vector<std::string> packages;  // in the order given
  bool outside = false;
  std::string maxStringSize = std::to_string(kDefaultStringSize);
  std::string maxBlobSize = std::to_string(kDefaultLobSize);
  std::string maxClobSize = std::to_string(kDefaultLobSize);
  bool strict = false;
  bool check = false;    // compare the units with the output folder's files and write nothing
  bool verbose = false;  // generate lists each Pascal name it changed
  bool readPerRoutine = false;  // a diagnosis: a server read one statement per routine
  std::string statementLog;  // where generate records each dictionary statement, for the benchmark
  // --blocks or --no-blocks; without either, config.ini decides.
  std::optional<bool> callsThroughBlocks;
};

// A command line that makes no sense; the program prints the message and the command's usage.
class UsageError : public std::runtime_error {
 public:
  UsageError(const std::string& message, BatchCommand command)
      : std::runtime_error(message), command_(command) {}
  BatchCommand command() const { return command_; }

 private:
  BatchCommand command_;
};

// The arguments after the program name; fails with UsageError.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// kNone gives the program's usage, which lists every command.
std::string UsageText(BatchCommand command);
std::string VersionText();

}  // namespace tarvel
