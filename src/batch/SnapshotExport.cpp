#include "batch/SnapshotExport.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "batch/SnapshotSchema.h"
#include "catalogue/SqlLiteral.h"
#include "common/Error.h"
#include "common/QtText.h"

namespace tarvel {

namespace {

// One dictionary view copied into the snapshot table of the same name, column for column.
struct TableCopy {
  const char* table;
  const char* source;
  const char* condition;  // besides the owner
  const char* order;
  std::vector<const char*> columns;
};

const std::vector<TableCopy>& TableCopies() {
  static const std::vector<TableCopy> copies{
      {"dba_objects",
       "dba_objects",
       " and object_type in ('PACKAGE', 'PROCEDURE', 'FUNCTION')",
       "object_name, object_type",
       {"owner", "object_name", "object_type"}},
      {"all_arguments",
       "sys.all_arguments",
       "",
       "package_name, object_name, overload, sequence",
       {"owner", "package_name", "object_name", "overload", "argument_name", "position", "sequence",
        "data_level", "data_type", "in_out"}},
      {"all_procedures",
       "sys.all_procedures",
       "",
       "object_name, procedure_name, overload",
       {"owner", "object_name", "procedure_name", "object_type", "overload"}},
  };
  return copies;
}

std::string JoinColumns(const TableCopy& copy) {
  std::string joined;
  for (const char* column : copy.columns) {
    if (!joined.empty()) joined += ", ";
    joined += column;
  }
  return joined;
}

std::string SelectStatement(const TableCopy& copy, const std::string& owner) {
  return "select " + JoinColumns(copy) + " from " + copy.source +
         " where owner = " + QuoteOwner(owner) + copy.condition + " order by " + copy.order;
}

std::string InsertStatement(const TableCopy& copy) {
  std::string places;
  for (std::size_t i = 0; i < copy.columns.size(); ++i) places += i == 0 ? "?" : ", ?";
  return std::string("insert into ") + copy.table + " (" + JoinColumns(copy) + ") values (" +
         places + ")";
}

// The SQLite file being built, under its temporary name.
class SnapshotWriter {
 public:
  SnapshotWriter(const std::string& temporaryPath, const std::string& path) : path_(path) {
    if (sqlite3_open_v2(temporaryPath.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
      Fail();
    }
  }
  ~SnapshotWriter() { sqlite3_close(db_); }
  SnapshotWriter(const SnapshotWriter&) = delete;
  SnapshotWriter& operator=(const SnapshotWriter&) = delete;

  void Execute(const char* sql) {
    if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK) Fail();
  }

  // Empty texts go in as NULL: the dictionary never holds an empty text where it means a value.
  std::int64_t Copy(const TableCopy& copy, DictionaryQuery& rows) {
    sqlite3_stmt* insert = nullptr;
    if (sqlite3_prepare_v2(db_, InsertStatement(copy).c_str(), -1, &insert, nullptr) != SQLITE_OK) {
      Fail();
    }
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> finalizer(insert, sqlite3_finalize);
    std::int64_t count = 0;
    for (; !rows.Eof(); rows.Next(), ++count) {
      for (std::size_t i = 0; i < copy.columns.size(); ++i) {
        const std::string value = rows.FieldText(copy.columns[i]);
        const int place = static_cast<int>(i) + 1;
        const int bound = value.empty()
                              ? sqlite3_bind_null(insert, place)
                              : sqlite3_bind_text(insert, place, value.data(),
                                                  static_cast<int>(value.size()), SQLITE_TRANSIENT);
        if (bound != SQLITE_OK) Fail();
      }
      if (sqlite3_step(insert) != SQLITE_DONE) Fail();
      sqlite3_reset(insert);
    }
    return count;
  }

  void Close() {
    const int closed = sqlite3_close(db_);
    if (closed != SQLITE_OK) Fail();
    db_ = nullptr;
  }

 private:
  [[noreturn]] void Fail() const {
    throw TarvelError("Unable to write to " + path_ + ": " +
                      (db_ != nullptr ? sqlite3_errmsg(db_) : "out of memory"));
  }

  std::string path_;
  sqlite3* db_ = nullptr;
};

// Temporary files are private to their owner; the snapshot gets the permissions of a new file.
void GiveNewFilePermissions(const std::string& path) {
  const mode_t mask = umask(0);
  umask(mask);
  chmod(path.c_str(), 0666 & ~mask);
}

}  // namespace

SnapshotRowCounts ExportSnapshot(DictionaryConnection& connection, const std::string& owner,
                                 const std::string& path) {
  // A temporary file beside the target, so that the final rename stays on one file system.
  QTemporaryFile temporary(ToQString(path) + QStringLiteral(".XXXXXX"));
  if (!temporary.open()) {
    throw TarvelError("Unable to write to " + path + ": " + FromQString(temporary.errorString()));
  }
  const std::string temporaryPath = FromQString(QFileInfo(temporary).absoluteFilePath());
  temporary.close();

  SnapshotRowCounts counts;
  {
    SnapshotWriter writer(temporaryPath, path);
    // The file is new and is renamed into place only when complete: no rollback journal needed.
    writer.Execute("pragma journal_mode = off");
    writer.Execute("begin");
    writer.Execute(kSnapshotSchemaSql);
    std::int64_t* const targets[] = {&counts.objects, &counts.arguments, &counts.procedures};
    for (std::size_t i = 0; i < TableCopies().size(); ++i) {
      const TableCopy& copy = TableCopies()[i];
      DictionaryQuery rows(connection, SelectStatement(copy, owner));
      *targets[i] = writer.Copy(copy, rows);
    }
    writer.Execute("commit");
    writer.Close();
  }
  GiveNewFilePermissions(temporaryPath);
  if (std::rename(temporaryPath.c_str(), path.c_str()) != 0) {
    throw TarvelError("Unable to write to " + path + ": " + std::strerror(errno));
  }
  temporary.setAutoRemove(false);
  return counts;
}

}  // namespace tarvel
