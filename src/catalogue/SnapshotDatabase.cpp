#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <charconv>
#include <string_view>
#include <vector>

#include "catalogue/DictionaryDatabase.h"
#include "common/Error.h"
#include "common/QtText.h"
#include "common/Text.h"

namespace tarvel {
namespace {

struct SqliteCloser {
  void operator()(sqlite3* database) const { sqlite3_close_v2(database); }
};
struct StatementFinalizer {
  void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using SqliteHandle = std::unique_ptr<sqlite3, SqliteCloser>;
using StatementHandle = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

// How long a statement waits for a writer elsewhere to let go of the file.
constexpr int kBusyTimeoutMs = 5000;

[[noreturn]] void FailWithMessageOf(sqlite3* database) {
  throw TarvelError(sqlite3_errmsg(database));
}

bool IsAsciiSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view TrimAsciiSpace(std::string_view text) {
  while (!text.empty() && IsAsciiSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsAsciiSpace(text.back())) text.remove_suffix(1);
  return text;
}

// A decimal integer with an optional sign, blanks around it allowed: what a dictionary that
// stores numbers as text holds.
std::optional<std::int64_t> ParseDecimalInteger(std::string_view text) {
  text = TrimAsciiSpace(text);
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
  std::int64_t number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return number;
}

class SnapshotRows : public DictionaryRows {
 public:
  SnapshotRows(sqlite3* database, const std::string& statement) : database_(database) {
    sqlite3_stmt* prepared = nullptr;
    const char* rest = nullptr;
    const int result = sqlite3_prepare_v2(database, statement.data(),
                                          static_cast<int>(statement.size()), &prepared, &rest);
    statement_.reset(prepared);
    if (result != SQLITE_OK) FailWithMessageOf(database);
    // One statement at a time: text after the first is refused rather than ignored.
    const std::string_view after(rest, statement.data() + statement.size() - rest);
    if (!TrimAsciiSpace(after).empty()) FailWithMessageOf(database);
    if (!statement_) throw TarvelError("No query");
    const int count = sqlite3_column_count(prepared);
    columns_.reserve(count);
    for (int i = 0; i < count; ++i) {
      // Double quotes are dropped from result column names, as they always have been.
      std::string name = sqlite3_column_name(prepared, i);
      std::erase(name, '"');
      columns_.push_back(std::move(name));
    }
    Next();
  }

  const std::vector<std::string>& ColumnNames() const override { return columns_; }

  bool Eof() const override { return eof_; }

  // A finished statement is not stepped again, which would run it afresh.
  void Next() override {
    if (!error_.empty()) throw TarvelError(error_);
    if (eof_) return;
    const int result = sqlite3_step(statement_.get());
    eof_ = result != SQLITE_ROW;
    if (result == SQLITE_ROW) return;
    // Resetting at the end lets go of the read lock while the query object lives on.
    sqlite3_reset(statement_.get());
    if (result != SQLITE_DONE) {
      error_ = sqlite3_errmsg(database_);
      throw TarvelError(error_);
    }
  }

  std::string Text(int column) const override {
    sqlite3_stmt* statement = statement_.get();
    switch (sqlite3_column_type(statement, column)) {
      case SQLITE_NULL:
        return std::string();
      case SQLITE_INTEGER:
      case SQLITE_FLOAT:
        return std::to_string(sqlite3_column_int64(statement, column));
      default:
        return std::string(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
                           sqlite3_column_bytes(statement, column));
    }
  }

  // Fractions are cut off, as integers are what the dictionary's numbers are read as.
  std::optional<std::int64_t> Integer(int column) const override {
    sqlite3_stmt* statement = statement_.get();
    switch (sqlite3_column_type(statement, column)) {
      case SQLITE_NULL:
        return 0;
      case SQLITE_INTEGER:
      case SQLITE_FLOAT:
        return sqlite3_column_int64(statement, column);
      default: {
        const char* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
        return ParseDecimalInteger(std::string_view(text, sqlite3_column_bytes(statement, column)));
      }
    }
  }

 private:
  sqlite3* database_;
  StatementHandle statement_;
  std::vector<std::string> columns_;
  bool eof_ = false;
  std::string error_;
};

// The values of one column of a statement's rows; none when the statement fails.
std::vector<std::string> ReadColumn(sqlite3* database, const std::string& statement, int column) {
  std::vector<std::string> values;
  try {
    for (SnapshotRows rows(database, statement); !rows.Eof(); rows.Next()) {
      values.push_back(rows.Text(column));
    }
  } catch (const TarvelError&) {
  }
  return values;
}

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

const std::string* FindIgnoringCase(const std::vector<std::string>& names, const char* wanted) {
  for (const std::string& name : names) {
    if (EqualsIgnoringAsciiCase(name, wanted)) return &name;
  }
  return nullptr;
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
  for (const RequiredTable& required : SnapshotTables()) {
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

class SnapshotDatabase : public DictionaryDatabase {
 public:
  explicit SnapshotDatabase(const std::string& path) {
    CheckSqliteHeader(path);
    const std::string fileName = PlainFileName(path);
    sqlite3* opened = nullptr;
    const int result = sqlite3_open_v2(fileName.c_str(), &opened,
                                       SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    database_.reset(opened);
    if (result != SQLITE_OK) {
      if (!database_) throw TarvelError(sqlite3_errstr(result));
      FailWithMessageOf(opened);
    }
    sqlite3_busy_timeout(opened, kBusyTimeoutMs);
    AttachAsSys(opened, fileName);
    CheckSnapshotTables(opened, path);
  }

  std::unique_ptr<DictionaryRows> Run(const std::string& statement) override {
    return std::make_unique<SnapshotRows>(database_.get(), statement);
  }

 private:
  SqliteHandle database_;
};

}  // namespace

std::unique_ptr<DictionaryDatabase> OpenSnapshotDatabase(const std::string& path) {
  return std::make_unique<SnapshotDatabase>(path);
}

}  // namespace tarvel
