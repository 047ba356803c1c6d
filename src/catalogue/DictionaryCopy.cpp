#include "catalogue/DictionaryCopy.h"

#include <sqlite3.h>

#include <algorithm>
#include <set>

#include "catalogue/SnapshotSchema.h"
#include "catalogue/SqlLiteral.h"
#include "catalogue/SqliteDictionary.h"
#include "common/Error.h"

namespace tarvel {
namespace {

// Oracle takes at most 1,000 texts in one "in" list.
constexpr std::size_t kNamesPerStatement = 500;

std::string JoinColumns(const SnapshotTable& view) {
  std::string joined;
  for (const char* column : view.columns) {
    if (!joined.empty()) joined += ", ";
    joined += column;
  }
  return joined;
}

std::string InsertStatement(const SnapshotTable& view) {
  std::string places;
  for (std::size_t i = 0; i < view.columns.size(); ++i) places += i == 0 ? "?" : ", ?";
  return std::string("insert into ") + view.name + " (" + JoinColumns(view) + ") values (" +
         places + ")";
}

std::string QuotedList(std::vector<std::string>::const_iterator first,
                       std::vector<std::string>::const_iterator last) {
  std::string list;
  for (auto name = first; name != last; ++name) {
    if (!list.empty()) list += ", ";
    list += QuoteName(*name);
  }
  return list;
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
  std::vector<std::string> lists;
  for (std::size_t start = 0; start < packages.size(); start += kNamesPerStatement) {
    const std::size_t end = std::min(packages.size(), start + kNamesPerStatement);
    lists.push_back(QuotedList(packages.begin() + static_cast<std::ptrdiff_t>(start),
                               packages.begin() + static_cast<std::ptrdiff_t>(end)));
  }
  if (lists.empty() && outside) lists.emplace_back();
  std::vector<NamesCondition> conditions;
  for (std::size_t i = 0; i < lists.size(); ++i) {
    conditions.push_back(ConditionFor(lists[i], outside && i == 0));
  }
  return conditions;
}

SqliteHandle OpenMemoryCopy() {
  SqliteHandle database =
      OpenSqlite(":memory:", SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX);
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

std::string CopyStatement(const SnapshotTable& view, const std::string& owner,
                          const std::string& condition, const std::string& order) {
  return "select " + JoinColumns(view) + " from " + view.source +
         " where owner = " + QuoteOwner(owner) + condition +
         (order.empty() ? "" : " order by " + order);
}

void ExecuteSql(sqlite3* into, const char* sql, const std::string& failure) {
  if (sqlite3_exec(into, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
    FailWithMessageOf(into, failure);
}

std::int64_t InsertRows(sqlite3* into, const SnapshotTable& view, DictionaryQuery& rows,
                        const std::string& failure) {
  sqlite3_stmt* prepared = nullptr;
  if (sqlite3_prepare_v2(into, InsertStatement(view).c_str(), -1, &prepared, nullptr) !=
      SQLITE_OK) {
    FailWithMessageOf(into, failure);
  }
  const StatementHandle insert(prepared);
  std::vector<DictionaryColumn> columns;
  if (!rows.eof()) {
    for (const char* column : view.columns) columns.push_back(rows.column(column));
  }
  std::int64_t count = 0;
  for (; !rows.eof(); rows.next(), ++count) {
    for (std::size_t i = 0; i < columns.size(); ++i) {
      const std::string value = rows.fieldText(columns[i]);
      const int place = static_cast<int>(i) + 1;
      const int bound = value.empty()
                            ? sqlite3_bind_null(prepared, place)
                            : sqlite3_bind_text(prepared, place, value.data(),
                                                static_cast<int>(value.size()), SQLITE_TRANSIENT);
      if (bound != SQLITE_OK) FailWithMessageOf(into, failure);
    }
    if (sqlite3_step(prepared) != SQLITE_DONE) FailWithMessageOf(into, failure);
    sqlite3_reset(prepared);
  }
  return count;
}

std::unique_ptr<DictionaryDatabase> CopyServerDictionary(DictionaryConnection& server,
                                                         const std::string& owner,
                                                         const std::vector<std::string>& names) {
  SqliteHandle copy = OpenMemoryCopy();
  ExecuteSql(copy.get(), "begin", "");
  for (const NamesCondition& condition : Conditions(names)) {
    DictionaryQuery arguments(server, CopyStatement(ArgumentsTable(), owner, condition.arguments));
    InsertRows(copy.get(), ArgumentsTable(), arguments, "");
    DictionaryQuery procedures(server,
                               CopyStatement(ProceduresTable(), owner, condition.procedures));
    InsertRows(copy.get(), ProceduresTable(), procedures, "");
  }
  ExecuteSql(copy.get(), "commit", "");
  return std::make_unique<SqliteDictionary>(std::move(copy));
}

}  // namespace tarvel
