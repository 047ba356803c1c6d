#include "writers/DelphiTypeNames.h"

#include <unordered_set>

#include "common/Text.h"

namespace tarvel {

std::string DelphiTypeBaseName(const TOraType& type) {
  std::string name = "T";
  name += FormatIdentifier(type.Name.str());
  if (!type.SubName.empty()) name += FormatIdentifier(type.SubName.str());
  if (type.Kind == TypeKind::RowType) name += "Row";
  return name;
}

class DelphiTypeNamer {
 public:
  DelphiTypeNamer(const std::function<std::string(const std::string&)>& identifier,
                  const UpperNameTest& takenByUnits, const UpperNameTest& reserved)
      : identifier_(identifier), takenByUnits_(takenByUnits), reserved_(reserved) {}

  DelphiTypeNames run(const TOraDatabase& model) {
    for (const TOraPackage& package : model.Packages) {
      for (const TOraProcedure& routine : package.Procedures) {
        if (routine.ReturnParam && IsRecordValue(*routine.ReturnParam)) {
          name(routine.ReturnParam->Type);
        }
        for (const TOraParameter& argument : routine.Parameters) {
          if (IsRecordValue(argument)) name(argument.Type);
        }
      }
    }
    return std::move(names_);
  }

 private:
  // A type once, then the types of its fields and element, so that a type that holds another
  // is declared after it.
  void name(const TOraType* type) {
    if (type == nullptr || names_.names_.contains(type)) return;
    for (const TOraTypeMember& field : type->Fields) name(field.Type);
    if (type->Element) name(type->Element->Type);
    DelphiTypeNames::Names& names = names_.names_[type];
    names.name = Unique(identifier_(DelphiTypeBaseName(*type)), [&](const std::string& upper) {
      return takenByUnits_(upper) || typeNames_.contains(upper);
    });
    typeNames_.insert(AsciiUpper(names.name));
    if (type->Kind == TypeKind::IndexBy && type->IndexBy == "VARCHAR2") {
      names.entry = Unique(names.name + "Entry", [&](const std::string& upper) {
        return takenByUnits_(upper) || typeNames_.contains(upper);
      });
      typeNames_.insert(AsciiUpper(names.entry));
    }
    std::unordered_set<std::string> fieldNames;
    for (const TOraTypeMember& field : type->Fields) {
      names.fields.push_back(
          Unique(identifier_(FormatIdentifier(field.DbName.str())), [&](const std::string& upper) {
            return reserved_(upper) || fieldNames.contains(upper);
          }));
      fieldNames.insert(AsciiUpper(names.fields.back()));
    }
    names_.order_.push_back(type);
  }

  template <typename Taken>
  static std::string Unique(std::string name, const Taken& taken) {
    std::string upper = AsciiUpper(name);
    while (taken(upper)) {
      name += '_';
      upper += '_';
    }
    return name;
  }

  const std::function<std::string(const std::string&)>& identifier_;
  const UpperNameTest& takenByUnits_;
  const UpperNameTest& reserved_;
  std::unordered_set<std::string> typeNames_;
  DelphiTypeNames names_;
};

DelphiTypeNames NameDelphiTypes(const TOraDatabase& model,
                                const std::function<std::string(const std::string&)>& identifier,
                                const UpperNameTest& takenByUnits, const UpperNameTest& reserved) {
  return DelphiTypeNamer(identifier, takenByUnits, reserved).run(model);
}

}  // namespace tarvel
