#include "run/GenerationRun.h"

#include <memory>
#include <string>

#include "catalogue/DictionaryCopy.h"
#include "common/Text.h"
#include "run/SaveUnitFile.h"
#include "writers/GenerateUnits.h"

namespace tarvel {

namespace {

// The sizes go in as typed, but for a hexadecimal prefix that Pascal does not know.
LineList ConstantLines(const GenerationRequest& request) {
  return {"MAX_STRING_SIZE = " + PascalIntegerText(request.maxStringSize),
          "MAX_BLOB_SIZE = " + PascalIntegerText(request.maxBlobSize),
          "MAX_CLOB_SIZE = " + PascalIntegerText(request.maxClobSize)};
}

void SaveUnit(const GenerationRequest& request, RunListener& listener, const UnitFile& unit,
              UnitKind kind) {
  const std::string path = request.folder + "/" + unit.FileName;
  if (request.compareOnly) {
    listener.unitCompared(unit.FileName, CompareUnitFile(path, unit.Text));
    return;
  }
  const bool written = request.leaveUnchangedFiles ? SaveUnitFileIfChanged(path, unit.Text)
                                                   : (SaveUnitFile(path, unit.Text), true);
  listener.unitSaved(kind, path, written);
}

// A server answers each statement after a round trip: its rows for the run are copied first, as
// they are at the start of the run, and read from that copy.
std::unique_ptr<TOraDatabase> ReadModel(DictionaryConnection& connection,
                                        const GenerationRequest& request, RunListener& listener) {
  const std::string owner = AsciiUpper(request.user);
  try {
    if (!connection.isServer() || request.readPerRoutine) {
      return LoadDatabase(connection, owner, request.names, request.typeAdditions, listener);
    }
    DictionaryConnection copy(CopyServerDictionary(connection, owner, request.names));
    copy.setStatementObserver(connection.observer());
    return LoadDatabase(copy, owner, request.names, request.typeAdditions, listener);
  } catch (...) {
    listener.readFailed();
    throw;
  }
}

}  // namespace

void RunGeneration(DictionaryConnection& connection, const GenerationRequest& request,
                   RunListener& listener) {
  listener.pendingEvents();
  const std::unique_ptr<TOraDatabase> model = ReadModel(connection, request, listener);
  listener.pascalNamesChanged(NameUnits(*model));

  // Every file is checked before the first is written, so that a bad one leaves the folder as
  // it was.
  for (const std::string& fileName : UnitFileNames(*model)) {
    CheckUnitFile(request.folder, fileName);
  }
  UnitKind kind = UnitKind::kConnection;
  BuildUnits(*model, ConstantLines(request), [&](const UnitFile& unit) {
    SaveUnit(request, listener, unit, kind);
    kind = UnitKind::kPackage;
  });
}

}  // namespace tarvel
