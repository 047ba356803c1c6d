#include <sql.h>
#include <sqlext.h>

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QVariant>
#include <algorithm>
#include <atomic>
#include <charconv>
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

// The messages of a statement's diagnostic records, joined by blanks.
std::string DiagnosticText(SQLSMALLINT handleType, SQLHANDLE handle) {
  std::string text;
  SQLWCHAR state[6];
  SQLINTEGER nativeCode = 0;
  SQLWCHAR message[SQL_MAX_MESSAGE_LENGTH];
  SQLSMALLINT length = 0;
  for (SQLSMALLINT record = 1;
       SQL_SUCCEEDED(SQLGetDiagRecW(handleType, handle, record, state, &nativeCode, message,
                                    SQL_MAX_MESSAGE_LENGTH, &length));
       ++record) {
    if (!text.empty()) text += ' ';
    text +=
        FromQString(QString::fromUtf16(reinterpret_cast<const char16_t*>(message),
                                       std::min<qsizetype>(length, SQL_MAX_MESSAGE_LENGTH - 1)));
  }
  return text.empty() ? "The ODBC driver failed without saying why" : text;
}

// A bound column: one value per row of the block, each in a slot of the same width, with the
// driver's length or NULL mark beside it.
struct BoundColumn {
  std::string name;
  SQLLEN width = 0;  // bytes per slot, the terminating NUL included
  std::vector<char> values;
  std::vector<SQLLEN> lengths;
};

// Dictionary texts are names and type names: a slot holds the widest a column declares, up to
// this, and a longer value fails only when it is read.
constexpr SQLULEN kWidestSlot = 1024;
// A block holds this many bytes of values at most, and at least a few rows.
constexpr std::size_t kBlockBytes = 1 << 20;

