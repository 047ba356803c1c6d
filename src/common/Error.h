#pragma once

#include <stdexcept>
#include <string>

namespace tarvel {

// The one failure type of the system: it carries the system's own message text, verbatim.
class TarvelError : public std::runtime_error {
 public:
  explicit TarvelError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace tarvel
