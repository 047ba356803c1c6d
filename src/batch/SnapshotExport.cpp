#include "batch/SnapshotExport.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "catalogue/DictionaryCopy.h"
#include "catalogue/SnapshotSchema.h"
#include "catalogue/SqliteDictionary.h"
#include "catalogue/TypeRowsCopy.h"
#include "common/Error.h"
#include "common/Paths.h"

namespace tarvel {

namespace {

// What the export adds to each view's copy: the kinds of objects and an order that makes the
// file the same for the same dictionary.
struct ExportedView {
  CopiedView copied;
  const char* condition;
  const char* order;
};

const std::vector<ExportedView>& ExportedViews() {
  static const std::vector<ExportedView> views{
      {CopyOf(ObjectsTable()), " and object_type in ('PACKAGE', 'PROCEDURE', 'FUNCTION')",
       "object_name, object_type"},
      {CopyOf(ArgumentsTable()), "", "package_name, object_name, overload, sequence"},
      {CopyOf(ProceduresTable()), "", "object_name, procedure_name, overload"},
  };
  return views;
}

// The SQLite file being built, under its temporary name.
class SnapshotWriter {
 public:
  SnapshotWriter(const std::string& temporaryPath, const std::string& path)
      : failure_("Unable to write to " + path + ": "),
        db_(OpenSqlite(temporaryPath, SQLITE_OPEN_READWRITE, failure_)) {}

  void execute(const char* sql) { ExecuteSql(db_.get(), sql, failure_); }

  std::int64_t copy(const CopiedView& copied, const std::string& owner, DictionaryQuery& rows) {
    return InsertRows(db_.get(), copied, owner, rows, failure_);
  }

  // What describes the owner's composite arguments, from a server that has it.
  void copyTypes(DictionaryConnection& connection, const std::string& owner) {
    CopyCompositeTypes(connection, db_.get(), owner, {""}, failure_);
  }

  void close() {
    if (sqlite3_close(db_.get()) != SQLITE_OK) FailWithMessageOf(db_.get(), failure_);
    db_.release();
  }

 private:
  std::string failure_;
  SqliteHandle db_;
};

// The temporary file while it is being built: a signal that ends the program removes it first.
// The path is kept where the handler can read it without allocating.
std::atomic<const char*> gTemporaryToRemove{nullptr};

void RemoveTemporaryAndEnd(int signal) {
  if (const char* path = gTemporaryToRemove.load()) ::unlink(path);
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

// A new file beside the target (so that the final rename stays on one file system), removed
// unless kept, on a signal too.
class TemporaryFile {
 public:
  // From the root: SQLite would read a name beginning with "file:" as a URI.
  // The signals wait while the file comes into being, so that none ends the program between
  // its creation and the handler that removes it.
  explicit TemporaryFile(const std::string& path) : path_(AbsolutePath(path) + ".XXXXXX") {
    sigset_t ending, before;
    sigemptyset(&ending);
    for (const int signal : kSignals) sigaddset(&ending, signal);
    ::sigprocmask(SIG_BLOCK, &ending, &before);
    const int fd = ::mkstemp(path_.data());
    const int error = errno;
    if (fd >= 0) {
      ::close(fd);
      gTemporaryToRemove = path_.c_str();
      struct sigaction action {};
      action.sa_handler = RemoveTemporaryAndEnd;
      sigemptyset(&action.sa_mask);
      for (std::size_t i = 0; i < kSignals.size(); ++i) {
        sigaction(kSignals[i], &action, &previous_[i]);
      }
    }
    ::sigprocmask(SIG_SETMASK, &before, nullptr);
    if (fd < 0) throw TarvelError("Unable to write to " + path + ": " + std::strerror(error));
  }
  ~TemporaryFile() {
    if (!kept_) ::unlink(path_.c_str());
    for (std::size_t i = 0; i < kSignals.size(); ++i)
      sigaction(kSignals[i], &previous_[i], nullptr);
    gTemporaryToRemove = nullptr;
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  const std::string& path() const { return path_; }
  void keep() { kept_ = true; }

 private:
  static constexpr std::array<int, 3> kSignals{SIGINT, SIGTERM, SIGHUP};
  std::string path_;
  bool kept_ = false;
  std::array<struct sigaction, 3> previous_{};
};

// Temporary files are private to their owner; the snapshot gets the permissions of a new file.
void GiveNewFilePermissions(const std::string& path) {
  chmod(path.c_str(), NewFileMode());
}

}  // namespace

SnapshotRowCounts ExportSnapshot(DictionaryConnection& connection, const std::string& owner,
                                 const std::string& path) {
  TemporaryFile temporary(path);
  const std::string& temporaryPath = temporary.path();

  SnapshotRowCounts counts;
  {
    SnapshotWriter writer(temporaryPath, path);
    // The file is new and is renamed into place only when complete: no rollback journal needed.
    writer.execute("pragma journal_mode = off");
    writer.execute("begin");
    writer.execute(kSnapshotSchemaSql);
    std::int64_t* const targets[] = {&counts.objects, &counts.arguments, &counts.procedures};
    for (std::size_t i = 0; i < ExportedViews().size(); ++i) {
      const ExportedView& exported = ExportedViews()[i];
      DictionaryQuery rows(
          connection, CopyStatement(exported.copied, owner, exported.condition, exported.order));
      *targets[i] = writer.copy(exported.copied, owner, rows);
    }
    writer.copyTypes(connection, owner);
    writer.execute("commit");
    writer.close();
  }
  GiveNewFilePermissions(temporaryPath);
  if (std::rename(temporaryPath.c_str(), path.c_str()) != 0) {
    throw TarvelError("Unable to write to " + path + ": " + std::strerror(errno));
  }
  temporary.keep();
  return counts;
}

}  // namespace tarvel
