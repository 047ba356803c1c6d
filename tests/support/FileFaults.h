#pragma once

#include <functional>
#include <string>

namespace tarvel::testing {

// Runs `action` in a child process whose files may not grow past `maxFileBytes`, with SIGXFSZ
// ignored, so that writes fail as on a full disk (root cannot bypass it). Returns the message of
// the TarvelError the action threw, or "" when it threw nothing.
std::string FailureMessageWithFileSizeLimit(long maxFileBytes, const std::function<void()>& action);

// The same, in a child process that runs as the user "nobody" when started as root, so that
// file modes hold as for any user.
std::string FailureMessageAsUnprivilegedUser(const std::function<void()>& action);

// The same, in a child process ended after `seconds` (with "" as its message) should the action
// hang.
std::string FailureMessageWithTimeLimit(unsigned seconds, const std::function<void()>& action);

}  // namespace tarvel::testing
