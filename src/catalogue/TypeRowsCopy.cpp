#include "catalogue/TypeRowsCopy.h"

#include <sqlite3.h>

#include <map>
#include <set>

#include "catalogue/DictionaryCopy.h"
#include "catalogue/SqlLiteral.h"
#include "catalogue/SqliteDictionary.h"

namespace tarvel {
namespace {

// The rows of composite arguments, their fields and their elements.
const char* const kCompositeRows =
    "(data_level > 0 or data_type in ('PL/SQL RECORD', 'PL/SQL TABLE', 'TABLE', 'VARRAY', "
    "'OBJECT') or data_type like 'OPAQUE/%')";

// Oracle takes at most 1,000 texts in one "in" list.
constexpr std::size_t kNamesPerStatement = 500;

// Names of types to copy, by owner; a package's types are copied whole.
using NamesByOwner = std::map<std::string, std::set<std::string>>;

struct TypeReferences {
  NamesByOwner packages;  // the package of a package's own type
  NamesByOwner types;     // SQL types
  NamesByOwner tables;    // the table or view of a %ROWTYPE

  bool empty() const { return packages.empty() && types.empty() && tables.empty(); }
};

const SnapshotTable& TypeTable(std::string_view name) {
  for (const SnapshotTable& table : TypeTables()) {
    if (table.name == name) return table;
  }
  throw DictionaryError(std::string("no type view ") + std::string(name));
}

// The rows of a local statement, every column as text (NULL as empty).
std::vector<std::vector<std::string>> LocalRows(sqlite3* database, const std::string& statement) {
  std::vector<std::vector<std::string>> rows;
  sqlite3_stmt* prepared = nullptr;
  if (sqlite3_prepare_v2(database, statement.c_str(), -1, &prepared, nullptr) != SQLITE_OK) {
    FailWithMessageOf(database);
  }
  const StatementHandle query(prepared);
  while (sqlite3_step(prepared) == SQLITE_ROW) {
    std::vector<std::string>& row = rows.emplace_back();
    for (int i = 0; i < sqlite3_column_count(prepared); ++i) {
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(prepared, i));
      row.emplace_back(text == nullptr ? "" : text);
    }
  }
  return rows;
}

void Add(NamesByOwner& names, const std::string& owner, const std::string& name) {
  if (!owner.empty() && !name.empty()) names[owner].insert(name);
}

// What the copied rows name: arguments, fields, elements and columns of a type of their own.
// XMLTYPE and its kind have no structure to copy.
TypeReferences ReferencesIn(sqlite3* copy) {
  TypeReferences found;
  const auto addSqlType = [&](const std::string& owner, const std::string& name) {
    const bool opaque =
        (owner == "SYS" || owner == "PUBLIC") &&
        (name == "XMLTYPE" || name == "ANYDATA" || name == "ANYTYPE" || name == "ANYDATASET");
    if (!opaque) Add(found.types, owner, name);
  };
  for (const auto& row :
       LocalRows(copy,
                 "select type_owner, type_name, type_subname, type_object_type, data_type from "
                 "all_arguments where type_name is not null")) {
    if (row[3] == "SYNONYM") continue;
    if (!row[2].empty()) {
      Add(found.packages, row[0], row[1]);
    } else if (row[3] == "TABLE" || row[3] == "VIEW" || row[4] == "PL/SQL RECORD") {
      Add(found.tables, row[0], row[1]);
    } else {
      addSqlType(row[0], row[1]);
    }
  }
  // A collection of a record of its own package may name the record in place of the package.
  for (const auto& row : LocalRows(
           copy,
           "select attr_type_owner, attr_type_name, attr_type_package, package_name from "
           "all_plsql_type_attrs where attr_type_mod is null union all select elem_type_owner, "
           "elem_type_name, case when elem_type_package = elem_type_name then package_name else "
           "elem_type_package end, package_name from all_plsql_coll_types where elem_type_mod is "
           "null union all select attr_type_owner, attr_type_name, null, null from "
           "all_type_attrs where attr_type_mod is null union all select elem_type_owner, "
           "elem_type_name, null, null from all_coll_types where elem_type_mod is null union all "
           "select data_type_owner, data_type, null, null from all_tab_columns where "
           "data_type_mod is null")) {
    if (!row[2].empty()) {
      Add(found.packages, row[0], row[2]);
    } else {
      addSqlType(row[0], row[1]);
    }
  }
  return found;
}

// "(owner = 'A' and name in ('X', 'Y')) or ...", in statements of at most kNamesPerStatement
// names.
std::vector<std::string> NameConditions(const NamesByOwner& names, const char* nameColumn) {
  std::vector<std::string> conditions;
  std::string condition;
  std::size_t count = 0;
  for (const auto& [owner, ownerNames] : names) {
    std::string list;
    const auto addOwnerList = [&] {
      condition += std::string(condition.empty() ? "" : " or ") + "(owner = " + QuoteName(owner) +
                   " and " + nameColumn + " in (" + list + "))";
      list.clear();
    };
    for (const std::string& name : ownerNames) {
      list += (list.empty() ? "" : ", ") + QuoteName(name);
      if (++count % kNamesPerStatement == 0) {
        addOwnerList();
        conditions.push_back(condition);
        condition.clear();
      }
    }
    if (!list.empty()) addOwnerList();
  }
  if (!condition.empty()) conditions.push_back(condition);
  return conditions;
}

// Removes from `wanted` what was copied before, and records it as copied.
NamesByOwner NotYetCopied(const NamesByOwner& wanted, NamesByOwner& copied) {
  NamesByOwner fresh;
  for (const auto& [owner, names] : wanted) {
    for (const std::string& name : names) {
      if (copied[owner].insert(name).second) fresh[owner].insert(name);
    }
  }
  return fresh;
}

class TypeRowsCopier {
 public:
  TypeRowsCopier(DictionaryConnection& server, sqlite3* into, const std::string& failure)
      : server_(server), into_(into), failure_(failure) {}

