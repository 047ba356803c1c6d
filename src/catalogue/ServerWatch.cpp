#include "catalogue/ServerWatch.h"

#include <dirent.h>
#include <sys/socket.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <exception>

namespace tarvel {
namespace {

// How often the watcher looks at the running call: the wait may last this much longer than the
// limit, and a watch costs no work on the calls themselves.
constexpr std::chrono::milliseconds kLookEvery{250};

// What callStarted_ holds once the wait of the running call has run out.
constexpr std::int64_t kRanOut = -1;

std::int64_t Now() {
  return std::chrono::steady_clock::now().time_since_epoch().count();
}

}  // namespace

ServerWatch::ServerWatch(std::chrono::seconds limit) : limit_(limit) {
  if (limit_.count() > 0) watcher_ = std::thread([this] { watch(); });
}

ServerWatch::~ServerWatch() {
  if (!watcher_.joinable()) return;
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  stopped_.notify_all();
  watcher_.join();
}

std::vector<ServerWatch::Socket> ServerWatch::OpenSockets() {
  std::vector<Socket> sockets;
  DIR* folder = opendir("/proc/self/fd");
  if (folder == nullptr) return sockets;
  while (const dirent* entry = readdir(folder)) {
    char* end = nullptr;
    const long descriptor = std::strtol(entry->d_name, &end, 10);
    struct stat status {};
    if (end != entry->d_name && *end == '\0' && fstat(static_cast<int>(descriptor), &status) == 0 &&
        S_ISSOCK(status.st_mode)) {
      sockets.push_back({static_cast<int>(descriptor), status.st_ino});
    }
  }
  closedir(folder);
  return sockets;
}

std::vector<ServerWatch::Socket> ServerWatch::socketsSinceLogOn() const {
  std::vector<Socket> opened;
  for (const Socket& socket : OpenSockets()) {
    if (std::find(before_.begin(), before_.end(), socket) == before_.end()) {
      opened.push_back(socket);
    }
  }
  return opened;
}

bool ServerWatch::logOn(const std::function<void()>& call) {
  {
    const std::lock_guard lock(mutex_);
    before_ = OpenSockets();
    loggingOn_ = true;
  }
  const bool ranOut = watched(call);
  const std::lock_guard lock(mutex_);
  connection_ = socketsSinceLogOn();
  loggingOn_ = false;
  return ranOut;
}

bool ServerWatch::call(const std::function<void()>& call) {
  return watched(call);
}

// The call's own failure passes on unless the wait ran out, which the caller reports instead.
bool ServerWatch::watched(const std::function<void()>& call) {
  if (!watcher_.joinable()) {
    call();
    return false;
  }
  callStarted_.store(Now());
  std::exception_ptr failure;
  try {
    call();
  } catch (...) {
    failure = std::current_exception();
  }
  const bool ranOut = callStarted_.exchange(0) == kRanOut;
  if (failure && !ranOut) std::rethrow_exception(failure);
  return ranOut;
}

void ServerWatch::watch() {
  const std::int64_t limit =
      std::chrono::duration_cast<std::chrono::steady_clock::duration>(limit_).count();
  std::unique_lock lock(mutex_);
  while (!stopped_.wait_for(lock, kLookEvery, [this] { return stopping_; })) {
    // Until the call returns: a driver may try again on a new socket.
    std::int64_t started = callStarted_.load();
    if (started == kRanOut || (started > 0 && Now() - started >= limit &&
                               callStarted_.compare_exchange_strong(started, kRanOut))) {
      shutDownConnection();
    }
  }
}

// During the log-on the connection's sockets are those opened since it began.
void ServerWatch::shutDownConnection() {
  for (const Socket& socket : loggingOn_ ? socketsSinceLogOn() : connection_) {
    struct stat status {};
    if (fstat(socket.descriptor, &status) == 0 && status.st_ino == socket.inode) {
      shutdown(socket.descriptor, SHUT_RDWR);
    }
  }
}

}  // namespace tarvel
