#include <iostream>

#include "batch/BatchCommands.h"
#include "batch/PasswordInput.h"
#include "batch/StandardOutput.h"

namespace tarvel {

namespace {

class CollectingSink : public PackageListSink {
 public:
  void clear() override { entries.clear(); }
  void add(const std::string& caption, PackageEntryKind kind) override {
    entries.push_back({caption, kind});
  }

  std::vector<PackageEntry> entries;
};

}  // namespace

std::string PasswordFor(const CommandLine& line) {
  if (!line.passwordFromStdin && IsSnapshotDataSource(line.database)) return {};
  return ReadPassword(line.passwordFromStdin);
}

void LogOnAsGiven(DictionaryConnection& connection, const CommandLine& line) {
  if (line.serverWait) connection.setServerWait(*line.serverWait);
  LogOn(connection, {line.user, PasswordFor(line), line.database});
}

std::vector<PackageEntry> ListedPackages(DictionaryConnection& connection,
                                         const std::string& user) {
  CollectingSink sink;
  ListPackages(connection, user, sink);
  return std::move(sink.entries);
}

std::vector<PackageEntry> LogOnAndListPackages(DictionaryConnection& connection,
                                               const CommandLine& line) {
  LogOnAsGiven(connection, line);
  return ListedPackages(connection, line.user);
}

// Printed only once the whole list is read, so that a failure prints no partial list. An empty
// list is a schema without packages, not a failure, but a mistyped user gives one too: it is
// said on standard error, which leaves the list a script reads empty.
int RunListCommand(const CommandLine& line) {
  DictionaryConnection connection;
  const std::vector<PackageEntry> entries = LogOnAndListPackages(connection, line);
  for (const PackageEntry& entry : entries) {
    std::cout << ShownOnStandardOutput(entry.caption) << '\n';
  }
  if (entries.empty()) {
    std::cerr << "tarvelgen: " << ShownOnTerminal(AsciiUpper(line.user))
              << " owns no packages and no procedures or functions outside packages\n";
  }
  return kExitSuccess;
}

}  // namespace tarvel
