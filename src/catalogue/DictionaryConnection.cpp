#include "catalogue/DictionaryConnection.h"

#include <sql.h>
#include <sqlext.h>

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <atomic>
#include <optional>
#include <vector>

#include "catalogue/ConnectionString.h"
#include "common/Error.h"
#include "common/QtText.h"
#include "common/Text.h"

namespace tarvel {
namespace {

std::string ErrorText(const QSqlError& error) {
  const QString text = error.databaseText().isEmpty() ? error.driverText() : error.databaseText();
  return FromQString(text);
}

bool ContainsIgnoringAsciiCase(const std::string& text, const std::string& part) {
  return AsciiUpper(text).find(AsciiUpper(part)) != std::string::npos;
}

// ---- Dictionary snapshots -------------------------------------------------------------------

struct RequiredTable {
  const char* name;
  std::vector<const char*> columns;
};

const std::vector<RequiredTable>& SnapshotTables() {
  static const std::vector<RequiredTable> tables = {
      {"dba_objects", {"OWNER", "OBJECT_NAME", "OBJECT_TYPE"}},
      {"all_arguments",
       {"OWNER", "PACKAGE_NAME", "OBJECT_NAME", "OVERLOAD", "ARGUMENT_NAME", "POSITION", "SEQUENCE",
        "DATA_LEVEL", "DATA_TYPE", "IN_OUT"}},
      {"all_procedures", {"OWNER", "OBJECT_NAME", "PROCEDURE_NAME", "OBJECT_TYPE", "OVERLOAD"}},
  };
  return tables;
}

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

std::optional<QString> FindTable(const QStringList& tables, const char* name) {
  for (const QString& table : tables) {
    if (EqualsIgnoringAsciiCase(FromQString(table), name)) return table;
  }
  return std::nullopt;
}

bool HasColumn(const QSqlRecord& record, const char* column) {
  for (int i = 0; i < record.count(); ++i) {
    if (EqualsIgnoringAsciiCase(FromQString(record.fieldName(i)), column)) return true;
  }
  return false;
}

void CheckSnapshotTables(const QSqlDatabase& database, const std::string& path) {
  const QStringList tables = database.tables(QSql::Tables) + database.tables(QSql::Views);
  std::string missing;
  for (const RequiredTable& required : SnapshotTables()) {
    std::vector<std::string> problems;
    const std::optional<QString> table = FindTable(tables, required.name);
    if (!table) {
      problems.push_back(std::string("table ") + required.name + " is missing");
    } else {
      const QSqlRecord record = database.record(*table);
      for (const char* column : required.columns) {
        if (!HasColumn(record, column)) {
          problems.push_back(std::string("table ") + required.name + " has no column " + column);
        }
      }
    }
    for (const std::string& problem : problems) {
      missing += (missing.empty() ? "" : "; ") + problem;
    }
  }
  if (!missing.empty()) FailNotSnapshot(path, missing);
}

// Read-only, and attached a second time as "sys" so that the dictionary statements run unchanged.
void OpenSnapshot(const QString& connectionName, const std::string& path) {
  CheckSqliteHeader(path);
  QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
  database.setDatabaseName(ToQString(path));
  database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
  if (!database.open()) throw TarvelError(ErrorText(database.lastError()));
  QSqlQuery attach(database);
  attach.prepare(QStringLiteral("attach database ? as sys"));
  attach.addBindValue(ToQString(path));
  if (!attach.exec()) throw TarvelError(ErrorText(attach.lastError()));
  CheckSnapshotTables(database, path);
}

// ---- Oracle through ODBC --------------------------------------------------------------------

class OdbcEnvironment {
 public:
  OdbcEnvironment() {
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &handle_))) {
      throw TarvelError("The ODBC driver manager cannot be used");
    }
    SQLSetEnvAttr(handle_, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
  }
  ~OdbcEnvironment() { SQLFreeHandle(SQL_HANDLE_ENV, handle_); }
  OdbcEnvironment(const OdbcEnvironment&) = delete;
  OdbcEnvironment& operator=(const OdbcEnvironment&) = delete;

  // User and system data sources, as the driver manager lists them.
  std::vector<std::string> DataSourceNames() const { return ListNames(SQLDataSources); }

  // Installed drivers in the order of the driver manager's list.
  std::vector<std::string> DriverNames() const { return ListNames(SQLDrivers); }

