#pragma once

#include <string>

namespace tarvel {

struct CommandResult {
  bool Succeeded = false;
  std::string Output;  // standard output and standard error together
};

std::string ShellQuoted(const std::string& text);
CommandResult RunShellCommand(const std::string& command);

}  // namespace tarvel
