#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/DictionaryStatement.h"

namespace tarvel {

// The rows of one statement, positioned on the first row when made; read forward only.
class DictionaryRows {
 public:
  virtual ~DictionaryRows() = default;

  virtual const std::vector<std::string>& columnNames() const = 0;
  virtual bool eof() const = 0;
  virtual void next() = 0;  // fails with the database's own message
  // NULL reads as an empty text or as 0; a value that is no integer gives none. A text stays
  // valid until the next row: most texts are read once, so they are not copied.
  virtual std::string_view text(int column) const = 0;
  virtual std::optional<std::int64_t> integer(int column) const = 0;
  virtual bool isNull(int column) const = 0;
};

// An open dictionary: a snapshot file through SQLite itself, or Oracle through ODBC.
class DictionaryDatabase {
 public:
  virtual ~DictionaryDatabase() = default;

  // Runs the statement; fails with the database's own message.
  virtual std::unique_ptr<DictionaryRows> run(const DictionaryStatement& statement) = 0;
  // A database server, rather than a file or memory of this process.
  virtual bool isServer() const = 0;
  // Statements from here to endReading() see the dictionary as it stood at the first of them; a
  // file is then locked and checked for changes once rather than before every statement. False
  // when there is nothing to end: a reading is open already, or the database has none.
  virtual bool beginReading() { return false; }
  virtual void endReading() {}
};

// Both fail with a message fit to show when the dictionary cannot be opened. The log-on and
// every call to a server wait for it at most `limit` (no limit when zero), then fail saying so.
std::unique_ptr<DictionaryDatabase> OpenSnapshotDatabase(const std::string& path);
std::unique_ptr<DictionaryDatabase> OpenOdbcDatabase(const std::string& dataSource,
                                                     const std::string& user,
                                                     const std::string& password,
                                                     std::chrono::seconds limit);

}  // namespace tarvel
