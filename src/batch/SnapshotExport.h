#pragma once

#include <cstdint>
#include <string>

#include "catalogue/DictionaryConnection.h"

namespace tarvel {

struct SnapshotRowCounts {
  std::int64_t objects = 0;
  std::int64_t arguments = 0;
  std::int64_t procedures = 0;
};

// Copies the owner's packages, procedures and functions from dba_objects, and the owner's rows of
// sys.all_arguments and sys.all_procedures, with what the type views say of their composite
// arguments where the server has them, into a new dictionary snapshot at path. The file
// takes its place only once it is complete; a failure leaves whatever was there before.
SnapshotRowCounts ExportSnapshot(DictionaryConnection& connection, const std::string& owner,
                                 const std::string& path);

}  // namespace tarvel
