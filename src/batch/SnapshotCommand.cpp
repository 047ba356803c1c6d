#include <iostream>

#include "batch/BatchCommands.h"
#include "batch/SnapshotExport.h"

namespace tarvel {

int RunSnapshotCommand(const CommandLine& line) {
  const LogOnTexts logOn{line.user, PasswordFor(line), line.database};
  DictionaryConnection connection;
  connection.setConnectionString(BuildConnectionString(logOn));
  if (line.serverWait) connection.setServerWait(*line.serverWait);
  connection.open();
  const SnapshotRowCounts counts = ExportSnapshot(connection, line.user, line.output);
  std::cout << "Snapshot written to " << line.output << ": " << counts.objects << " objects, "
            << counts.arguments << " argument rows, " << counts.procedures << " procedure rows\n";
  return kExitSuccess;
}

}  // namespace tarvel
