#include "catalogue/SqliteDictionary.h"

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "common/Error.h"

namespace tarvel {
namespace {

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

// A number value binds as the integer SQLite would read from the same digits written out.
std::optional<std::int64_t> BindableNumber(const StatementValue& value) {
  const std::string_view digits = value.text;
  if (digits.empty() ||
      !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  return ParseDecimalInteger(digits);
}

std::size_t PlaceCount(std::string_view shape) {
  std::size_t count = 0;
  for (std::size_t mark = shape.find("%s"); mark != std::string_view::npos;
       mark = shape.find("%s", mark + 2)) {
    ++count;
  }
  return count;
}

// A template runs prepared when every value can be bound and fills exactly its places.
bool Bindable(const DictionaryStatement& statement) {
  return !statement.values.empty() && PlaceCount(statement.shape) == statement.values.size() &&
         std::all_of(statement.values.begin(), statement.values.end(),
                     [](const StatementValue& value) {
                       return !value.isNumber || BindableNumber(value).has_value();
                     });
}

// The template with a parameter in each "%s" place.
std::string BoundText(std::string_view shape) {
  std::string text;
  std::size_t done = 0;
  for (std::size_t mark = shape.find("%s"); mark != std::string_view::npos;
       mark = shape.find("%s", done)) {
    text.append(shape, done, mark - done);
    text += '?';
    done = mark + 2;
  }
  text.append(shape, done);
  return text;
}

}  // namespace

void SqliteCloser::operator()(sqlite3* database) const {
  sqlite3_close_v2(database);
}

void StatementFinalizer::operator()(sqlite3_stmt* statement) const {
  sqlite3_finalize(statement);
}

void ConfigureSqlite() {
  static const bool configured = [] {
    // Fails harmlessly when SQLite is already in use (through Qt's driver, in the tests).
    sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
    return true;
  }();
  static_cast<void>(configured);
}

void FailWithMessageOf(sqlite3* database, const std::string& failure) {
  throw TarvelError(failure + sqlite3_errmsg(database));
}

SqliteHandle OpenSqlite(const std::string& name, int flags, const std::string& failure) {
  ConfigureSqlite();
  sqlite3* opened = nullptr;
  const int result = sqlite3_open_v2(name.c_str(), &opened, flags, nullptr);
  SqliteHandle database(opened);
  if (result != SQLITE_OK) {
    if (!database) throw TarvelError(failure + sqlite3_errstr(result));
    FailWithMessageOf(opened, failure);
  }
  return database;
}

// One prepared statement with its result columns, taken by one query at a time.
struct SqliteDictionary::Prepared {
  std::string key;  // the template it was made from; empty when not kept for reuse
  StatementHandle handle;
  std::vector<std::string> columns;
  bool inUse = false;
};

namespace {

using Prepared = SqliteDictionary::Prepared;

std::unique_ptr<Prepared> Prepare(sqlite3* database, const std::string& text,
                                  const std::string& failure) {
  auto prepared = std::make_unique<Prepared>();
  sqlite3_stmt* statement = nullptr;
  const char* rest = nullptr;
  const int result =
      sqlite3_prepare_v2(database, text.data(), static_cast<int>(text.size()), &statement, &rest);
  prepared->handle.reset(statement);
  if (result != SQLITE_OK) FailWithMessageOf(database, failure);
  // One statement at a time: text after the first is refused rather than ignored.
  const std::string_view after(rest, text.data() + text.size() - rest);
  if (!TrimAsciiSpace(after).empty()) FailWithMessageOf(database, failure);
  if (!statement) throw TarvelError("No query");
  const int count = sqlite3_column_count(statement);
  prepared->columns.reserve(count);
  for (int i = 0; i < count; ++i) {
    // Double quotes are dropped from result column names, as they always have been.
    std::string name = sqlite3_column_name(statement, i);
    std::erase(name, '"');
    prepared->columns.push_back(std::move(name));
  }
  return prepared;
}

}  // namespace

// The prepared templates of one connection, by template text.
struct SqliteDictionary::Cache {
  std::unordered_map<std::string_view, std::shared_ptr<Prepared>> statements;

