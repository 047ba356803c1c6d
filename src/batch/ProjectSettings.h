#pragma once

#include <string>

#include "batch/CommandLine.h"

namespace tarvel {

// Where the command's settings come from: the file of --config, or else config.ini.
std::string SettingsFileOf(const CommandLine& line);

// Fills in what the command line leaves open from the file of --config (user, database, output
// folder, sizes and ticked packages), then checks that the command has what it needs and that
// its sizes read as the wizard's do. Fails with UsageError; a --config file that is missing or
// cannot be read fails with "Cannot read <path>: <reason>".
void CompleteCommandLine(CommandLine& line);

}  // namespace tarvel
