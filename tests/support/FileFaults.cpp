#include "FileFaults.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "common/Error.h"

namespace tarvel::testing {

namespace {

// Runs the action in a child process after `prepare`, and returns what it failed with.
std::string FailureMessageInChild(const std::function<void()>& prepare,
                                  const std::function<void()>& action) {
  int channel[2];
  if (pipe(channel) != 0) return "pipe failed";
  const pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    prepare();
    std::string message;
    try {
      action();
    } catch (const TarvelError& error) {
      message = error.what();
    }
    const ssize_t sent = write(channel[1], message.data(), message.size());
    _exit(sent == static_cast<ssize_t>(message.size()) ? 0 : 1);
  }
  close(channel[1]);
  std::string message;
  char buffer[512];
  for (ssize_t got; (got = read(channel[0], buffer, sizeof buffer)) > 0;)
    message.append(buffer, got);
  close(channel[0]);
  int status = 0;
  waitpid(child, &status, 0);
  return message;
}

}  // namespace

std::string FailureMessageWithFileSizeLimit(long maxFileBytes,
                                            const std::function<void()>& action) {
  const auto limitFiles = [maxFileBytes] {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{static_cast<rlim_t>(maxFileBytes), static_cast<rlim_t>(maxFileBytes)};
    setrlimit(RLIMIT_FSIZE, &limit);
  };
  return FailureMessageInChild(limitFiles, action);
}

std::string FailureMessageAsUnprivilegedUser(const std::function<void()>& action) {
  const auto dropPrivileges = [] {
    constexpr uid_t kNobody = 65534;
    if (geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) _exit(1);
  };
  return FailureMessageInChild(dropPrivileges, action);
}

std::string FailureMessageWithTimeLimit(unsigned seconds, const std::function<void()>& action) {
  return FailureMessageInChild([seconds] { alarm(seconds); }, action);
}

}  // namespace tarvel::testing
