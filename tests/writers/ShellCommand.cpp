#include "ShellCommand.h"

#include <sys/wait.h>

#include <cstdio>

namespace tarvel {

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

CommandResult RunShellCommand(const std::string& command) {
  CommandResult result;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return {false, "cannot run: " + command};
  char buffer[4096];
  while (std::size_t read = std::fread(buffer, 1, sizeof buffer, pipe)) {
    result.Output.append(buffer, read);
  }
  const int status = pclose(pipe);
  result.Succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return result;
}

}  // namespace tarvel
