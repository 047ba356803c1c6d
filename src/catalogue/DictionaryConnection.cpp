#include "catalogue/DictionaryConnection.h"

#include <QFileInfo>

#include "catalogue/ConnectionString.h"
#include "catalogue/DictionaryDatabase.h"
#include "common/Error.h"
#include "common/QtText.h"
#include "common/Text.h"

namespace tarvel {

struct DictionaryConnection::State {
  std::string connectionString;
  StatementObserver observer;
  std::unique_ptr<DictionaryDatabase> database;
};

DictionaryConnection::DictionaryConnection() : state_(std::make_unique<State>()) {}

DictionaryConnection::DictionaryConnection(std::unique_ptr<DictionaryDatabase> database)
    : DictionaryConnection() {
  state_->database = std::move(database);
}

DictionaryConnection::~DictionaryConnection() {
  Close();
}

void DictionaryConnection::Close() {
  state_->database.reset();
}

void DictionaryConnection::SetConnectionString(const std::string& connectionString) {
  state_->connectionString = connectionString;
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
  return QFileInfo(ToQString(dataSource)).isFile() || LooksLikeSnapshotPath(dataSource);
}

// Opening an open connection logs on afresh with the string now set.
void DictionaryConnection::Open() {
  Close();
  const ConnectionStringValues values = ParseConnectionString(state_->connectionString);
  const std::string dataSource = values.Value("Data Source");
  const QFileInfo file(ToQString(dataSource));
  if (file.isFile()) {
    state_->database = OpenSnapshotDatabase(dataSource);
  } else if (LooksLikeSnapshotPath(dataSource)) {
    if (file.isDir()) throw TarvelError(dataSource + " is a folder, not a dictionary snapshot");
    throw TarvelError("No such dictionary snapshot: " + dataSource);
  } else {
    state_->database =
        OpenOdbcDatabase(dataSource, values.Value("User ID"), values.Value("Password"));
  }
}

bool DictionaryConnection::IsOpen() const {
  return state_->database != nullptr;
}

bool DictionaryConnection::IsServer() const {
  return state_->database != nullptr && state_->database->IsServer();
}

void DictionaryConnection::SetStatementObserver(StatementObserver observer) {
  state_->observer = std::move(observer);
}

const DictionaryConnection::StatementObserver& DictionaryConnection::Observer() const {
  return state_->observer;
}

struct DictionaryQuery::State {
  std::unique_ptr<DictionaryRows> rows;

  int ColumnIndex(std::string_view column) const {
    const std::vector<std::string>& names = rows->ColumnNames();
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
  if (owner.observer) owner.observer(statement.Text(), owner.database->IsServer());
  try {
    state_->rows = owner.database->Run(statement);
  } catch (const TarvelError& error) {
    throw DictionaryError(error.what());
  }
}

DictionaryQuery::DictionaryQuery(DictionaryConnection& connection, const std::string& statement)
    : DictionaryQuery(connection, DictionaryStatement{statement, {}}) {}

DictionaryQuery::~DictionaryQuery() = default;

bool DictionaryQuery::Eof() const {
  return state_->rows->Eof();
}

void DictionaryQuery::Next() {
  try {
    state_->rows->Next();
  } catch (const TarvelError& error) {
    throw DictionaryError(error.what());
  }
}

DictionaryColumn DictionaryQuery::Column(std::string_view name) const {
  return {state_->ColumnIndex(name), name};
}

std::string DictionaryQuery::FieldText(std::string_view column) const {
  return FieldText(Column(column));
}

std::int64_t DictionaryQuery::FieldInteger(std::string_view column) const {
  return FieldInteger(Column(column));
}

std::string DictionaryQuery::FieldText(const DictionaryColumn& column) const {
  return state_->rows->Text(column.index);
}

std::int64_t DictionaryQuery::FieldInteger(const DictionaryColumn& column) const {
  if (const std::optional<std::int64_t> number = state_->rows->Integer(column.index)) {
    return *number;
  }
  throw TarvelError("The dictionary column " + std::string(column.name) +
                    " holds no integer: " + state_->rows->Text(column.index));
}

}  // namespace tarvel
