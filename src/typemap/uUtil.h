#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "common/Error.h"

namespace tarvel {

// A data type found neither in the built-in table nor in the user's additions.
class UnsupportedTypeError : public TarvelError {
 public:
  explicit UnsupportedTypeError(std::string_view dataType);
  const std::string& dataType() const { return dataType_; }
  // The argument that has the type, told by the reader; empty for a function result.
  const std::string& argument() const { return argument_; }
  void setArgument(std::string_view argument) { argument_ = argument; }

 private:
  std::string dataType_;
  std::string argument_;
};

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

struct CarriedType {
  std::string_view fieldType;
  std::string_view delphiType;
};

// SQL types that no ADO field type binds but a PL/SQL block carries as text: an INTERVAL as its
// text, an XMLTYPE as CLOB text. None for any other data type.
std::optional<CarriedType> BlockCarriedType(std::string_view dataType);

}  // namespace tarvel
