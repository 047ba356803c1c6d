#include "StallingProxy.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <map>
#include <vector>

#include "common/Error.h"

namespace tarvel::testing {
namespace {

sockaddr_in Loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  return address;
}

int ConnectTo(int port) {
  const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
  const sockaddr_in address = Loopback(port);
  if (connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    close(socket);
    return -1;
  }
  return socket;
}

}  // namespace

StallingProxy::StallingProxy(int serverPort) : serverPort_(serverPort) {
  listener_ = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address = Loopback(0);
  socklen_t length = sizeof address;
  if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      listen(listener_, 16) != 0 ||
      getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
      pipe(wake_) != 0) {
    throw TarvelError("The stalling proxy cannot listen");
  }
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { serve(); });
}

StallingProxy::~StallingProxy() {
  stopping_ = true;
  const char byte = 0;
  static_cast<void>(write(wake_[1], &byte, 1));
  thread_.join();
  for (int descriptor : {listener_, wake_[0], wake_[1]}) close(descriptor);
}

void StallingProxy::stallWhenClientSends(const std::string& text) {
  trigger_ = text;
  ++generation_;
  const char byte = 0;
  static_cast<void>(write(wake_[1], &byte, 1));
}

// One thread for every connection: a client's socket paired with its own to the server.
void StallingProxy::serve() {
  std::map<int, int> peers;         // both ways
  std::map<int, std::string> sent;  // the latest bytes each client sent, to find the trigger
  std::vector<int> held;            // connections kept open without an answer
  bool stalled = false;
  int generation = 0;
  std::string trigger;
  while (!stopping_) {
    if (generation != generation_) {
      generation = generation_;
      trigger = trigger_;
      for (const auto& [socket, peer] : peers) close(socket);
      for (int socket : held) close(socket);
      peers.clear();
      sent.clear();
      held.clear();
      stalled = trigger.empty();
    }
    std::vector<pollfd> watched{{wake_[0], POLLIN, 0}, {listener_, POLLIN, 0}};
    if (!stalled) {
      for (const auto& [socket, peer] : peers) watched.push_back({socket, POLLIN, 0});
    }
    if (poll(watched.data(), watched.size(), -1) <= 0) continue;
    if (watched[0].revents & POLLIN) {
      char byte = 0;
      static_cast<void>(read(wake_[0], &byte, 1));
      continue;
    }
    if (watched[1].revents & POLLIN) {
      const int client = accept(listener_, nullptr, nullptr);
      const int server = stalled ? -1 : ConnectTo(serverPort_);
      if (server < 0) {
        held.push_back(client);
      } else {
        peers[client] = server;
        peers[server] = client;
        sent[client];
      }
    }
    for (std::size_t i = 2; i < watched.size() && !stalled; ++i) {
      if (!(watched[i].revents & (POLLIN | POLLHUP))) continue;
      const int from = watched[i].fd;
      char buffer[16384];
      const ssize_t count = read(from, buffer, sizeof buffer);
      if (count <= 0) {
        const int to = peers[from];
        close(from);
        close(to);
        peers.erase(from);
        peers.erase(to);
        sent.erase(from);
        sent.erase(to);
        break;
      }
      if (const auto client = sent.find(from); client != sent.end() && generation > 0) {
        client->second.append(buffer, static_cast<std::size_t>(count));
        if (client->second.find(trigger) != std::string::npos) {
          stalled = true;
          break;
        }
        client->second.erase(0, client->second.size() > 4096 ? client->second.size() - 4096 : 0);
      }
      static_cast<void>(write(peers[from], buffer, static_cast<std::size_t>(count)));
    }
  }
  for (const auto& [socket, peer] : peers) close(socket);
  for (int socket : held) close(socket);
}

}  // namespace tarvel::testing
