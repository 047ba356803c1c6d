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

const std::vector<SnapshotTable>& TypeTables() {
  static const std::vector<SnapshotTable> tables{
      {"all_plsql_types",
       "sys.all_plsql_types",
       {"owner", "type_name", "package_name", "typecode"}},
      {"all_plsql_type_attrs",
       "sys.all_plsql_type_attrs",
       {"owner", "type_name", "package_name", "attr_name", "attr_type_mod", "attr_type_owner",
        "attr_type_name", "attr_type_package", "length", "precision", "scale", "attr_no"}},
      {"all_plsql_coll_types",
       "sys.all_plsql_coll_types",
       {"owner", "type_name", "package_name", "coll_type", "upper_bound", "elem_type_mod",
        "elem_type_owner", "elem_type_name", "elem_type_package", "length", "precision", "scale",
        "index_by"}},
      {"all_types", "sys.all_types", {"owner", "type_name", "typecode", "final"}},
      {"all_type_attrs",
       "sys.all_type_attrs",
       {"owner", "type_name", "attr_name", "attr_type_mod", "attr_type_owner", "attr_type_name",
        "length", "precision", "scale", "attr_no"}},
      {"all_coll_types",
       "sys.all_coll_types",
       {"owner", "type_name", "coll_type", "upper_bound", "elem_type_mod", "elem_type_owner",
        "elem_type_name", "length", "precision", "scale"}},
      {"all_tab_columns",
       "sys.all_tab_columns",
       {"owner", "table_name", "column_name", "data_type", "data_type_mod", "data_type_owner",
        "data_length", "data_precision", "data_scale", "column_id", "char_length"}},
  };
  return tables;
}

const std::vector<const char*>& ArgumentTypeColumns() {
  static const std::vector<const char*> columns{"type_owner",       "type_name",   "type_subname",
                                                "type_object_type", "data_length", "data_precision",
                                                "data_scale",       "char_length"};
  return columns;
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