  // The kept statement of the template, or a fresh one while the kept one is in use.
  std::shared_ptr<Prepared> take(sqlite3* database, std::string_view shape,
                                 const std::string& failure) {
    const auto found = statements.find(shape);
    if (found != statements.end() && !found->second->inUse) {
      found->second->inUse = true;
      return found->second;
    }
    std::shared_ptr<Prepared> prepared = Prepare(database, BoundText(shape), failure);
    prepared->inUse = true;
    if (found == statements.end()) {
      prepared->key = shape;
      statements.emplace(prepared->key, prepared);
    }
    return prepared;
  }
};

namespace {

// A query's hold on a prepared statement: given back reset and unbound, and dropped from the
// cache when it failed, so that no broken entry is left for the next query.
class Lease {
 public:
  Lease(std::shared_ptr<Prepared> prepared, std::weak_ptr<SqliteDictionary::Cache> cache)
      : prepared_(std::move(prepared)), cache_(std::move(cache)) {}
  ~Lease() {
    sqlite3_stmt* statement = prepared_->handle.get();
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    prepared_->inUse = false;
    if (failed_ && !prepared_->key.empty()) {
      if (const auto cache = cache_.lock()) cache->statements.erase(prepared_->key);
    }
  }
  Lease(const Lease&) = delete;
  Lease& operator=(const Lease&) = delete;

  sqlite3_stmt* statement() const { return prepared_->handle.get(); }
  const std::vector<std::string>& columns() const { return prepared_->columns; }
  void markFailed() { failed_ = true; }

 private:
  std::shared_ptr<Prepared> prepared_;
  std::weak_ptr<SqliteDictionary::Cache> cache_;
  bool failed_ = false;
};

class SqliteRows : public DictionaryRows {
 public:
  SqliteRows(sqlite3* database, const std::string& failure, std::shared_ptr<Prepared> prepared,
             std::weak_ptr<SqliteDictionary::Cache> cache,
             const std::vector<StatementValue>& values)
      : database_(database),
        failure_(failure),
        lease_(std::move(prepared), std::move(cache)),
        numbers_(lease_.columns().size()) {
    for (std::size_t i = 0; i < values.size(); ++i) bind(static_cast<int>(i) + 1, values[i]);
    next();
  }

  const std::vector<std::string>& columnNames() const override { return lease_.columns(); }

  bool eof() const override { return eof_; }

  // A finished statement is not stepped again, which would run it afresh.
  void next() override {
    if (!error_.empty()) throw TarvelError(error_);
    if (eof_) return;
    sqlite3_stmt* statement = lease_.statement();
    const int result = sqlite3_step(statement);
    eof_ = result != SQLITE_ROW;
    if (result == SQLITE_ROW) return;
    // Resetting at the end lets go of the read lock while the query object lives on.
    sqlite3_reset(statement);
    if (result != SQLITE_DONE) {
      error_ = failure_ + sqlite3_errmsg(database_);
      lease_.markFailed();
      throw TarvelError(error_);
    }
  }

  // A number is written as the integer it reads as, into its column's own place, so that the
  // text of every column read stays valid until the next row.
  std::string_view text(int column) const override {
    sqlite3_value* value = valueOf(column);
    switch (sqlite3_value_type(value)) {
      case SQLITE_NULL:
        return {};
      case SQLITE_INTEGER:
      case SQLITE_FLOAT: {
        NumberText& place = numbers_.at(static_cast<std::size_t>(column));
        const auto written =
            std::to_chars(place.data(), place.data() + place.size(), sqlite3_value_int64(value));
        return {place.data(), static_cast<std::size_t>(written.ptr - place.data())};
      }
      default:
        return TextOf(value);
    }
  }

