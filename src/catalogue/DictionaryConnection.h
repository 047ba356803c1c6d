#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/DictionaryStatement.h"
#include "common/Error.h"

namespace tarvel {

class DictionaryDatabase;

// The database itself failed to run a statement (a damaged snapshot, a lost connection), as
// against a dictionary row that the generator cannot wrap.
class DictionaryError : public TarvelError {
 public:
  using TarvelError::TarvelError;
};

// Whether a Data Source text means a dictionary snapshot, which needs no password: an existing
// file, or a text written as a path or a snapshot's file name (one that names no file fails the
// log-on saying so).
bool IsSnapshotDataSource(const std::string& dataSource);

// The one shared connection to the dictionary. The OLE DB-style log-on string decides what it
// opens: a Data Source naming an existing file is a dictionary snapshot (SQLite), anything else
// is Oracle through ODBC.
class DictionaryConnection {
 public:
  // How long the log-on and each call to a server may wait for it, unless set otherwise.
  static constexpr std::chrono::seconds kDefaultServerWait{60};

  DictionaryConnection();
  // Open at once on a database made elsewhere, such as the run's copy of a server's rows.
  explicit DictionaryConnection(std::unique_ptr<DictionaryDatabase> database);
  ~DictionaryConnection();
  DictionaryConnection(const DictionaryConnection&) = delete;
  DictionaryConnection& operator=(const DictionaryConnection&) = delete;

  void close();  // harmless when not open
  void setConnectionString(const std::string& connectionString);
  // Takes effect at the next open; zero waits for ever.
  void setServerWait(std::chrono::seconds limit);
  void open();  // fails with the driver's or the database's own message
  bool isOpen() const;
  // Open on a database server, where every statement costs a round trip.
  bool isServer() const;

  // Sees every statement before it runs, and whether it goes to a database server.
  using StatementObserver = std::function<void(const std::string& statement, bool toServer)>;
  void setStatementObserver(StatementObserver observer);
  const StatementObserver& observer() const;

 private:
  friend class DictionaryQuery;
  friend class DictionaryReading;
  struct State;
  std::unique_ptr<State> state_;
};

// While it lives, the connection's statements read the dictionary as one moment of it, which a
// snapshot file serves without locking and checking itself again for each statement. The
// connection stays open meanwhile; a reading inside another is part of it.
class DictionaryReading {
 public:
  explicit DictionaryReading(DictionaryConnection& connection);
  ~DictionaryReading();
  DictionaryReading(const DictionaryReading&) = delete;
  DictionaryReading& operator=(const DictionaryReading&) = delete;

 private:
  DictionaryDatabase* database_;
};

// A column of one query, found once so that reading a row does no name lookups.
struct DictionaryColumn {
  int index;
  std::string_view name;  // as asked for, for messages
};

// One statement on the shared connection, read forward only; created and released per statement.
class DictionaryQuery {
 public:
  // Runs the statement; fails with a DictionaryError carrying the database's own message.
  DictionaryQuery(DictionaryConnection& connection, const DictionaryStatement& statement);
  DictionaryQuery(DictionaryConnection& connection, const std::string& statement);
  ~DictionaryQuery();
  DictionaryQuery(const DictionaryQuery&) = delete;
  DictionaryQuery& operator=(const DictionaryQuery&) = delete;

  bool eof() const;
  void next();  // fails as the constructor does
  const std::vector<std::string>& columnNames() const;
  // Column lookup ignores letter case; NULL reads as an empty text or as 0.
  std::string fieldText(std::string_view column) const;
  std::int64_t fieldInteger(std::string_view column) const;
  // The same reads by a column found beforehand; fails as they do when there is none.
  DictionaryColumn column(std::string_view name) const;
  std::string fieldText(const DictionaryColumn& column) const;
  std::int64_t fieldInteger(const DictionaryColumn& column) const;
  // The text without a copy, valid until the next row.
  std::string_view fieldView(const DictionaryColumn& column) const;
  // NULL, as against the empty text it reads as.
  bool fieldIsNull(const DictionaryColumn& column) const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace tarvel
