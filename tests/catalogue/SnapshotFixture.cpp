#include "SnapshotFixture.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>
#include <vector>

#include "Files.h"
#include "common/Error.h"
#include "common/QtText.h"

namespace tarvel::testing {
namespace {

std::string SqlText(const std::string& text) {
  if (text.empty()) return "NULL";
  std::string literal = "'";
  for (char c : text) {
    literal += c;
    if (c == '\'') literal += '\'';
  }
  return literal + "'";
}

// Statements end at a ';' that stands outside single quotes, double quotes and comments.
std::vector<std::string> SplitStatements(const std::string& sql) {
  std::vector<std::string> statements;
  std::string current;
  char quote = 0;
  bool lineComment = false;
  for (std::size_t i = 0; i < sql.size(); ++i) {
    const char c = sql[i];
    if (lineComment) {
      if (c == '\n') lineComment = false;
      continue;
    }
    if (quote == 0 && c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
      lineComment = true;
      continue;
    }
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (c == ';') {
      statements.push_back(current);
      current.clear();
      continue;
    }
    current += c;
  }
  statements.push_back(current);
  std::vector<std::string> nonEmpty;
  for (auto& statement : statements) {
    if (statement.find_first_not_of(" \t\r\n") != std::string::npos) nonEmpty.push_back(statement);
  }
  return nonEmpty;
}

QString UniqueConnectionName() {
  static std::atomic<int> counter{0};
  return QStringLiteral("snapshot-fixture-%1").arg(++counter);
}

void RunStatements(QSqlDatabase& database, const std::string& path, const std::string& sql) {
  QSqlQuery query(database);
  for (const auto& statement : SplitStatements(sql)) {
    if (!query.exec(ToQString(statement))) {
      throw TarvelError("Building snapshot " + path +
                        " failed: " + FromQString(query.lastError().text()) + "\nin: " + statement);
    }
  }
}

// Every handle on the connection is gone when this returns, so the caller can remove it.
void BuildWithConnection(const QString& name, const std::string& path, const std::string& sql) {
  QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
  database.setDatabaseName(ToQString(path));
  if (!database.open()) {
    throw TarvelError("Cannot create snapshot " + path + ": " +
                      FromQString(database.lastError().text()));
  }
  RunStatements(database, path, sql);
  database.close();
}

}  // namespace

std::string SnapshotTablesSql() {
  return ReadWholeFile(TARVEL_SNAPSHOT_SCHEMA);
}

std::string PostgresTablesSql() {
  std::string sql = SnapshotTablesSql();
  for (const auto& [sqlite, postgres] :
       {std::pair<std::string, std::string>{"OVERLOAD text", "OVERLOAD integer"},
        {" blob", " bytea"}}) {
    for (std::size_t at = sql.find(sqlite); at != std::string::npos; at = sql.find(sqlite, at)) {
      sql.replace(at, sqlite.size(), postgres);
    }
  }
  return "create schema sys;\nset search_path = sys, public;\n" + sql +
         "\ngrant usage on schema sys to public;\n"
         "grant select on all tables in schema sys to public;\n"
         "do $$ begin execute 'alter database ' || current_database() || "
         "' set search_path = sys, public'; end $$;\n";
}

void BuildSnapshotFile(const std::string& path, const std::string& sql) {
  const QString name = UniqueConnectionName();
  try {
    BuildWithConnection(name, path, sql);
  } catch (...) {
    QSqlDatabase::removeDatabase(name);
    throw;
  }
  QSqlDatabase::removeDatabase(name);
}

TemporarySnapshot::TemporarySnapshot(const std::string& rowsSql)
    : path_(FromQString(dir_.filePath(QStringLiteral("dictionary.sqlite")))) {
  if (!dir_.isValid()) throw TarvelError("Cannot create a temporary folder for a snapshot");
  BuildSnapshotFile(path_, SnapshotTablesSql() + ";\n" + rowsSql);
}

std::string TemporarySnapshot::folder() const {
  return FromQString(dir_.path());
}

std::string Insert(const ArgumentRow& row) {
  return "insert into all_arguments (OWNER, PACKAGE_NAME, OBJECT_NAME, OVERLOAD, ARGUMENT_NAME, "
         "POSITION, SEQUENCE, DATA_LEVEL, DATA_TYPE, IN_OUT) values (" +
         SqlText(row.owner) + ", " + SqlText(row.package) + ", " + SqlText(row.routine) + ", " +
         SqlText(row.overload) + ", " + SqlText(row.argument) + ", " +
         std::to_string(row.position) + ", " + std::to_string(row.position + 1) + ", " +
         std::to_string(row.level) + ", " + SqlText(row.type) + ", " + SqlText(row.inOut) + ");\n";
}

std::string Insert(const ProcedureRow& row) {
  return "insert into all_procedures (OWNER, OBJECT_NAME, PROCEDURE_NAME, OVERLOAD, OBJECT_TYPE) "
         "values (" +
         SqlText(row.owner) + ", " + SqlText(row.object) + ", " + SqlText(row.procedure) + ", " +
         SqlText(row.overload) + ", " + SqlText(row.type) + ");\n";
}

std::string Insert(const ObjectRow& row) {
  return "insert into dba_objects (OWNER, OBJECT_NAME, OBJECT_TYPE) values (" + SqlText(row.owner) +
         ", " + SqlText(row.object) + ", " + SqlText(row.type) + ");\n";
}

}  // namespace tarvel::testing
