#pragma once

#include <set>
#include <string>
#include <vector>

namespace tarvel {

// The unit files in the folder that a run would not write: ".pas" files that carry the
// generator's banner line but are none of `unitFileNames`, in name order. Files of other kinds,
// and units the user wrote, are left alone; a missing folder holds none. A file that cannot be
// read fails with "Cannot read <path>: <reason>".
std::vector<std::string> StaleUnitFiles(const std::string& folder,
                                        const std::set<std::string>& unitFileNames);

}  // namespace tarvel
