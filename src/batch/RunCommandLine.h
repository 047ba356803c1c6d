#pragma once

#include <optional>

namespace tarvel {

// Started with arguments, the program runs the batch command they name without a window and
// returns its exit status; without arguments this returns nothing and the wizard opens.
std::optional<int> RunCommandLine(int argc, char** argv);

}  // namespace tarvel
