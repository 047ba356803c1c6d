#include "batch/BatchRunListener.h"

#include <cstdio>

#include "common/Text.h"

namespace tarvel {

BatchRunListener::BatchRunListener(std::size_t packageCount, bool showProgress)
    : packageCount_(packageCount), showProgress_(showProgress) {
  printProgress();
}

BatchRunListener::~BatchRunListener() {
  clearProgress();
}

void BatchRunListener::packageRead() {
  ++packagesRead_;
  printProgress();
}

void BatchRunListener::warning(const std::string& message) {
  clearProgress();
  std::fprintf(stderr, "%s\n", ShownOnTerminal(message).c_str());
  ++routinesLeftOut_;
  printProgress();
}

void BatchRunListener::unitSaved(UnitKind /*kind*/, const std::string& /*path*/, bool written) {
  ++(written ? unitsWritten_ : unitsUnchanged_);
  printProgress();
}

void BatchRunListener::unitCompared(const std::string& fileName, UnitFileState state) {
  ++unitsCompared_;
  if (state != UnitFileState::kSame) {
    clearProgress();
    std::printf("%s: %s\n", state == UnitFileState::kMissing ? "missing" : "differs",
                fileName.c_str());
    std::fflush(stdout);
    ++unitsDiffering_;
  }
  printProgress();
}

void BatchRunListener::pascalNamesChanged(const std::vector<PascalNameChange>& changes) {
  nameChanges_ = changes;
}

void BatchRunListener::printProgress() const {
  if (!showProgress_) return;
  if (unitsCompared_ > 0) {
    std::fprintf(stderr, "\rPackages read: %zu/%zu, units compared: %d", packagesRead_,
                 packageCount_, unitsCompared_);
  } else {
    std::fprintf(stderr, "\rPackages read: %zu/%zu, units written: %d", packagesRead_,
                 packageCount_, unitsWritten_ + unitsUnchanged_);
  }
  std::fflush(stderr);
}

void BatchRunListener::clearProgress() const {
  if (!showProgress_) return;
  std::fputs("\r\033[K", stderr);
  std::fflush(stderr);
}

}  // namespace tarvel
