#pragma once

#include <string>
#include <string_view>

namespace tarvel {

// The types unit's declaration of one collection type: a dynamic array of its element's Delphi
// type, so that a method can return it and fill it from the reader. A table keyed by text has
// key/value entries: `entryName` names that record, declared first; empty for other tables.
void AppendCollectionDeclaration(std::string_view name, std::string_view entryName,
                                 std::string_view elementType, std::string& unit);

}  // namespace tarvel
