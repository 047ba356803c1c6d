#include "batch/RunCommandLine.h"

#include <QCoreApplication>
#include <cstdio>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "batch/BatchCommands.h"
#include "batch/CommandLine.h"
#include "batch/ProjectSettings.h"
#include "common/Text.h"

namespace tarvel {

namespace {

// One line that stays on the screen, rather than the usage text scrolling it away.
int ReportUsageError(const UsageError& error) {
  std::cerr << "tarvelgen: " << ShownOnTerminal(error.what()) << "\n"
            << "Run 'tarvelgen --help' for usage.\n";
  return kExitUsageError;
}

int RunCommand(CommandLine& line) {
  CompleteCommandLine(line);
  switch (line.command) {
    case BatchCommand::kList:
      return RunListCommand(line);
    case BatchCommand::kGenerate:
      return RunGenerateCommand(line);
    case BatchCommand::kSnapshot:
      return RunSnapshotCommand(line);
    case BatchCommand::kNone:
      break;
  }
  return kExitUsageError;
}

// Messages go out as the system raises them, after the program's name, without the error box's
// full stop, and with control bytes shown.
int RunArguments(const std::vector<std::string>& arguments) {
  try {
    CommandLine line = ParseCommandLine(arguments);
    if (line.help) {
      std::cout << UsageText(line.command);
      return kExitSuccess;
    }
    if (line.version) {
      std::cout << VersionText();
      return kExitSuccess;
    }
    return RunCommand(line);
  } catch (const UsageError& error) {
    return ReportUsageError(error);
  } catch (const std::exception& error) {
    std::cout.flush();
    std::cerr << "tarvelgen: " << ShownOnTerminal(error.what()) << '\n';
    return kExitFailure;
  }
}

}  // namespace

std::optional<int> RunCommandLine(int argc, char** argv) {
  if (argc <= 1) return std::nullopt;
  QCoreApplication application(argc, argv);
  return RunArguments(std::vector<std::string>(argv + 1, argv + argc));
}

}  // namespace tarvel
