#include "catalogue/DictionaryConnection.h"

#include "catalogue/ConnectionString.h"
#include "catalogue/DictionaryDatabase.h"
#include "common/Error.h"
#include "common/Paths.h"
#include "common/Text.h"

namespace tarvel {

struct DictionaryConnection::State {
  std::string connectionString;
  std::chrono::seconds serverWait = kDefaultServerWait;
  StatementObserver observer;
  std::unique_ptr<DictionaryDatabase> database;
};

DictionaryConnection::DictionaryConnection() : state_(std::make_unique<State>()) {}

DictionaryConnection::DictionaryConnection(std::unique_ptr<DictionaryDatabase> database)
    : DictionaryConnection() {
  state_->database = std::move(database);
}

DictionaryConnection::~DictionaryConnection() {
  close();
}

void DictionaryConnection::close() {
  state_->database.reset();
}

void DictionaryConnection::setConnectionString(const std::string& connectionString) {
  state_->connectionString = connectionString;
}

void DictionaryConnection::setServerWait(std::chrono::seconds limit) {
  state_->serverWait = limit;
}

namespace {

// A text written as a path or a snapshot's file name is never an Oracle database's name.
bool LooksLikeSnapshotPath(std::string_view text) {
  for (const char* start : {"/", "./", "../", "~/"}) {
    if (text.starts_with(start)) return true;
  }
  for (const char* end : {".snapshot", ".sqlite", ".db"}) {
    if (text.ends_with(end)) return true;
  }
  return false;
}

}  // namespace

bool IsSnapshotDataSource(const std::string& dataSource) {
  return IsRegularFile(dataSource) || LooksLikeSnapshotPath(dataSource);
}

// Opening an open connection logs on afresh with the string now set.
void DictionaryConnection::open() {
  close();
  const ConnectionStringValues values = ParseConnectionString(state_->connectionString);
  const std::string dataSource = values.value("Data Source");
  if (dataSource.empty()) {
    throw TarvelError(
        "No database given: name an Oracle database (an ODBC data source, an Easy Connect string "
        "or a TNS name) or the path of a dictionary snapshot");
  }
  if (IsRegularFile(dataSource)) {
    state_->database = OpenSnapshotDatabase(dataSource);
  } else if (LooksLikeSnapshotPath(dataSource)) {
    if (IsFolder(dataSource))
      throw TarvelError(dataSource + " is a folder, not a dictionary snapshot");
    throw TarvelError("No such dictionary snapshot: " + dataSource);
  } else {
    state_->database = OpenOdbcDatabase(dataSource, values.value("User ID"),
                                        values.value("Password"), state_->serverWait);
  }
}

bool DictionaryConnection::isOpen() const {
  return state_->database != nullptr;
}

bool DictionaryConnection::isServer() const {
  return state_->database != nullptr && state_->database->isServer();
}

void DictionaryConnection::setStatementObserver(StatementObserver observer) {
  state_->observer = std::move(observer);
}

const DictionaryConnection::StatementObserver& DictionaryConnection::observer() const {
  return state_->observer;
}

DictionaryReading::DictionaryReading(DictionaryConnection& connection)
    : database_(connection.state_->database.get()) {
  if (database_ != nullptr && !database_->beginReading()) database_ = nullptr;
}

DictionaryReading::~DictionaryReading() {
  if (database_ != nullptr) database_->endReading();
}

struct DictionaryQuery::State {
  std::unique_ptr<DictionaryRows> rows;

  int columnIndex(std::string_view column) const {
    const std::vector<std::string>& names = rows->columnNames();
    if (const std::string* found = FindIgnoringCase(names, column)) {
      return static_cast<int>(found - names.data());
    }
    throw TarvelError("The dictionary query has no column " + std::string(column));
  }
};

// The filled text is made only for an observer: the database binds the values instead.
DictionaryQuery::DictionaryQuery(DictionaryConnection& connection,
                                 const DictionaryStatement& statement)
    : state_(std::make_unique<State>()) {
  const DictionaryConnection::State& owner = *connection.state_;
  if (!owner.database) throw TarvelError("The dictionary connection is not open");
  if (owner.observer) owner.observer(statement.text(), owner.database->isServer());
  try {
    state_->rows = owner.database->run(statement);
  } catch (const TarvelError& error) {
    throw DictionaryError(error.what());
  }
}

DictionaryQuery::DictionaryQuery(DictionaryConnection& connection, const std::string& statement)
    : DictionaryQuery(connection, DictionaryStatement{statement, {}}) {}

DictionaryQuery::~DictionaryQuery() = default;

bool DictionaryQuery::eof() const {
  return state_->rows->eof();
}

void DictionaryQuery::next() {
  try {
    state_->rows->next();
  } catch (const TarvelError& error) {
    throw DictionaryError(error.what());
  }
}

const std::vector<std::string>& DictionaryQuery::columnNames() const {
  return state_->rows->columnNames();
}

DictionaryColumn DictionaryQuery::column(std::string_view name) const {
  return {state_->columnIndex(name), name};
}

std::string DictionaryQuery::fieldText(std::string_view name) const {
  return fieldText(column(name));
}

std::int64_t DictionaryQuery::fieldInteger(std::string_view name) const {
  return fieldInteger(column(name));
}

std::string DictionaryQuery::fieldText(const DictionaryColumn& column) const {
  return std::string(fieldView(column));
}

std::string_view DictionaryQuery::fieldView(const DictionaryColumn& column) const {
  return state_->rows->text(column.index);
}

bool DictionaryQuery::fieldIsNull(const DictionaryColumn& column) const {
  return state_->rows->isNull(column.index);
}

std::int64_t DictionaryQuery::fieldInteger(const DictionaryColumn& column) const {
  if (const std::optional<std::int64_t> number = state_->rows->integer(column.index)) {
    return *number;
  }
  throw TarvelError("The dictionary column " + std::string(column.name) +
                    " holds no integer: " + fieldText(column));
}

}  // namespace tarvel
