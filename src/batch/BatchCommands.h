#pragma once

#include <string>
#include <vector>

#include "batch/CommandLine.h"
#include "catalogue/DictionaryConnection.h"
#include "catalogue/PackageList.h"

namespace tarvel {

enum ExitStatus {
  kExitSuccess = 0,
  kExitFailure = 1,
  kExitUsageError = 2,
  kExitRoutinesLeftOut = 3,
  kExitUnitsDiffer = 4,
};

struct PackageEntry {
  std::string caption;
  PackageEntryKind kind;
};

// The password as the command line says; a snapshot needs none and is never asked for one.
std::string PasswordFor(const CommandLine& line);

// Asks for the password as the command line says and logs on, with the server wait it gives.
void LogOnAsGiven(DictionaryConnection& connection, const CommandLine& line);

// The package entries of the user, on a connection already open.
std::vector<PackageEntry> ListedPackages(DictionaryConnection& connection, const std::string& user);

// Asks for the password as the command line says, logs on and lists the package entries.
std::vector<PackageEntry> LogOnAndListPackages(DictionaryConnection& connection,
                                               const CommandLine& line);

// Each returns the exit status; failures leave as exceptions.
int RunListCommand(const CommandLine& line);
int RunGenerateCommand(const CommandLine& line);
int RunSnapshotCommand(const CommandLine& line);

}  // namespace tarvel