  // Fractions are cut off, as integers are what the dictionary's numbers are read as.
  std::optional<std::int64_t> integer(int column) const override {
    sqlite3_value* value = valueOf(column);
    switch (sqlite3_value_type(value)) {
      case SQLITE_NULL:
        return 0;
      case SQLITE_INTEGER:
      case SQLITE_FLOAT:
        return sqlite3_value_int64(value);
      default:
        return ParseDecimalInteger(TextOf(value));
    }
  }

  bool isNull(int column) const override {
    return sqlite3_value_type(valueOf(column)) == SQLITE_NULL;
  }

 private:
  // The column's value is looked up once and then read without the statement's checks of each
  // column call: the connection is used by this thread alone, so the value needs no lock.
  sqlite3_value* valueOf(int column) const {
    return sqlite3_column_value(lease_.statement(), column);
  }

  static std::string_view TextOf(sqlite3_value* value) {
    return {reinterpret_cast<const char*>(sqlite3_value_text(value)),
            static_cast<std::size_t>(sqlite3_value_bytes(value))};
  }

  void bind(int place, const StatementValue& value) {
    sqlite3_stmt* statement = lease_.statement();
    const int result =
        value.isNumber ? sqlite3_bind_int64(statement, place, *BindableNumber(value))
                       : sqlite3_bind_text(statement, place, value.text.data(),
                                           static_cast<int>(value.text.size()), SQLITE_TRANSIENT);
    if (result != SQLITE_OK) {
      lease_.markFailed();
      FailWithMessageOf(database_, failure_);
    }
  }

  sqlite3* database_;
  const std::string& failure_;  // the dictionary's, which outlives its rows
  Lease lease_;
  bool eof_ = false;
  std::string error_;
  // Room for any 64-bit integer with its sign.
  using NumberText = std::array<char, 20>;
  mutable std::vector<NumberText> numbers_;
};

}  // namespace

SqliteDictionary::SqliteDictionary(SqliteHandle database, std::string failure)
    : database_(std::move(database)),
      failure_(std::move(failure)),
      cache_(std::make_shared<Cache>()) {}

namespace {

// Runs a statement that gives no rows and leaves it ready to run again.
int RunOnce(const StatementHandle& statement) {
  const int result = sqlite3_step(statement.get());
  sqlite3_reset(statement.get());
  return result;
}

}  // namespace

// A deferred transaction takes the file's read lock at its first statement and keeps it, with
// the pages read, until the commit.
bool SqliteDictionary::beginReading() {
  sqlite3* database = database_.get();
  if (sqlite3_get_autocommit(database) == 0) return false;
  if (!begin_) {
    begin_ = std::move(Prepare(database, "begin", failure_)->handle);
    commit_ = std::move(Prepare(database, "commit", failure_)->handle);
  }
  if (RunOnce(begin_) != SQLITE_DONE) FailWithMessageOf(database, failure_);
  return true;
}

// Ending a read transaction changes nothing, so a failure to end it is of no consequence.
void SqliteDictionary::endReading() {
  RunOnce(commit_);
}

std::unique_ptr<DictionaryRows> SqliteDictionary::run(const DictionaryStatement& statement) {
  sqlite3* database = database_.get();
  if (Bindable(statement)) {
    return std::make_unique<SqliteRows>(database, failure_,
                                        cache_->take(database, statement.shape, failure_), cache_,
                                        statement.values);
  }
  return std::make_unique<SqliteRows>(database, failure_,
                                      Prepare(database, statement.text(), failure_),
                                      std::weak_ptr<Cache>(), std::vector<StatementValue>());
}

std::vector<std::vector<std::string>> ReadRows(sqlite3* database, const std::string& statement,
                                               const std::string& failure) {
  std::vector<std::vector<std::string>> values;
  SqliteRows rows(database, failure, Prepare(database, statement, failure),
                  std::weak_ptr<SqliteDictionary::Cache>(), {});
  const int columns = static_cast<int>(rows.columnNames().size());
  for (; !rows.eof(); rows.next()) {
    std::vector<std::string>& row = values.emplace_back();
    for (int column = 0; column < columns; ++column) row.emplace_back(rows.text(column));
  }
  return values;
}

}  // namespace tarvel
