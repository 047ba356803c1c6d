#pragma once

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "catalogue/uClass.h"

namespace tarvel {

// The Delphi record type of each dictionary type that the units' methods take or return, and
// the Pascal names of its fields. Each type is declared once, in the types unit.
class DelphiTypeNames {
 public:
  const std::string& of(const TOraType& type) const { return names_.at(&type).name; }
  const std::vector<std::string>& fieldsOf(const TOraType& type) const {
    return names_.at(&type).fields;
  }
  // The key/value record of a table keyed by text: its name + "Entry".
  const std::string& entryOf(const TOraType& type) const { return names_.at(&type).entry; }
  // In the order the methods first use them: the order of their declarations.
  const std::vector<const TOraType*>& types() const { return order_; }
  bool empty() const { return order_.empty(); }

 private:
  friend class DelphiTypeNamer;
  struct Names {
    std::string name;
    std::vector<std::string> fields;
    std::string entry;
  };
  std::unordered_map<const TOraType*, Names> names_;
  std::vector<const TOraType*> order_;
};

// Whether the value is a record (a record, %ROWTYPE or object) rather than a scalar: composites
// that a type mapping carries as text (XMLTYPE) have a Delphi type of their own.
inline bool IsRecordValue(const TOraParameter& value) {
  return value.Type != nullptr && value.DelphiType.empty();
}

// The Delphi type of an argument or result: its record's, or the type table's.
inline const std::string& DelphiTypeOf(const TOraParameter& value, const DelphiTypeNames& names) {
  return IsRecordValue(value) ? names.of(*value.Type) : value.DelphiType.str();
}

// The name before clashes: "T" + the package's identifier + the type's for a package's type,
// "T" + the type's identifier for an object, "T" + the table's identifier + "Row" for a
// %ROWTYPE.
std::string DelphiTypeBaseName(const TOraType& type);

// Names the types of the model's arguments and results in model order. `identifier` gives a
// name's identifier form (characters that cannot stand in one made "_"); a type name gets "_"
// appended while `takenByUnits` says its upper-case form is taken or an earlier type has it, a
// field name while `reserved` says so or an earlier field of its record has it.
using UpperNameTest = std::function<bool(const std::string& upper)>;
DelphiTypeNames NameDelphiTypes(const TOraDatabase& model,
                                const std::function<std::string(const std::string&)>& identifier,
                                const UpperNameTest& takenByUnits, const UpperNameTest& reserved);

}  // namespace tarvel
