#pragma once

#include <string>

namespace tarvel {

// Dictionary data type to ADO field-type name ("AVAR" in config.ini adds types).
std::string MapFieldType(const std::string& dataType);
// Dictionary data type to Delphi type name ("DVAR" in config.ini adds types).
std::string MapDelphiType(const std::string& dataType);

}  // namespace tarvel
