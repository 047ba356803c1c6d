#include "batch/PasswordInput.h"

#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>

namespace tarvel {

namespace {

std::string ReadLine() {
  std::string line;
  std::getline(std::cin, line);
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
  return line;
}

// Turns the terminal's echo off for its own lifetime.
class EchoOff {
 public:
  EchoOff() : active_(tcgetattr(STDIN_FILENO, &saved_) == 0) {
    if (!active_) return;
    termios quiet = saved_;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
  }
  ~EchoOff() {
    if (active_) tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved_);
  }
  EchoOff(const EchoOff&) = delete;
  EchoOff& operator=(const EchoOff&) = delete;

 private:
  termios saved_{};
  bool active_;
};

}  // namespace

std::string ReadPassword(bool fromStdin) {
  if (fromStdin) return ReadLine();
  if (!isatty(STDIN_FILENO)) return {};
  std::fputs("Password: ", stderr);
  std::fflush(stderr);
  std::string password;
  {
    EchoOff echoOff;
    password = ReadLine();
  }
  std::fputs("\n", stderr);
  return password;
}

}  // namespace tarvel