  void copyViews(const NamesByOwner& names, const char* nameColumn,
                 std::initializer_list<const char*> views) {
    if (names.empty()) return;
    for (const char* view : views) {
      if (missing_.contains(view)) continue;
      const SnapshotTable& table = TypeTable(view);
      const CopiedView copied{table, table.columns};
      for (const std::string& condition : NameConditions(names, nameColumn)) {
        try {
          DictionaryQuery rows(server_, "select " + ColumnList(table) + " from " + table.source +
                                            " where " + condition);
          InsertRows(into_, copied, "", rows, failure_);
        } catch (const DictionaryError&) {
          missing_.insert(view);
          break;
        }
      }
    }
  }

 private:
  static std::string ColumnList(const SnapshotTable& table) {
    std::string list;
    for (const char* column : table.columns)
      list += (list.empty() ? "" : ", ") + std::string(column);
    return list;
  }

  DictionaryConnection& server_;
  sqlite3* into_;
  const std::string& failure_;
  std::set<std::string> missing_;
};

// The composite rows were copied without their type columns (and, in the run's copy, without
// SEQUENCE): they are replaced by full ones. False when the server has no type columns.
bool CopyCompositeRows(DictionaryConnection& server, sqlite3* into, const std::string& owner,
                       const std::vector<std::string>& conditions, const std::string& failure) {
  static const CopiedView kFullRows = [] {
    CopiedView copied = CopyOf(ArgumentsTable());
    for (const char* column : ArgumentTypeColumns()) copied.columns.push_back(column);
    return copied;
  }();
  for (std::size_t i = 0; i < conditions.size(); ++i) {
    std::unique_ptr<DictionaryQuery> rows;
    try {
      rows = std::make_unique<DictionaryQuery>(
          server,
          CopyStatement(kFullRows, owner, conditions[i] + " and " + std::string(kCompositeRows)));
    } catch (const DictionaryError&) {
      if (i == 0) return false;
      throw;
    }
    if (i == 0) {
      ExecuteSql(into, ("delete from all_arguments where " + std::string(kCompositeRows)).c_str(),
                 failure);
    }
    InsertRows(into, kFullRows, owner, *rows, failure);
  }
  return true;
}

}  // namespace

void CopyCompositeTypes(DictionaryConnection& server, sqlite3* into, const std::string& owner,
                        const std::vector<std::string>& conditions, const std::string& failure) {
  if (!CopyCompositeRows(server, into, owner, conditions, failure)) return;
  TypeRowsCopier copier(server, into, failure);
  TypeReferences copied;
  for (TypeReferences wanted = ReferencesIn(into); !wanted.empty();) {
    const TypeReferences fresh{NotYetCopied(wanted.packages, copied.packages),
                               NotYetCopied(wanted.types, copied.types),
                               NotYetCopied(wanted.tables, copied.tables)};
    if (fresh.empty()) break;
    copier.copyViews(fresh.packages, "package_name",
                     {"all_plsql_types", "all_plsql_type_attrs", "all_plsql_coll_types"});
    copier.copyViews(fresh.types, "type_name", {"all_types", "all_type_attrs", "all_coll_types"});
    copier.copyViews(fresh.tables, "table_name", {"all_tab_columns"});
    wanted = ReferencesIn(into);
  }
}

}  // namespace tarvel
