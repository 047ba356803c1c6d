#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

namespace tarvel {

// The user's own data types from config.ini, "AVAR" giving field types and "DVAR" Delphi types,
// keyed by the data type in ASCII upper case (the file's keys match ignoring case). An empty
// value adds nothing.
struct TypeAdditions {
  std::unordered_map<std::string, std::string> fieldTypes;
  std::unordered_map<std::string, std::string> delphiTypes;
};

// Dictionary data type to ADO field-type name.
std::string MapFieldType(std::string_view dataType, const TypeAdditions& additions);
// Dictionary data type to Delphi type name.
std::string MapDelphiType(std::string_view dataType, const TypeAdditions& additions);

}  // namespace tarvel
