#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "catalogue/DictionaryConnection.h"
#include "catalogue/uOracleParser.h"
#include "run/SaveUnitFile.h"
#include "writers/PascalNames.h"

namespace tarvel {

// What one run needs, read from the window (or a batch command) at its start.
struct GenerationRequest {
  std::string user;                // its upper-case form is the owner
  std::vector<std::string> names;  // ticked entries in list order; "" for routines outside packages
  std::string maxStringSize;       // the three size texts, copied into the constants as typed
  std::string maxBlobSize;
  std::string maxClobSize;
  std::string folder;
  TypeAdditions typeAdditions;  // from config.ini, read once before the run
  // Routines with arguments ADO cannot bind (PL/SQL BOOLEAN, records, objects) are called
  // through anonymous PL/SQL blocks; off, every unit is as it always was.
  bool callsThroughBlocks = false;
  // CI wants to know whether the units kept in a folder are still current: each unit is compared
  // with its file and nothing is written.
  bool compareOnly = false;
  // A diagnosis: the dictionary is read one statement per routine, a server without a copy of
  // its rows made in a handful of statements.
  bool readPerRoutine = false;
};

enum class UnitKind { kConnection, kPackage };

class RunListener : public ReadListener {
 public:
  virtual void pendingEvents() {}  // once, before reading starts
  virtual void readFailed() {}     // reading the model failed; nothing was written
  // The identifiers that got another Pascal name, once the units are made, before any is saved.
  virtual void pascalNamesChanged(const std::vector<PascalNameChange>& /*changes*/) {}
  // How many units the run saves (or compares), once it knows, before the first.
  virtual void unitsToSave(std::size_t /*count*/) {}
  // Each unit in writing order, uMyOracleDB first, then one per package, as its new file is
  // written; `written` is false for a file that already held the unit. The files take their
  // place together when RunGeneration returns.
  virtual void unitSaved(UnitKind /*kind*/, const std::string& /*path*/, bool /*written*/) {}
  // Under compareOnly, each unit instead: its path, how its file stands, the unit's text.
  virtual void unitCompared(const std::string& /*path*/, UnitFileState /*state*/,
                            const std::string& /*text*/) {}
};

// Reads the model and saves the units GenerateUnits makes of it, in their order, in one commit.
void RunGeneration(DictionaryConnection& connection, const GenerationRequest& request,
                   RunListener& listener);

}  // namespace tarvel
