#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "run/GenerationRun.h"

namespace tarvel {

// Tells a batch run's progress: warnings on standard error as they come, and, when standard
// error is a terminal, one line that keeps count of packages read and units saved.
class BatchRunListener : public RunListener {
 public:
  BatchRunListener(std::size_t packageCount, bool showProgress);
  ~BatchRunListener() override;  // takes the progress line away
  BatchRunListener(const BatchRunListener&) = delete;
  BatchRunListener& operator=(const BatchRunListener&) = delete;

  void packageRead() override;
  void warning(const std::string& message) override;
  // A damaged dictionary fails the command rather than leaving routines out unnoticed.
  bool failsOnDatabaseError() const override { return true; }
  void unitSaved(UnitKind kind, const std::string& path, bool written) override;
  // Prints "differs: " or "missing: " and the file name on standard output.
  void unitCompared(const std::string& fileName, UnitFileState state) override;
  void pascalNamesChanged(const std::vector<PascalNameChange>& changes) override;

  int unitsWritten() const { return unitsWritten_; }
  int unitsUnchanged() const { return unitsUnchanged_; }
  int routinesLeftOut() const { return routinesLeftOut_; }
  int unitsDiffering() const { return unitsDiffering_; }
  const std::vector<PascalNameChange>& nameChanges() const { return nameChanges_; }

 private:
  void printProgress() const;
  void clearProgress() const;

  std::size_t packageCount_;
  bool showProgress_;
  std::size_t packagesRead_ = 0;
  int unitsWritten_ = 0;
  int unitsUnchanged_ = 0;
  int routinesLeftOut_ = 0;
  int unitsCompared_ = 0;
  int unitsDiffering_ = 0;
  std::vector<PascalNameChange> nameChanges_;
};

}  // namespace tarvel
