#pragma once

#include <vector>

namespace tarvel {

// A dictionary view as a snapshot holds it: a table of the view's own name, with the columns
// the generator reads (a snapshot may have more). The log-on check, the export and the run's
// copy of a server's rows all go by this description; samples/snapshot-schema.sql creates the
// tables, and every snapshot the tests log on to is made from it.
struct SnapshotTable {
  const char* name;
  const char* source;                // the view as a server's statement names it
  std::vector<const char*> columns;  // as the statements write them
};

const SnapshotTable& ObjectsTable();
const SnapshotTable& ArgumentsTable();
const SnapshotTable& ProceduresTable();

// Whether a column the generator reads holds integers (POSITION, SEQUENCE, DATA_LEVEL), as
// against names and types, which are texts.
bool IsIntegerColumn(const char* column);

// dba_objects, all_arguments and all_procedures, in that order.
const std::vector<SnapshotTable>& SnapshotTables();

// The views that describe records, collections and objects, with the columns the reader reads
// and its lookups search by, owner first. A snapshot may lack any of them and then reads as one
// made before they were known; a server may lack them too (11g has no PL/SQL type views).
const std::vector<SnapshotTable>& TypeTables();

// The columns of all_arguments that give a composite argument's type and a field's size, which
// a snapshot may lack.
const std::vector<const char*>& ArgumentTypeColumns();

}  // namespace tarvel
