#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/DictionaryConnection.h"
#include "catalogue/DictionaryDatabase.h"
#include "catalogue/SnapshotTables.h"

struct sqlite3;

namespace tarvel {

// What a copy takes from one view: the owner's rows, of these columns. The owner column is
// never fetched: every row holds the owner asked for, which goes in as a constant.
struct CopiedView {
  const SnapshotTable& view;
  std::vector<const char*> columns;
};

// Every column of the view but the owner, and but those `leftOut` names.
CopiedView CopyOf(const SnapshotTable& view, const std::vector<std::string_view>& leftOut = {});

// The statement reading the owner's rows of the view, column for column; `condition`
// ("and ...") narrows them.
std::string CopyStatement(const CopiedView& copied, const std::string& owner,
                          const std::string& condition, const std::string& order = "");

// Runs SQL text, one or more statements, on an SQLite database; fails with `failure` followed
// by SQLite's message.
void ExecuteSql(sqlite3* into, const char* sql, const std::string& failure);

// Inserts every row of the query, read by CopyStatement, into the view's table with the owner
// asked for (or, when `owner` is empty, with the owner among the copied columns); empty texts go
// in as NULL, as the dictionary never holds an empty text where it means a value. Returns the
// number of rows.
std::int64_t InsertRows(sqlite3* into, const CopiedView& copied, const std::string& owner,
                        DictionaryQuery& rows, const std::string& failure);

// The rows of all_arguments and all_procedures that the reader's statements ask for the
// given package names ("" for the routines outside packages), copied from a server into an
// SQLite temporary database of the snapshot's shape, in a handful of statements. The reader's
// statements then run unchanged against the copy. `withTypes` adds what describes their
// composite arguments, for a reader that describes them.
std::unique_ptr<DictionaryDatabase> CopyServerDictionary(DictionaryConnection& server,
                                                         const std::string& owner,
                                                         const std::vector<std::string>& names,
                                                         bool withTypes = false);

}  // namespace tarvel
