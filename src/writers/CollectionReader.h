#pragma once

#include <string>

namespace tarvel {

// The class generated units read a collection with when a block hands one back as one CLOB
// (docs/calls-through-blocks.md, "Collections"). It lives in the types unit: its declaration
// goes into the unit's "type" section, its body after "implementation", whose uses clause
// must name SysUtils and Variants. Both are fixed texts, ended by CR LF like every unit line.
void AppendCollectionReaderDeclaration(std::string& unit);
void AppendCollectionReaderBody(std::string& unit);

}  // namespace tarvel