// The rows of one statement, fetched a block at a time into buffers bound to the columns. The
// driver writes each value's characters, narrow, straight into its slot, where the reader takes
// the text from; nothing is converted or copied per value.
class OdbcRows : public DictionaryRows {
 public:
  OdbcRows(SQLHDBC connection, const std::string& statement, ServerWatch& watch,
           const std::string& dataSource)
      : watch_(watch), dataSource_(dataSource) {
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, connection, &statement_))) {
      statement_ = SQL_NULL_HSTMT;
      throw TarvelError(DiagnosticText(SQL_HANDLE_DBC, connection));
    }
    const QString text = ToQString(statement);
    SQLRETURN result = SQL_ERROR;
    waitFor([&] {
      result = SQLExecDirectW(statement_,
                              reinterpret_cast<SQLWCHAR*>(const_cast<char16_t*>(
                                  reinterpret_cast<const char16_t*>(text.utf16()))),
                              static_cast<SQLINTEGER>(text.size()));
    });
    if (!SQL_SUCCEEDED(result) && result != SQL_NO_DATA) fail();
    bindColumns();
    fetch();
  }
  ~OdbcRows() override {
    if (statement_ != SQL_NULL_HSTMT) SQLFreeHandle(SQL_HANDLE_STMT, statement_);
  }
  OdbcRows(const OdbcRows&) = delete;
  OdbcRows& operator=(const OdbcRows&) = delete;

  const std::vector<std::string>& columnNames() const override { return names_; }

  bool eof() const override { return row_ >= fetched_; }

  void next() override {
    if (eof()) return;
    if (++row_ == fetched_ && !lastBlock_) fetch();
  }

  std::string_view text(int column) const override {
    const BoundColumn& bound = columns_.at(static_cast<std::size_t>(column));
    const SQLLEN length = bound.lengths[row_];
    if (length == SQL_NULL_DATA) return {};
    if (length == SQL_NO_TOTAL || length >= bound.width) {
      throw TarvelError("The dictionary column " + bound.name + " holds a value longer than " +
                        std::to_string(bound.width - 1) + " bytes");
    }
    return {bound.values.data() + row_ * static_cast<std::size_t>(bound.width),
            static_cast<std::size_t>(length)};
  }

  // Integers come as their digits, as every value does.
  std::optional<std::int64_t> integer(int column) const override {
    if (isNull(column)) return 0;
    const std::string_view digits = text(column);
    std::int64_t number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return number;
  }

  bool isNull(int column) const override {
    return columns_.at(static_cast<std::size_t>(column)).lengths[row_] == SQL_NULL_DATA;
  }

 private:
  [[noreturn]] void fail() const { throw TarvelError(DiagnosticText(SQL_HANDLE_STMT, statement_)); }

  void waitFor(const std::function<void()>& call) {
    if (watch_.call(call)) throw TarvelError(NoAnswerMessage(dataSource_, watch_.limit()));
  }

  // Every column as narrow characters, into slots as wide as it declares (UTF-8 takes up to
  // four bytes a character), in blocks of as many rows as kBlockBytes holds.
  void bindColumns() {
    SQLSMALLINT count = 0;
    if (!SQL_SUCCEEDED(SQLNumResultCols(statement_, &count))) fail();
    columns_.resize(static_cast<std::size_t>(count));
    std::size_t rowBytes = 0;
    for (SQLUSMALLINT i = 0; i < static_cast<SQLUSMALLINT>(count); ++i) {
      SQLWCHAR name[256];
      SQLSMALLINT nameLength = 0;
      SQLSMALLINT type = 0;
      SQLULEN size = 0;
      SQLSMALLINT digits = 0;
      SQLSMALLINT nullable = 0;
      if (!SQL_SUCCEEDED(SQLDescribeColW(statement_, i + 1, name, 256, &nameLength, &type, &size,
                                         &digits, &nullable))) {
        fail();
      }
      BoundColumn& column = columns_[i];
      column.name = FromQString(QString::fromUtf16(reinterpret_cast<const char16_t*>(name),
                                                   std::min<SQLSMALLINT>(nameLength, 255)));
      const SQLULEN characters = size == 0 || size > kWidestSlot ? kWidestSlot : size;
      column.width = static_cast<SQLLEN>(std::min(characters * 4, kWidestSlot) + 1);
      rowBytes += static_cast<std::size_t>(column.width);
      names_.push_back(column.name);
    }
    blockRows_ =
        std::clamp<std::size_t>(kBlockBytes / std::max<std::size_t>(rowBytes, 1), 16, 1024);
    SQLSetStmtAttr(statement_, SQL_ATTR_ROW_BIND_TYPE,
                   reinterpret_cast<SQLPOINTER>(SQL_BIND_BY_COLUMN), 0);
    if (!SQL_SUCCEEDED(SQLSetStmtAttr(statement_, SQL_ATTR_ROW_ARRAY_SIZE,
                                      reinterpret_cast<SQLPOINTER>(blockRows_), 0))) {
      blockRows_ = 1;  // a driver without block cursors fetches row by row
    }
    SQLSetStmtAttr(statement_, SQL_ATTR_ROWS_FETCHED_PTR, &fetched_, 0);
    for (std::size_t i = 0; i < columns_.size(); ++i) {
      BoundColumn& column = columns_[i];
      column.values.resize(blockRows_ * static_cast<std::size_t>(column.width));
      column.lengths.resize(blockRows_);
      if (!SQL_SUCCEEDED(SQLBindCol(statement_, static_cast<SQLUSMALLINT>(i + 1), SQL_C_CHAR,
                                    column.values.data(), column.width, column.lengths.data()))) {
        fail();
      }
    }
  }

  void fetch() {
    row_ = 0;
    fetched_ = 0;
    if (columns_.empty()) return;
    SQLRETURN result = SQL_ERROR;
    waitFor([&] { result = SQLFetch(statement_); });
    if (result == SQL_NO_DATA) {
      fetched_ = 0;
      lastBlock_ = true;
      return;
    }
    if (!SQL_SUCCEEDED(result)) fail();
    if (blockRows_ == 1) fetched_ = 1;
    lastBlock_ = fetched_ < blockRows_;
  }

  ServerWatch& watch_;
  const std::string& dataSource_;
  SQLHSTMT statement_ = SQL_NULL_HSTMT;
  std::vector<BoundColumn> columns_;
  std::vector<std::string> names_;
  std::size_t blockRows_ = 1;
  SQLULEN fetched_ = 0;  // rows in the block
  SQLULEN row_ = 0;      // the current row of the block
  bool lastBlock_ = false;
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
    return std::make_unique<OdbcRows>(connectionHandle(), statement.text(), watch_, dataSource_);
  }
  bool isServer() const override { return true; }

 private:
  // Qt's driver logs on; the rows are read through its ODBC connection handle directly.
  SQLHDBC connectionHandle() const {
    const QVariant handle = QSqlDatabase::database(name_, false).driver()->handle();
    if (handle.metaType() != QMetaType::fromType<SQLHANDLE>()) {
      throw TarvelError("The ODBC connection is not open");
    }
    return *static_cast<const SQLHDBC*>(handle.constData());
  }

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
