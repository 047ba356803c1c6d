#pragma once

#include <string>

namespace tarvel {

// With fromStdin: the first line of standard input, without its line end. Otherwise, when
// standard input is a terminal, a prompt on standard error answered without echo; else empty.
std::string ReadPassword(bool fromStdin);

}  // namespace tarvel
