#pragma once

#include <memory>
#include <string>
#include <vector>

#include "catalogue/DictionaryDatabase.h"

struct sqlite3;
struct sqlite3_stmt;

namespace tarvel {

struct SqliteCloser {
  void operator()(sqlite3* database) const;
};
using SqliteHandle = std::unique_ptr<sqlite3, SqliteCloser>;
struct StatementFinalizer {
  void operator()(sqlite3_stmt* statement) const;
};
using StatementHandle = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

// Before SQLite's first use in the process: no memory statistics, which cost every allocation a
// lock and a count that nothing reads.
void ConfigureSqlite();

// Fails with `failure` followed by SQLite's message about the database.
[[noreturn]] void FailWithMessageOf(sqlite3* database, const std::string& failure = "");

// Opens an SQLite database with sqlite3_open_v2's flags; fails as FailWithMessageOf does.
SqliteHandle OpenSqlite(const std::string& name, int flags, const std::string& failure = "");

// A dictionary held by SQLite: a snapshot file, or the run's copy of a server's rows. Each
// statement template is prepared once and run with its values bound. SQLite's messages are
// given after `failure`, which names the file they are about.
class SqliteDictionary : public DictionaryDatabase {
 public:
  explicit SqliteDictionary(SqliteHandle database, std::string failure = "");

  std::unique_ptr<DictionaryRows> run(const DictionaryStatement& statement) override;
  bool isServer() const override { return false; }
  // One read transaction, unless one is open already.
  bool beginReading() override;
  void endReading() override;

  sqlite3* handle() const { return database_.get(); }

  // A prepared statement, and the prepared templates by their text; queries hold on to both.
  struct Prepared;
  struct Cache;

 private:
  SqliteHandle database_;
  std::string failure_;
  std::shared_ptr<Cache> cache_;
  StatementHandle begin_;  // both prepared at the first reading
  StatementHandle commit_;
};

// Every row of a statement as texts; fails as FailWithMessageOf does.
std::vector<std::vector<std::string>> ReadRows(sqlite3* database, const std::string& statement,
                                               const std::string& failure);

}  // namespace tarvel
