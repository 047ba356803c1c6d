#pragma once

#include <atomic>
#include <string>
#include <thread>

namespace tarvel::testing {

// A server that stops answering: a TCP proxy on a free loopback port that forwards to a server
// until it stalls, and from then on keeps every connection open and passes nothing either way,
// accepting new connections without ever answering them.
class StallingProxy {
 public:
  explicit StallingProxy(int serverPort);
  ~StallingProxy();
  StallingProxy(const StallingProxy&) = delete;
  StallingProxy& operator=(const StallingProxy&) = delete;

  int port() const { return port_; }
  // Stalls once a client has sent `text`, or at once for the empty text. Each call starts
  // afresh: the connections of the stall before are closed, and new ones forwarded.
  void stallWhenClientSends(const std::string& text);

 private:
  void serve();

  int serverPort_;
  int listener_ = -1;
  int port_ = 0;
  int wake_[2] = {-1, -1};
  std::atomic<bool> stopping_{false};
  std::string trigger_;  // written before the generation that publishes it
  std::atomic<int> generation_{0};
  std::thread thread_;
};

}  // namespace tarvel::testing
