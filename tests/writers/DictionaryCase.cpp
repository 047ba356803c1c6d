#include "DictionaryCase.h"

#include <QTemporaryDir>

#include "Files.h"
#include "SnapshotFixture.h"
#include "catalogue/DictionaryConnection.h"
#include "catalogue/PackageList.h"
#include "run/GenerationRun.h"
#include "settings/Settings.h"

namespace tarvel {
namespace {

// Every entry ticked, as the wizard starts: "" stands for the routines outside packages.
class TickingSink : public PackageListSink {
 public:
  void clear() override { names.clear(); }
  void add(const std::string& caption, PackageEntryKind kind) override {
    names.push_back(kind == kOutsidePackagesEntry ? std::string() : caption);
  }
  std::vector<std::string> names;
};

class KeepingListener : public RunListener {
 public:
  void packageRead() override {}
  void warning(const RoutineWarning& warning) override { warnings.push_back(warning.message); }
  void unitSaved(UnitKind /*kind*/, const std::string& path, bool /*written*/) override {
    paths.push_back(path);
  }
  std::vector<std::string> warnings;
  std::vector<std::string> paths;
};

StoredSettings CaseSettings(const std::filesystem::path& caseFolder) {
  const std::filesystem::path config = caseFolder / "config.ini";
  StoredSettings settings;
  if (std::filesystem::exists(config)) settings = LoadSettings(config.string());
  if (settings.window.user.empty()) settings.window.user = "HR";
  return settings;
}

}  // namespace

DictionaryCaseRun RunDictionaryCase(const std::filesystem::path& caseFolder) {
  const testing::TemporarySnapshot snapshot(
      testing::ReadWholeFile((caseFolder / "dictionary.sql").string()));
  const StoredSettings settings = CaseSettings(caseFolder);
  DictionaryConnection connection;
  TickingSink entries;
  ConnectAndListPackages(connection, {settings.window.user, "", snapshot.path()}, entries);

  const QTemporaryDir output;
  GenerationRequest request;
  request.user = settings.window.user;
  request.names = entries.names;
  request.maxStringSize = settings.window.maxStringSize;
  request.maxBlobSize = settings.window.maxBlobSize;
  request.maxClobSize = settings.window.maxClobSize;
  request.folder = output.path().toStdString();
  request.typeAdditions = settings.typeAdditions;
  request.callsThroughBlocks = settings.callsThroughBlocks;
  KeepingListener listener;
  RunGeneration(connection, request, listener);

  DictionaryCaseRun run;
  run.Warnings = listener.warnings;
  for (const std::string& path : listener.paths) {
    run.Units.push_back(
        {std::filesystem::path(path).filename().string(), testing::ReadWholeFile(path)});
  }
  return run;
}

}  // namespace tarvel
