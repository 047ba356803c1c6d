#include "batch/BatchRunListener.h"

#include <algorithm>
#include <cstdio>

#include "batch/StandardOutput.h"
#include "batch/UnifiedDiff.h"
#include "common/Text.h"
#include "run/SaveUnitFile.h"

namespace tarvel {

namespace {

// A file whose CR LF line ends became LF (a checkout that converts them) differs on every line;
// its finding says so.
std::string LineEndNote(const std::string& file) {
  const bool lfOnly =
      file.find('\n') != std::string::npos && file.find("\r\n") == std::string::npos;
  return lfOnly ? " (its lines end in LF, the unit's in CR LF)" : "";
}

// Each line as standard output shows it, ended: a terminal sees control bytes written out.
void PrintLines(const std::string& text) {
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    const std::string line = ShownOnStandardOutput(text.substr(start, end - start));
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    start = end + 1;
  }
}

// Records, collections and objects: ADO cannot bind them, so config.ini cannot add them.
bool IsComposite(const std::string& dataType) {
  for (const char* composite : {"OBJECT", "PL/SQL RECORD", "PL/SQL TABLE", "TABLE", "VARRAY"}) {
    if (dataType == composite) return true;
  }
  return false;
}

std::string FileNameOf(const std::string& path) {
  return path.substr(path.rfind('/') + 1);
}

}  // namespace

BatchRunListener::BatchRunListener(std::size_t packageCount, bool showProgress, bool showDiffs)
    : packageCount_(packageCount), showProgress_(showProgress), showDiffs_(showDiffs) {
  printProgress();
}

BatchRunListener::~BatchRunListener() {
  clearProgress();
}

void BatchRunListener::packageRead() {
  ++packagesRead_;
  printProgress();
}

// "tarvelgen: warning: " and the routine left out, then the argument whose type is not
// supported, then the message the wizard's box shows.
void BatchRunListener::warning(const RoutineWarning& warning) {
  clearProgress();
  std::string line = "tarvelgen: warning: " + warning.routine + " left out: ";
  if (!warning.dataType.empty()) {
    line += warning.argument.empty() ? "function result" : "argument " + warning.argument;
    line += ": ";
    typeNotSupported_ = typeNotSupported_ || !IsComposite(warning.dataType);
  }
  line += warning.message;
  std::fprintf(stderr, "%s\n", ShownOnTerminal(line).c_str());
  ++routinesLeftOut_;
  printProgress();
}

void BatchRunListener::unitSaved(UnitKind /*kind*/, const std::string& /*path*/, bool written) {
  ++(written ? unitsWritten_ : unitsUnchanged_);
  printProgress();
}

void BatchRunListener::unitCompared(const std::string& path, UnitFileState state,
                                    const std::string& text) {
  ++unitsCompared_;
  unitFileNames_.insert(FileNameOf(path));
  if (state != UnitFileState::kSame) {
    clearProgress();
    if (state == UnitFileState::kMissing) {
      ++unitsMissing_;
      PrintLines("missing: " + path);
    } else {
      ++unitsDiffering_;
      const std::string file = ReadUnitFile(path);
      PrintLines("differs: " + path + LineEndNote(file));
      if (showDiffs_) PrintLines(UnifiedDiff(file, text, path));
    }
    std::fflush(stdout);
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
