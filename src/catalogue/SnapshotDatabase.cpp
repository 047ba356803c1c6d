#include <sqlite3.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "catalogue/SnapshotTables.h"
#include "catalogue/SqliteDictionary.h"
#include "common/Error.h"
#include "common/Paths.h"
#include "common/Text.h"

namespace tarvel {
namespace {

// How long a statement waits for a writer elsewhere to let go of the file.
constexpr int kBusyTimeoutMs = 5000;

[[noreturn]] void FailNotSnapshot(const std::string& path, const std::string& reason) {
  throw TarvelError(path + " is not a dictionary snapshot: " + reason);
}

std::uint32_t BigEndian(const unsigned char* bytes, int size) {
  std::uint32_t value = 0;
  for (int i = 0; i < size; ++i) value = value << 8 | bytes[i];
  return value;
}

// SQLite would open any file and fail only at the first statement, with a vaguer message. A file
// cut short reads its missing bytes as zeros, so routines would go missing without a failure:
// the header's page count, kept whenever its change counter agrees, tells the size it must have.
void CheckSqliteHeader(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw TarvelError("Cannot read " + path + ": " + std::strerror(errno));
  constexpr std::size_t kHeaderSize = 100;
  std::array<unsigned char, kHeaderSize> header{};
  struct stat info {};
  const ssize_t count = ::read(fd, header.data(), header.size());
  const int readError = errno;
  const bool sized = ::fstat(fd, &info) == 0;
  ::close(fd);
  if (count < 0) throw TarvelError("Cannot read " + path + ": " + std::strerror(readError));
  static constexpr std::string_view kMagic("SQLite format 3\0", 16);
  const auto size = static_cast<std::size_t>(count);
  if (size < kMagic.size() || !std::equal(kMagic.begin(), kMagic.end(), header.begin())) {
    FailNotSnapshot(path, "it is not an SQLite database");
  }
  if (size < kHeaderSize) throw TarvelError(path + " is truncated");
  const std::uint32_t pageSizeField = BigEndian(header.data() + 16, 2);
  const std::uint64_t pageSize = pageSizeField == 1 ? 65536 : pageSizeField;
  const std::uint32_t pageCount = BigEndian(header.data() + 28, 4);
  const bool countKept =
      pageCount != 0 && BigEndian(header.data() + 24, 4) == BigEndian(header.data() + 92, 4);
  if (sized && countKept && static_cast<std::uint64_t>(info.st_size) < pageSize * pageCount) {
    throw TarvelError(path + " is truncated");
  }
}

// The type affinity SQLite gives a column declared so.
enum class Affinity { kInteger, kText, kOther };
Affinity AffinityOf(const std::string& declared) {
  const std::string type = AsciiUpper(declared);
  if (type.find("INT") != std::string::npos) return Affinity::kInteger;
  for (const char* text : {"CHAR", "CLOB", "TEXT"}) {
    if (type.find(text) != std::string::npos) return Affinity::kText;
  }
  return Affinity::kOther;
}

// A column compares and sorts as the dictionary does only with binary collation and the
// declared type of its kind: NOCASE merges do_it with DO_IT, an untyped OVERLOAD never equals
// the bound number. A generated column costs every "select *" its computation.
void CheckColumns(sqlite3* database, const SnapshotTable& required, const std::string& table,
                  const std::string& failure, std::vector<std::string>& problems) {
  const std::vector<std::vector<std::string>> columns =
      ReadRows(database, "pragma table_xinfo(" + Enclosed(table, '"', '"') + ")", failure);
  std::vector<std::string> names;
  for (const std::vector<std::string>& column : columns) {
    names.push_back(column[1]);
    const std::string& hidden = column[6];
    if (hidden != "0") {
      problems.push_back("table " + std::string(required.name) + " has the " +
                         (hidden == "1" ? "hidden" : "generated") + " column " + column[1]);
    }
  }
  for (const char* wanted : required.columns) {
    const std::string* column = FindIgnoringCase(names, wanted);
    const std::string shown = std::string(required.name) + "." + AsciiUpper(wanted);
    if (column == nullptr) {
      problems.push_back(std::string("table ") + required.name + " has no column " +
                         AsciiUpper(wanted));
      continue;
    }
    const char* declared = nullptr;
    const char* collation = nullptr;
    if (sqlite3_table_column_metadata(database, "main", table.c_str(), column->c_str(), &declared,
                                      &collation, nullptr, nullptr, nullptr) != SQLITE_OK) {
      FailWithMessageOf(database, failure);
    }
    const bool integer = IsIntegerColumn(wanted);
    if (AffinityOf(declared == nullptr ? "" : declared) !=
        (integer ? Affinity::kInteger : Affinity::kText)) {
      problems.push_back(shown + " is not declared " + (integer ? "integer" : "text"));
    }
    if (collation != nullptr && !EqualsIgnoringAsciiCase(collation, "BINARY")) {
      problems.push_back(shown + " compares with collation " + AsciiUpper(collation) +
                         ", not BINARY");
    }
  }
}

// Only tables: a view can hold any query, an endless recursive one included, and a virtual
// table runs code of its module. The type views may be missing, but not be anything else.
void CheckSnapshotTables(sqlite3* database, const std::string& path, const std::string& failure) {
  const std::vector<std::vector<std::string>> objects = ReadRows(
      database,
      "select name, case when type = 'table' and sql like 'create virtual%' then 'virtual table' "
      "else type end from sqlite_master",
      failure);
  std::vector<std::string> names;
  for (const std::vector<std::string>& object : objects) names.push_back(object[0]);
  std::vector<std::string> problems;
  for (const SnapshotTable& required : SnapshotTables()) {
    const std::string* table = FindIgnoringCase(names, required.name);
    const std::string type = table == nullptr ? "" : objects[table - names.data()][1];
    if (table == nullptr) {
      problems.push_back(std::string("table ") + required.name + " is missing");
    } else if (type != "table") {
      problems.push_back(*table + " is a " + type + ", not a table");
    } else {
      CheckColumns(database, required, *table, failure, problems);
    }
  }
  for (const SnapshotTable& optional : TypeTables()) {
    const std::string* table = FindIgnoringCase(names, optional.name);
    const std::string type = table == nullptr ? "table" : objects[table - names.data()][1];
    if (type != "table") problems.push_back(*table + " is a " + type + ", not a table");
  }
  std::string missing;
  for (const std::string& problem : problems) missing += (missing.empty() ? "" : "; ") + problem;
  if (!missing.empty()) FailNotSnapshot(path, missing);
}

// Attached a second time as "sys" so that the dictionary statements run unchanged; an attached
// file takes the read-only opening of the first.
void AttachAsSys(sqlite3* database, const std::string& path, const std::string& failure) {
  sqlite3_stmt* prepared = nullptr;
  if (sqlite3_prepare_v2(database, "attach database ? as sys", -1, &prepared, nullptr) !=
      SQLITE_OK) {
    FailWithMessageOf(database, failure);
  }
  const StatementHandle attach(prepared);
  if (sqlite3_bind_text(prepared, 1, path.data(), static_cast<int>(path.size()),
                        SQLITE_TRANSIENT) != SQLITE_OK ||
      sqlite3_step(prepared) != SQLITE_DONE) {
    FailWithMessageOf(database, failure);
  }
}

// SQLite reads a name that begins with "file:" as a URI, naming another file than the one
// checked: an absolute path never begins so.
SqliteHandle OpenSnapshotFile(const std::string& path, const std::string& failure) {
  CheckSqliteHeader(path);
  const std::string fileName = AbsolutePath(path);
  SqliteHandle database = OpenSqlite(fileName, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, failure);
  sqlite3* opened = database.get();
  sqlite3_busy_timeout(opened, kBusyTimeoutMs);
  AttachAsSys(opened, fileName, failure);
  CheckSnapshotTables(opened, path, failure);
  return database;
}

}  // namespace

// SQLite's messages ("database is locked", "database disk image is malformed") name no file.
std::unique_ptr<DictionaryDatabase> OpenSnapshotDatabase(const std::string& path) {
  const std::string failure = path + ": ";
  return std::make_unique<SqliteDictionary>(OpenSnapshotFile(path, failure), failure);
}

}  // namespace tarvel
