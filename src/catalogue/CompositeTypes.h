#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/DictionaryConnection.h"
#include "catalogue/uClass.h"
#include "typemap/uUtil.h"

namespace tarvel {

// Whether ALL_ARGUMENTS' DATA_TYPE names a record, collection, object or opaque SQL type.
bool IsCompositeDataType(std::string_view dataType);

// The routine whose composite arguments are described; the overload is digits only, or empty.
struct CompositeRoutine {
  const std::string& packageName;
  const std::string& routineName;
  const std::string& overload;
};

// Reads the structure of composite types for one run, each type once, into the model's list.
// Up to 12.2 ALL_ARGUMENTS lists a composite argument's fields and elements as nested rows after
// it; from 18c it has the argument's row only, and the type views hold the structure. Either
// gives the same description. A view the dictionary lacks (an 11g server, an older snapshot)
// counts as one without rows.
class CompositeTypeReader {
 public:
  // Scalar fields and elements are mapped by the type table with `additions`.
  CompositeTypeReader(DictionaryConnection& connection, const std::string& owner,
                      TOraTypesList& types, const TypeAdditions& additions)
      : connection_(connection), owner_(owner), types_(types), additions_(additions) {}

  // The type of each composite argument of the routine, by POSITION (0 for the function
  // result); `positions` are those arguments' positions. A type whose structure cannot be found
  // fails with a message naming the argument and the type.
  std::map<std::int64_t, const TOraType*> describe(const CompositeRoutine& routine,
                                                   const std::set<std::int64_t>& positions);

  // One row of ALL_ARGUMENTS as the nested rows need it.
  struct ArgumentRow {
    std::string name;
    std::string dataType;
    std::string typeOwner;
    std::string typeName;
    std::string typeSubName;
    std::string typeObjectType;
    std::int64_t position = 0;
    std::int64_t level = 0;
    std::optional<std::int64_t> length;
    std::optional<std::int64_t> precision;
    std::optional<std::int64_t> scale;
  };
  // A type's dictionary names and what its argument or member row says of its kind.
  struct TypeNames {
    std::string owner;
    std::string name;
    std::string subName;
    std::optional<TypeKind> kind;  // none when only the views can tell
  };

 private:
  const TOraType* keep(TOraType type);
  const TOraType* fromNestedRows(const std::vector<ArgumentRow>& rows, std::size_t at, int depth);
  const TOraType* fromViews(const TypeNames& names, int depth);
  bool readPackageType(TOraType& type, int depth);
  bool readSqlType(TOraType& type, int depth);
  bool readCollection(TOraType& type, const char* view, int depth);
  bool readFields(TOraType& type, const char* view, int depth);
  std::optional<TOraTypeMember> memberOfViewRow(const DictionaryQuery& row, const TOraType& holder,
                                                bool withPackage, int depth);
  // Runs a statement on one of the type views; false when the dictionary has no such view.
  std::unique_ptr<DictionaryQuery> viewQuery(const char* view,
                                             const DictionaryStatement& statement);

  DictionaryConnection& connection_;
  const std::string& owner_;
  TOraTypesList& types_;
  const TypeAdditions& additions_;
  std::set<std::string, std::less<>> missingViews_;  // views the dictionary answered with an error
  bool plainRoutineRows_ = false;  // ALL_ARGUMENTS answered without its type columns
};

}  // namespace tarvel
