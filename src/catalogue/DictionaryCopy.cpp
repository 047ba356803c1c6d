#include "catalogue/DictionaryCopy.h"

#include <sqlite3.h>

#include <algorithm>
#include <set>

#include "catalogue/SnapshotSchema.h"
#include "catalogue/SqlLiteral.h"
#include "catalogue/SqliteDictionary.h"
#include "catalogue/TypeRowsCopy.h"
#include "common/Error.h"
#include "common/Text.h"

namespace tarvel {
namespace {

constexpr std::string_view kOwnerColumn = "owner";

std::string JoinColumns(const std::vector<const char*>& columns) {
  std::string joined;
  for (const char* column : columns) {
    if (!joined.empty()) joined += ", ";
    joined += column;
  }
  return joined;
}

// A constant owner is the first place, bound once for all rows.
std::string InsertStatement(const CopiedView& copied, bool constantOwner) {
  std::string places = constantOwner ? "?, " : "";
  for (std::size_t i = 0; i < copied.columns.size(); ++i) places += i == 0 ? "?" : ", ?";
  return std::string("insert into ") + copied.view.name + " (" +
         (constantOwner ? std::string(kOwnerColumn) + ", " : "") + JoinColumns(copied.columns) +
         ") values (" + places + ")";
}

void Bind(sqlite3* into, sqlite3_stmt* insert, int place, std::string_view value,
          const std::string& failure) {
  const int bound = value.empty()
                        ? sqlite3_bind_null(insert, place)
                        : sqlite3_bind_text(insert, place, value.data(),
                                            static_cast<int>(value.size()), SQLITE_TRANSIENT);
  if (bound != SQLITE_OK) FailWithMessageOf(into, failure);
}

// The conditions that pick, from each view, the rows of the routine statements and argument
// statements of these packages (and of the routines outside packages, when asked for).
struct NamesCondition {
  std::string arguments;
  std::string procedures;
};

std::string AnyOf(const std::vector<std::string>& terms) {
  std::string condition;
  for (const std::string& term : terms) {
    condition += (condition.empty() ? " and ((" : ") or (") + term;
  }
  return condition + "))";
}

NamesCondition ConditionFor(const std::string& packageList, bool outside) {
  std::vector<std::string> arguments;
  std::vector<std::string> procedures;
  if (!packageList.empty()) {
    arguments.push_back("package_name in (" + packageList + ")");
    procedures.push_back("object_name in (" + packageList + ")");
  }
  if (outside) {
    arguments.emplace_back("package_name is null");
    procedures.emplace_back("procedure_name is null and object_type in ('PROCEDURE', 'FUNCTION')");
  }
  return {AnyOf(arguments), AnyOf(procedures)};
}

// A handful of conditions: the packages in lists short enough for any server, the routines
// outside packages with the first list.
std::vector<NamesCondition> Conditions(const std::vector<std::string>& names) {
  std::vector<std::string> packages;
  bool outside = false;
  for (const std::string& name : std::set<std::string>(names.begin(), names.end())) {
    if (name.empty()) {
      outside = true;
    } else {
      packages.push_back(name);
    }
  }
  std::vector<std::string> lists = QuotedLists(packages);
  if (lists.empty() && outside) lists.emplace_back();
  std::vector<NamesCondition> conditions;
  for (std::size_t i = 0; i < lists.size(); ++i) {
    conditions.push_back(ConditionFor(lists[i], outside && i == 0));
  }
  return conditions;
}

// SQLite's temporary database: pages beyond its cache go to a file of its own, removed as soon as
// it is made, so that a large dictionary's copy does not stay whole in memory.
SqliteHandle OpenTemporaryCopy() {
  SqliteHandle database =
      OpenSqlite("", SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX);
  sqlite3* opened = database.get();
  // The reader's statements name the views "sys.all_arguments" and "sys.all_procedures".
  if (sqlite3_db_config(opened, SQLITE_DBCONFIG_MAINDBNAME, "sys") != SQLITE_OK)
    FailWithMessageOf(opened);
  // The copy lives only for this run: nothing to roll back to.
  ExecuteSql(opened, "pragma journal_mode = off", "");
  ExecuteSql(opened, kSnapshotSchemaSql, "");
  return database;
}

}  // namespace

CopiedView CopyOf(const SnapshotTable& view, const std::vector<std::string_view>& leftOut) {
  CopiedView copied{view, {}};
  for (const char* column : view.columns) {
    if (column != kOwnerColumn &&
        std::find(leftOut.begin(), leftOut.end(), column) == leftOut.end()) {
      copied.columns.push_back(column);
    }
  }
  return copied;
}

std::string CopyStatement(const CopiedView& copied, const std::string& owner,
                          const std::string& condition, const std::string& order) {
  return "select " + JoinColumns(copied.columns) + " from " + copied.view.source +
         " where owner = " + QuoteOwner(owner) + condition +
         (order.empty() ? "" : " order by " + order);
}

void ExecuteSql(sqlite3* into, const char* sql, const std::string& failure) {
  if (sqlite3_exec(into, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
    FailWithMessageOf(into, failure);
}

std::int64_t InsertRows(sqlite3* into, const CopiedView& copied, const std::string& owner,
                        DictionaryQuery& rows, const std::string& failure) {
  const bool constantOwner = !owner.empty();
  sqlite3_stmt* prepared = nullptr;
  if (sqlite3_prepare_v2(into, InsertStatement(copied, constantOwner).c_str(), -1, &prepared,
                         nullptr) != SQLITE_OK) {
    FailWithMessageOf(into, failure);
  }
  const StatementHandle insert(prepared);
  // A reset keeps the bindings: the owner stays bound for every row.
  if (constantOwner) Bind(into, prepared, 1, AsciiUpper(owner), failure);
  const int firstPlace = constantOwner ? 2 : 1;
  std::vector<DictionaryColumn> columns;
  if (!rows.eof()) {
    for (const char* column : copied.columns) columns.push_back(rows.column(column));
  }
  std::int64_t count = 0;
  for (; !rows.eof(); rows.next(), ++count) {
    for (std::size_t i = 0; i < columns.size(); ++i) {
      Bind(into, prepared, static_cast<int>(i) + firstPlace, rows.fieldView(columns[i]), failure);
    }
    if (sqlite3_step(prepared) != SQLITE_DONE) FailWithMessageOf(into, failure);
    sqlite3_reset(prepared);
  }
  return count;
}

std::unique_ptr<DictionaryDatabase> CopyServerDictionary(DictionaryConnection& server,
                                                         const std::string& owner,
                                                         const std::vector<std::string>& names,
                                                         bool withTypes) {
  // Only the export orders by SEQUENCE; the reader never reads it.
  static const CopiedView kArguments = CopyOf(ArgumentsTable(), {"sequence"});
  static const CopiedView kProcedures = CopyOf(ProceduresTable());
  SqliteHandle copy = OpenTemporaryCopy();
  ExecuteSql(copy.get(), "begin", "");
  std::vector<std::string> argumentConditions;
  for (const NamesCondition& condition : Conditions(names)) {
    DictionaryQuery arguments(server, CopyStatement(kArguments, owner, condition.arguments));
    InsertRows(copy.get(), kArguments, owner, arguments, "");
    DictionaryQuery procedures(server, CopyStatement(kProcedures, owner, condition.procedures));
    InsertRows(copy.get(), kProcedures, owner, procedures, "");
    argumentConditions.push_back(condition.arguments);
  }
  if (withTypes && !argumentConditions.empty()) {
    CopyCompositeTypes(server, copy.get(), owner, argumentConditions, "");
  }
  ExecuteSql(copy.get(), "commit", "");
  return std::make_unique<SqliteDictionary>(std::move(copy));
}

}  // namespace tarvel
