#pragma once

#include <QTemporaryDir>
#include <string>

namespace tarvel::testing {

// The three dictionary tables of a snapshot with their indexes, as every snapshot has them.
std::string SnapshotTablesSql();

// The same tables for a PostgreSQL test server: in a schema sys that every session of the
// database searches first, OVERLOAD an integer (PostgreSQL compares no text with the number of
// an overload condition), and readable by every role. Loading rows may follow in the same text.
std::string PostgresTablesSql();

// Writes a new SQLite file at path by running the SQL text, statement by statement (split at
// each ';' outside quotes and comments); a failing statement throws TarvelError naming it.
void BuildSnapshotFile(const std::string& path, const std::string& sql);

// One all_arguments row; an empty text is stored as NULL, as Oracle stores it.
struct ArgumentRow {
  std::string owner = "HR";
  std::string package{};
  std::string routine{};
  std::string overload{};
  std::string argument{};
  int position = 1;
  int level = 0;
  std::string type{};
  std::string inOut = "IN";
};
std::string Insert(const ArgumentRow& row);

// One all_procedures row: a package or stand-alone routine has no procedure name.
struct ProcedureRow {
  std::string owner = "HR";
  std::string object{};
  std::string procedure{};
  std::string overload{};
  std::string type = "PACKAGE";
};
std::string Insert(const ProcedureRow& row);

// One dba_objects row.
struct ObjectRow {
  std::string owner = "HR";
  std::string object{};
  std::string type = "PACKAGE";
};
std::string Insert(const ObjectRow& row);

// A snapshot in its own temporary folder: the three tables, then the given rows (SQL text,
// usually INSERT statements). The folder goes away with the object.
class TemporarySnapshot {
 public:
  explicit TemporarySnapshot(const std::string& rowsSql = "");
  const std::string& path() const { return path_; }
  // The folder, for further files a test wants beside the snapshot.
  std::string folder() const;

 private:
  QTemporaryDir dir_;
  std::string path_;
};

}  // namespace tarvel::testing
