#include "writers/CollectionTypes.h"

#include "writers/Lines.h"

namespace tarvel {

void AppendCollectionDeclaration(std::string_view name, std::string_view entryName,
                                 std::string_view elementType, std::string& unit) {
  if (!entryName.empty()) {
    AppendLine(unit, {"  ", entryName, " = record"});
    AppendLines(unit, {"    Key : string;"});
    AppendLine(unit, {"    Value : ", elementType, ";"});
    AppendLines(unit, {"  end;", ""});
  }
  AppendLine(unit, {"  ", name, " = array of ", entryName.empty() ? elementType : entryName, ";"});
  EndLine(unit);
}

}  // namespace tarvel
