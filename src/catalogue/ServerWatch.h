#pragma once

#include <sys/types.h>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tarvel {

// Bounds every wait on a database server. A driver blocked on a server that stopped answering
// cannot be asked to stop, whatever its attributes say; shutting down the sockets it opened to
// that server wakes it, and its call fails. The watch then tells the caller that it was the wait
// that ran out.
class ServerWatch {
 public:
  // No limit when zero.
  explicit ServerWatch(std::chrono::seconds limit);
  ~ServerWatch();
  ServerWatch(const ServerWatch&) = delete;
  ServerWatch& operator=(const ServerWatch&) = delete;

  // The log-on: the sockets opened during it are the connection's. Returns whether the wait ran
  // out; the call's own failure, if any, is then beside the point.
  bool logOn(const std::function<void()>& call);
  // One call to the server over the connection made by logOn.
  bool call(const std::function<void()>& call);

  std::chrono::seconds limit() const { return limit_; }

 private:
  // A socket by its descriptor and its inode, so that a descriptor reused meanwhile for another
  // socket is never shut down.
  struct Socket {
    int descriptor;
    ino_t inode;
    bool operator==(const Socket&) const = default;
  };
  static std::vector<Socket> OpenSockets();
  std::vector<Socket> socketsSinceLogOn() const;

  bool watched(const std::function<void()>& call);
  void watch();
  void shutDownConnection();

  const std::chrono::seconds limit_;
  // When the running call began, in steady-clock ticks; 0 while none runs, and a mark of its own
  // once the watcher has ended the wait, which the call finds when it returns.
  std::atomic<std::int64_t> callStarted_{0};
  std::mutex mutex_;  // guards what follows
  std::condition_variable stopped_;
  bool stopping_ = false;
  bool loggingOn_ = false;
  std::vector<Socket> before_;      // the sockets open when the log-on began
  std::vector<Socket> connection_;  // those the log-on opened
  std::thread watcher_;
};

}  // namespace tarvel
