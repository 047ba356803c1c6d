#include "run/GenerationRun.h"

#include <memory>
#include <string>

#include "catalogue/DictionaryCopy.h"
#include "common/Text.h"
#include "run/SaveUnitFile.h"
#include "run/UnitCommit.h"
#include "writers/CarriedArgument.h"
#include "writers/GenerateUnits.h"

namespace tarvel {

namespace {

// The run's listener, asked for composite types exactly when the routines go through blocks.
class BlockAwareListener : public ReadListener {
 public:
  BlockAwareListener(ReadListener& listener, bool callsThroughBlocks)
      : listener_(listener), callsThroughBlocks_(callsThroughBlocks) {}
  void packageRead() override { listener_.packageRead(); }
  void warning(const RoutineWarning& warning) override { listener_.warning(warning); }
  bool failsOnDatabaseError() const override { return listener_.failsOnDatabaseError(); }
  bool describesComposites() const override { return callsThroughBlocks_; }
  const TOraParameter* uncarriedArgument(const TOraProcedure& routine) const override {
    return callsThroughBlocks_ ? UncarriedArgument(routine) : nullptr;
  }

 private:
  ReadListener& listener_;
  const bool callsThroughBlocks_;
};

// A server answers each statement after a round trip: its rows for the run are copied first, as
// they are at the start of the run, and read from that copy.
std::unique_ptr<TOraDatabase> ReadModel(DictionaryConnection& connection,
                                        const GenerationRequest& request,
                                        RunListener& runListener) {
  const std::string owner = AsciiUpper(request.user);
  BlockAwareListener listener(runListener, request.callsThroughBlocks);
  try {
    if (request.readPerRoutine) {
      return LoadDatabase(connection, owner, request.names, request.typeAdditions, listener,
                          ReadWay::kRoutineByRoutine);
    }
    if (!connection.isServer()) {
      return LoadDatabase(connection, owner, request.names, request.typeAdditions, listener);
    }
    DictionaryConnection copy(
        CopyServerDictionary(connection, owner, request.names, listener.describesComposites()));
    copy.setStatementObserver(connection.observer());
    return LoadDatabase(copy, owner, request.names, request.typeAdditions, listener);
  } catch (...) {
    runListener.readFailed();
    throw;
  }
}

}  // namespace

void RunGeneration(DictionaryConnection& connection, const GenerationRequest& request,
                   RunListener& listener) {
  listener.pendingEvents();
  const std::unique_ptr<TOraDatabase> model = ReadModel(connection, request, listener);
  PascalNames names = NameUnits(*model);
  listener.pascalNamesChanged(names.takeChanges());

  // Every file is checked before the first is written, so that a bad one leaves the folder as
  // it was.
  const std::vector<std::string> fileNames = UnitFileNames(*model, names);
  for (const std::string& fileName : fileNames) CheckUnitFile(request.folder, fileName);
  listener.unitsToSave(fileNames.size());
  UnitOptions options =
      SizeLimitOptions(request.maxStringSize, request.maxBlobSize, request.maxClobSize);
  options.CallsThroughBlocks = request.callsThroughBlocks;
  if (request.compareOnly) {
    BuildUnits(*model, names, options, [&](const UnitFile& unit) {
      const std::string path = request.folder + "/" + unit.FileName;
      listener.unitCompared(path, CompareUnitFile(path, unit.Text), unit.Text);
    });
    return;
  }
  UnitCommit units;
  UnitKind kind = UnitKind::kConnection;
  BuildUnits(*model, names, options, [&](const UnitFile& unit) {
    const std::string path = request.folder + "/" + unit.FileName;
    listener.unitSaved(kind, path, units.write(path, unit.Text));
    kind = UnitKind::kPackage;
  });
  units.commit();
}

}  // namespace tarvel
