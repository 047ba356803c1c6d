#include "catalogue/SnapshotTables.h"

#include <string_view>

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

bool IsIntegerColumn(const char* column) {
  const std::string_view name(column);
  return name == "position" || name == "sequence" || name == "data_level";
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
