#pragma once

#include <unistd.h>

#include <string>

#include "common/Text.h"

namespace tarvel {

// A dictionary name as printed on standard output: a script gets it as it is, a terminal sees
// its control bytes shown.
inline std::string ShownOnStandardOutput(const std::string& text) {
  return isatty(STDOUT_FILENO) != 0 ? ShownOnTerminal(text) : text;
}

}  // namespace tarvel