 private:
  // SQLDataSources and SQLDrivers share their shape: a name, then text about it.
  using ListFunction = SQLRETURN (*)(SQLHENV, SQLUSMALLINT, SQLCHAR*, SQLSMALLINT, SQLSMALLINT*,
                                     SQLCHAR*, SQLSMALLINT, SQLSMALLINT*);

  std::vector<std::string> ListNames(ListFunction list) const {
    std::vector<std::string> names;
    SQLCHAR name[1024];
    SQLCHAR about[4096];
    SQLSMALLINT nameLength = 0;
    SQLSMALLINT aboutLength = 0;
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    while (SQL_SUCCEEDED(list(handle_, direction, name, sizeof name, &nameLength, about,
                              sizeof about, &aboutLength))) {
      names.emplace_back(reinterpret_cast<const char*>(name));
      direction = SQL_FETCH_NEXT;
    }
    return names;
  }

  SQLHENV handle_ = SQL_NULL_HENV;
};

// ODBC's own quoting: a value in braces, a closing brace doubled.
std::string Braced(const std::string& value) {
  std::string braced = "{";
  for (char c : value) {
    braced += c;
    if (c == '}') braced += '}';
  }
  return braced + "}";
}

// Braces only where the value needs them: some drivers (PostgreSQL's, for one) take braces
// around a user name literally, while every driver reads an ordinary value unquoted.
std::string OdbcValue(const std::string& value) {
  const bool outerBlank = !value.empty() && (value.front() == ' ' || value.front() == '\t' ||
                                             value.back() == ' ' || value.back() == '\t');
  if (outerBlank || value.find_first_of(";{}") != std::string::npos) return Braced(value);
  return value;
}

std::string Credentials(const std::string& user, const std::string& password) {
  std::string text;
  if (!user.empty()) text += ";UID=" + OdbcValue(user);
  if (!password.empty()) text += ";PWD=" + OdbcValue(password);
  return text;
}

// QODBC passes a text holding "DRIVER=" or "SERVER=" unchanged and puts "DSN=" before any
// other; the driver manager looks a data source name up as written, braces and all.
std::string DataSourceConnectText(const std::string& dataSourceName,
                                  const std::string& credentials) {
  const std::string text = dataSourceName + credentials;
  if (ContainsIgnoringAsciiCase(text, "DRIVER=") || ContainsIgnoringAsciiCase(text, "SERVER=")) {
    return "DSN=" + text;
  }
  return text;
}

std::string DriverConnectText(const std::string& driverName, const std::string& connectIdentifier,
                              const std::string& credentials) {
  return "DRIVER=" + Braced(driverName) + ";DBQ=" + OdbcValue(connectIdentifier) + credentials;
}

// QODBC puts "FILEDSN=" before any text holding ".dsn", which no quoting can prevent.
void CheckQtOdbcCanCarry(const std::string& connectText) {
  if (ContainsIgnoringAsciiCase(connectText, ".dsn")) {
    throw TarvelError(
        "The ODBC log-on cannot carry a user name, password or database holding \".dsn\"");
  }
}

std::optional<std::string> FindIgnoringCase(const std::vector<std::string>& names,
                                            const std::string& wanted) {
  for (const std::string& name : names) {
    if (EqualsIgnoringAsciiCase(name, wanted)) return name;
  }
  return std::nullopt;
}

std::optional<std::string> FindOracleDriver(const std::vector<std::string>& drivers) {
  for (const std::string& driver : drivers) {
    if (ContainsIgnoringAsciiCase(driver, "Oracle")) return driver;
  }
  return std::nullopt;
}

// A data source of that name if one is configured, else the first installed driver whose name
// holds "Oracle", with the Data Source as its connect identifier.
void OpenOracle(const QString& connectionName, const std::string& dataSource,
                const std::string& user, const std::string& password) {
  const OdbcEnvironment environment;
  const std::string credentials = Credentials(user, password);
  std::string connectText;
  if (const auto dsn = FindIgnoringCase(environment.DataSourceNames(), dataSource)) {
    connectText = DataSourceConnectText(*dsn, credentials);
  } else if (const auto driver = FindOracleDriver(environment.DriverNames())) {
    connectText = DriverConnectText(*driver, dataSource, credentials);
  } else {
    throw TarvelError(
        "No Oracle ODBC driver is installed: install Oracle's ODBC driver for unixODBC, or "
        "configure an ODBC data source named " +
        dataSource);
  }
  CheckQtOdbcCanCarry(connectText);
  QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), connectionName);
  database.setDatabaseName(ToQString(connectText));
  if (!database.open()) throw TarvelError(ErrorText(database.lastError()));
}

