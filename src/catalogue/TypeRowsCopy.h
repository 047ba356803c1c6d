#pragma once

#include <string>
#include <vector>

#include "catalogue/DictionaryConnection.h"

struct sqlite3;

namespace tarvel {

// Completes a copy of a server's all_arguments rows (those of the `conditions`, each "and ..."
// as the copy asked for them) with what describes composite arguments: their rows once more,
// with SEQUENCE and the columns naming their types, and the rows of the type views that those
// types reach, transitively, a few statements per level of nesting. A server without the type
// columns or without a view is skipped for them: the copy then lacks what the server lacks.
void CopyCompositeTypes(DictionaryConnection& server, sqlite3* into, const std::string& owner,
                        const std::vector<std::string>& conditions, const std::string& failure);

}  // namespace tarvel
