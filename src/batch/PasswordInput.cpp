#include "batch/PasswordInput.h"

#include <termios.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <iostream>
#include <iterator>

namespace tarvel {

namespace {

std::string ReadLine() {
  std::string line;
  std::getline(std::cin, line);
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
  return line;
}

// The terminal as it was before the prompt, for a signal that ends the program meanwhile.
termios gSavedTerminal{};
constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGQUIT, SIGHUP};

extern "C" void RestoreTerminalAndEnd(int signal) {
  tcsetattr(STDIN_FILENO, TCSAFLUSH, &gSavedTerminal);
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

// Turns the terminal's echo off for its own lifetime; Ctrl-C or another signal that ends the
// program meanwhile turns it back on first.
class EchoOff {
 public:
  EchoOff() : active_(tcgetattr(STDIN_FILENO, &gSavedTerminal) == 0) {
    if (!active_) return;
    struct sigaction restore {};
    restore.sa_handler = RestoreTerminalAndEnd;
    sigemptyset(&restore.sa_mask);
    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i) {
      sigaction(kEndingSignals[i], &restore, &previous_[i]);
    }
    termios quiet = gSavedTerminal;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
  }
  ~EchoOff() {
    if (!active_) return;
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &gSavedTerminal);
    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i) {
      sigaction(kEndingSignals[i], &previous_[i], nullptr);
    }
  }
  EchoOff(const EchoOff&) = delete;
  EchoOff& operator=(const EchoOff&) = delete;

 private:
  bool active_;
  struct sigaction previous_[std::size(kEndingSignals)]{};
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