QString NewConnectionName() {
  static std::atomic<int> counter{0};
  return QStringLiteral("tarvel-dictionary-%1").arg(++counter);
}

}  // namespace

struct DictionaryConnection::State {
  QString name = NewConnectionName();
  std::string connectionString;
  std::function<void(const std::string&)> observer;
  bool open = false;

  // No handle on the Qt connection may be left when it is removed.
  void Discard() {
    if (QSqlDatabase::contains(name)) {
      QSqlDatabase::database(name, false).close();
      QSqlDatabase::removeDatabase(name);
    }
    open = false;
  }
};

DictionaryConnection::DictionaryConnection() : state_(std::make_unique<State>()) {}

DictionaryConnection::~DictionaryConnection() {
  Close();
}

void DictionaryConnection::Close() {
  state_->Discard();
}

void DictionaryConnection::SetConnectionString(const std::string& connectionString) {
  state_->connectionString = connectionString;
}

// Opening an open connection logs on afresh with the string now set.
void DictionaryConnection::Open() {
  Close();
  try {
    const ConnectionStringValues values = ParseConnectionString(state_->connectionString);
    const std::string dataSource = values.Value("Data Source");
    if (QFileInfo(ToQString(dataSource)).isFile()) {
      OpenSnapshot(state_->name, dataSource);
    } else {
      OpenOracle(state_->name, dataSource, values.Value("User ID"), values.Value("Password"));
    }
  } catch (...) {
    state_->Discard();
    throw;
  }
  state_->open = true;
}

bool DictionaryConnection::IsOpen() const {
  return state_->open;
}

void DictionaryConnection::SetStatementObserver(std::function<void(const std::string&)> observer) {
  state_->observer = std::move(observer);
}

struct DictionaryQuery::State {
  QSqlQuery query;
  std::vector<std::string> columns;  // converted once: every row asks for its fields by name

  explicit State(const QSqlDatabase& database) : query(database) {}

  int ColumnIndex(std::string_view column) const {
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (EqualsIgnoringAsciiCase(columns[i], column)) return static_cast<int>(i);
    }
    throw TarvelError("The dictionary query has no column " + std::string(column));
  }
};

DictionaryQuery::DictionaryQuery(DictionaryConnection& connection, const std::string& statement) {
  const DictionaryConnection::State& owner = *connection.state_;
  if (!owner.open) throw TarvelError("The dictionary connection is not open");
  if (owner.observer) owner.observer(statement);
  state_ = std::make_unique<State>(QSqlDatabase::database(owner.name, false));
  state_->query.setForwardOnly(true);
  state_->query.setNumericalPrecisionPolicy(QSql::LowPrecisionInt64);
  if (!state_->query.exec(ToQString(statement))) {
    throw TarvelError(ErrorText(state_->query.lastError()));
  }
  const QSqlRecord record = state_->query.record();
  for (int i = 0; i < record.count(); ++i)
    state_->columns.push_back(FromQString(record.fieldName(i)));
  Next();
}

DictionaryQuery::~DictionaryQuery() = default;

bool DictionaryQuery::Eof() const {
  return !state_->query.isValid();
}

void DictionaryQuery::Next() {
  if (!state_->query.next() && state_->query.lastError().isValid()) {
    throw TarvelError(ErrorText(state_->query.lastError()));
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
  const QVariant value = state_->query.value(column.index);
  return value.isNull() ? std::string() : FromQString(value.toString());
}

std::int64_t DictionaryQuery::FieldInteger(const DictionaryColumn& column) const {
  const QVariant value = state_->query.value(column.index);
  if (value.isNull()) return 0;
  bool ok = false;
  const qlonglong number = value.toLongLong(&ok);
  if (!ok) {
    throw TarvelError("The dictionary column " + std::string(column.name) +
                      " holds no integer: " + FromQString(value.toString()));
  }
  return number;
}

}  // namespace tarvel
