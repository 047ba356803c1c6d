#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <string_view>
#include <vector>

#include "catalogue/SnapshotTables.h"
#include "catalogue/SqliteDictionary.h"
#include "common/Error.h"
#include "common/QtText.h"
#include "common/Text.h"

namespace tarvel {
namespace {

// How long a statement waits for a writer elsewhere to let go of the file.
constexpr int kBusyTimeoutMs = 5000;

[[noreturn]] void FailNotSnapshot(const std::string& path, const std::string& reason) {
  throw TarvelError(path + " is not a dictionary snapshot: " + reason);
}

// SQLite would open any file and fail only at the first statement, with a vaguer message.
void CheckSqliteHeader(const std::string& path) {
  QFile file(ToQString(path));
  if (!file.open(QIODevice::ReadOnly)) {
    throw TarvelError("Cannot read " + path + ": " + FromQString(file.errorString()));
  }
  static const QByteArray kHeader("SQLite format 3\0", 16);
  if (file.read(kHeader.size()) != kHeader) FailNotSnapshot(path, "it is not an SQLite database");
}

// Only tables: a view can hold any query, an endless recursive one included, and a virtual
// table runs code of its module.
void CheckSnapshotTables(sqlite3* database, const std::string& path) {
  const char* const objects =
      "select name, case when type = 'table' and sql like 'create virtual%' then 'virtual table' "
      "else type end from sqlite_master";
  const std::vector<std::string> names = ReadColumn(database, objects, 0);
  const std::vector<std::string> types = ReadColumn(database, objects, 1);
  std::string missing;
  for (const SnapshotTable& required : SnapshotTables()) {
    std::vector<std::string> problems;
    const std::string* table = FindIgnoringCase(names, required.name);
    const std::string type = table == nullptr ? "" : types[table - names.data()];
    if (table == nullptr) {
      problems.push_back(std::string("table ") + required.name + " is missing");
    } else if (type != "table") {
      problems.push_back(*table + " is a " + type + ", not a table");
    } else {
      const std::vector<std::string> columns =
          ReadColumn(database, "pragma table_info(" + Enclosed(*table, '"', '"') + ")", 1);
      for (const char* column : required.columns) {
        if (FindIgnoringCase(columns, column) == nullptr) {
          problems.push_back(std::string("table ") + required.name + " has no column " +
                             AsciiUpper(column));
        }
      }
    }
    for (const std::string& problem : problems) {
      missing += (missing.empty() ? "" : "; ") + problem;
    }
  }
  if (!missing.empty()) FailNotSnapshot(path, missing);
}

// Attached a second time as "sys" so that the dictionary statements run unchanged; an attached
// file takes the read-only opening of the first.
void AttachAsSys(sqlite3* database, const std::string& path) {
  sqlite3_stmt* prepared = nullptr;
  if (sqlite3_prepare_v2(database, "attach database ? as sys", -1, &prepared, nullptr) !=
      SQLITE_OK) {
    FailWithMessageOf(database);
  }
  const StatementHandle attach(prepared);
  if (sqlite3_bind_text(prepared, 1, path.data(), static_cast<int>(path.size()),
                        SQLITE_TRANSIENT) != SQLITE_OK ||
      sqlite3_step(prepared) != SQLITE_DONE) {
    FailWithMessageOf(database);
  }
}

// SQLite reads a name that begins with "file:" as a URI, naming another file than the one
// checked: an absolute path never begins so.
std::string PlainFileName(const std::string& path) {
  return FromQString(QFileInfo(ToQString(path)).absoluteFilePath());
}

SqliteHandle OpenSnapshotFile(const std::string& path) {
  CheckSqliteHeader(path);
  const std::string fileName = PlainFileName(path);
  SqliteHandle database = OpenSqlite(fileName, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX);
  sqlite3* opened = database.get();
  sqlite3_busy_timeout(opened, kBusyTimeoutMs);
  AttachAsSys(opened, fileName);
  CheckSnapshotTables(opened, path);
  return database;
}

}  // namespace

std::unique_ptr<DictionaryDatabase> OpenSnapshotDatabase(const std::string& path) {
  return std::make_unique<SqliteDictionary>(OpenSnapshotFile(path));
}

}  // namespace tarvel
