#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include "run/GenerationRun.h"

namespace tarvel {

// Tells a batch run's progress: warnings on standard error as they come, each with its routine,
// and, when standard error is a terminal, one line that keeps count of packages read and units
// saved.
class BatchRunListener : public RunListener {
 public:
  BatchRunListener(std::size_t packageCount, bool showProgress, bool showDiffs);
  ~BatchRunListener() override;  // takes the progress line away, as endProgress does
  BatchRunListener(const BatchRunListener&) = delete;
  BatchRunListener& operator=(const BatchRunListener&) = delete;

  void packageRead() override;
  void warning(const RoutineWarning& warning) override;
  // A damaged dictionary fails the command rather than leaving routines out unnoticed.
  bool failsOnDatabaseError() const override { return true; }
  void unitSaved(UnitKind kind, const std::string& path, bool written) override;
  // Prints "differs: " or "missing: " and the path on standard output, and with showDiffs the
  // diff from the file to the unit.
  void unitCompared(const std::string& path, UnitFileState state, const std::string& text) override;
  void pascalNamesChanged(const std::vector<PascalNameChange>& changes) override;

  // Takes the progress line away for what is printed after the run.
  void endProgress() const { clearProgress(); }

  int unitsWritten() const { return unitsWritten_; }
  int unitsUnchanged() const { return unitsUnchanged_; }
  int routinesLeftOut() const { return routinesLeftOut_; }
  int unitsDiffering() const { return unitsDiffering_; }
  int unitsMissing() const { return unitsMissing_; }
  // Whether a routine was left out for a scalar data type, which config.ini could add.
  bool typeNotSupported() const { return typeNotSupported_; }
  const std::set<std::string>& unitFileNames() const { return unitFileNames_; }
  const std::vector<PascalNameChange>& nameChanges() const { return nameChanges_; }

 private:
  void printProgress() const;
  void clearProgress() const;

  std::size_t packageCount_;
  bool showProgress_;
  bool showDiffs_;
  std::size_t packagesRead_ = 0;
  int unitsWritten_ = 0;
  int unitsUnchanged_ = 0;
  int routinesLeftOut_ = 0;
  int unitsCompared_ = 0;
  int unitsDiffering_ = 0;
  int unitsMissing_ = 0;
  bool typeNotSupported_ = false;
  std::set<std::string> unitFileNames_;  // of the units compared
  std::vector<PascalNameChange> nameChanges_;
};

}  // namespace tarvel
