#include <sql.h>
#include <sqlext.h>

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <atomic>
#include <optional>
#include <vector>

#include "catalogue/DictionaryDatabase.h"
#include "catalogue/ServerWatch.h"
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
  std::vector<std::string> dataSourceNames() const { return listNames(SQLDataSources); }

  // Installed drivers in the order of the driver manager's list.
  std::vector<std::string> driverNames() const { return listNames(SQLDrivers); }

 private:
  // SQLDataSources and SQLDrivers share their shape: a name, then text about it.
  using ListFunction = SQLRETURN (*)(SQLHENV, SQLUSMALLINT, SQLCHAR*, SQLSMALLINT, SQLSMALLINT*,
                                     SQLCHAR*, SQLSMALLINT, SQLSMALLINT*);

  std::vector<std::string> listNames(ListFunction list) const {
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

// Braces only where the value needs them: some drivers (PostgreSQL's, for one) take braces
// around a user name literally, while every driver reads an ordinary value unquoted.
std::string OdbcValue(const std::string& value) {
  const bool outerBlank = !value.empty() && (value.front() == ' ' || value.front() == '\t' ||
                                             value.back() == ' ' || value.back() == '\t');
  if (outerBlank || value.find_first_of(";{}") != std::string::npos)
    return Enclosed(value, '{', '}');
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
  return "DRIVER=" + Enclosed(driverName, '{', '}') + ";DBQ=" + OdbcValue(connectIdentifier) +
         credentials;
}

// QODBC puts "FILEDSN=" before any text holding ".dsn", which no quoting can prevent; a C string
// ends at a NUL byte, so a password holding one would log on cut short.
void CheckQtOdbcCanCarry(const std::string& connectText) {
  if (ContainsIgnoringAsciiCase(connectText, ".dsn")) {
    throw TarvelError(
        "The ODBC log-on cannot carry a user name, password or database holding \".dsn\"");
  }
  if (connectText.find('\0') != std::string::npos) {
    throw TarvelError(
        "The ODBC log-on cannot carry a user name, password or database holding a NUL byte");
  }
}

std::optional<std::string> FindOracleDriver(const std::vector<std::string>& drivers) {
  for (const std::string& driver : drivers) {
    if (ContainsIgnoringAsciiCase(driver, "Oracle")) return driver;
  }
  return std::nullopt;
}

// A data source of that name if one is configured, else the first installed driver whose name
// holds "Oracle", with the Data Source as its connect identifier.
std::string OracleConnectText(const std::string& dataSource, const std::string& user,
                              const std::string& password) {
  const OdbcEnvironment environment;
  const std::string credentials = Credentials(user, password);
  std::string connectText;
  const std::vector<std::string> dataSources = environment.dataSourceNames();
  if (const std::string* dsn = FindIgnoringCase(dataSources, dataSource)) {
    connectText = DataSourceConnectText(*dsn, credentials);
  } else if (const auto driver = FindOracleDriver(environment.driverNames())) {
    connectText = DriverConnectText(*driver, dataSource, credentials);
  } else {
    throw TarvelError(
        "No Oracle ODBC driver is installed: install Oracle's ODBC driver for unixODBC, or "
        "configure an ODBC data source named " +
        dataSource);
  }
  CheckQtOdbcCanCarry(connectText);
  return connectText;
}

// What a server that stopped answering is told apart by.
std::string NoAnswerMessage(const std::string& dataSource, std::chrono::seconds limit) {
  const auto seconds = limit.count();
  return "No answer from " + dataSource + " within " + std::to_string(seconds) +
         (seconds == 1 ? " second" : " seconds");
}

QString NewConnectionName() {
  static std::atomic<int> counter{0};
  return QStringLiteral("tarvel-dictionary-%1").arg(++counter);
}

class OdbcRows : public DictionaryRows {
 public:
  OdbcRows(const QSqlDatabase& database, const std::string& statement, ServerWatch& watch,
           const std::string& dataSource)
      : query_(database), watch_(watch), dataSource_(dataSource) {
    query_.setForwardOnly(true);
    query_.setNumericalPrecisionPolicy(QSql::LowPrecisionInt64);
    bool ran = false;
    waitFor([&] { ran = query_.exec(ToQString(statement)); });
    if (!ran) throw TarvelError(ErrorText(query_.lastError()));
    const QSqlRecord record = query_.record();
    for (int i = 0; i < record.count(); ++i) columns_.push_back(FromQString(record.fieldName(i)));
    texts_.resize(columns_.size());
    next();
  }

  const std::vector<std::string>& columnNames() const override { return columns_; }

  bool eof() const override { return !query_.isValid(); }

  void next() override {
    bool moved = false;
    waitFor([&] { moved = query_.next(); });
    if (!moved && query_.lastError().isValid()) throw TarvelError(ErrorText(query_.lastError()));
  }

  std::string_view text(int column) const override {
    const QVariant value = query_.value(column);
    return texts_.at(column) = value.isNull() ? std::string() : FromQString(value.toString());
  }

  std::optional<std::int64_t> integer(int column) const override {
    const QVariant value = query_.value(column);
    if (value.isNull()) return 0;
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (!ok) return std::nullopt;
    return number;
  }

  bool isNull(int column) const override { return query_.value(column).isNull(); }

 private:
  void waitFor(const std::function<void()>& call) {
    if (watch_.call(call)) throw TarvelError(NoAnswerMessage(dataSource_, watch_.limit()));
  }

  QSqlQuery query_;
  ServerWatch& watch_;
  const std::string& dataSource_;
  std::vector<std::string> columns_;
  mutable std::vector<std::string> texts_;  // Qt hands out copies: the latest of each column
};

class OdbcDatabase : public DictionaryDatabase {
 public:
  OdbcDatabase(const std::string& dataSource, const std::string& user, const std::string& password,
               std::chrono::seconds limit)
      : dataSource_(dataSource), watch_(limit) {
    try {
      QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), name_);
      database.setDatabaseName(ToQString(OracleConnectText(dataSource, user, password)));
      bool opened = false;
      if (watch_.logOn([&] { opened = database.open(); })) {
        throw TarvelError(NoAnswerMessage(dataSource_, limit));
      }
      if (!opened) throw TarvelError(ErrorText(database.lastError()));
    } catch (...) {
      discard();
      throw;
    }
  }
  ~OdbcDatabase() override { discard(); }
  OdbcDatabase(const OdbcDatabase&) = delete;
  OdbcDatabase& operator=(const OdbcDatabase&) = delete;

  std::unique_ptr<DictionaryRows> run(const DictionaryStatement& statement) override {
    return std::make_unique<OdbcRows>(QSqlDatabase::database(name_, false), statement.text(),
                                      watch_, dataSource_);
  }
  bool isServer() const override { return true; }

 private:
  // No handle on the Qt connection may be left when it is removed.
  void discard() {
    if (QSqlDatabase::contains(name_)) {
      QSqlDatabase::database(name_, false).close();
      QSqlDatabase::removeDatabase(name_);
    }
  }

  QString name_ = NewConnectionName();
  const std::string dataSource_;
  ServerWatch watch_;
};

}  // namespace

std::unique_ptr<DictionaryDatabase> OpenOdbcDatabase(const std::string& dataSource,
                                                     const std::string& user,
                                                     const std::string& password,
                                                     std::chrono::seconds limit) {
  return std::make_unique<OdbcDatabase>(dataSource, user, password, limit);
}

}  // namespace tarvel
