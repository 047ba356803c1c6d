#include "catalogue/SnapshotTables.h"

namespace tarvel {

const std::vector<SnapshotTable>& SnapshotTables() {
  static const std::vector<SnapshotTable> tables{
      {"dba_objects", "dba_objects", {"owner", "object_name", "object_type"}},
      {"all_arguments",
       "sys.all_arguments",
       {"owner", "package_name", "object_name", "overload", "argument_name", "position", "sequence",
        "data_level", "data_type", "in_out"}},
      {"all_procedures",
       "sys.all_procedures",
       {"owner", "object_name", "procedure_name", "object_type", "overload"}},
  };
  return tables;
}

const SnapshotTable& ObjectsTable() {
  return SnapshotTables()[0];
}

const SnapshotTable& ArgumentsTable() {
  return SnapshotTables()[1];
}

const SnapshotTable& ProceduresTable() {
  return SnapshotTables()[2];
}

}  // namespace tarvel
