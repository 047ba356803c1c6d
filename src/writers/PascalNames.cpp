#include "writers/PascalNames.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "common/Text.h"

namespace tarvel {

namespace {

// The names the generated code itself uses or inherits, one list per kind, blank-separated.
constexpr std::string_view kReservedWords =
    "and array as asm begin case class const constructor destructor dispinterface div do downto "
    "else end except exports file finalization finally for function goto if implementation in "
    "inherited initialization inline interface is label library mod nil not object of operator "
    "or out packed procedure program property raise record repeat resourcestring set shl shr "
    "string then threadvar to try type unit until uses var while with xor constref";
// A class body reads these as its own where a field name stands.
constexpr std::string_view kClassBodyWords =
    "private protected public published strict automated static";
// The command's members hide parameters inside the method body's "with".
constexpr std::string_view kCommandMembers =
    "Cancel Execute CommandObject Properties States CommandText CommandTimeout CommandType "
    "Connection ConnectionString ExecuteOptions ParamCheck Parameters Prepared";
// What every generated class inherits from TComponent, TPersistent and TObject, protected ones
// included: the body's "with" reaches them too.
constexpr std::string_view kInheritedMembers =
    "Create Destroy Assign Free Owner Components ComponentCount ComponentIndex ComponentState "
    "ComponentStyle DesignInfo VCLComObject Observers Name Tag BeforeDestruction "
    "DestroyComponents Destroying ExecuteAction FindComponent FreeNotification "
    "RemoveFreeNotification FreeOnRelease GetEnumerator GetParentComponent GetNamePath HasParent "
    "InsertComponent RemoveComponent SetSubComponent SafeCallException UpdateAction "
    "IsImplementorOf ReferenceInterface BeginInvoke EndInvoke EndFunctionInvoke ComObject "
    "DisposeOf InitInstance CleanupInstance ClassType ClassName ClassNameIs ClassParent ClassInfo "
    "InstanceSize InheritsFrom MethodAddress MethodName QualifiedClassName FieldAddress "
    "GetInterface GetInterfaceEntry GetInterfaceTable UnitName UnitScope Equals GetHashCode "
    "ToString AfterConstruction Dispatch DefaultHandler NewInstance FreeInstance Disposed Loaded "
    "Updated Updating Notification ReadState WriteState SetName GetChildren GetOwner ChangeName "
    "ValidateRename DefineProperties SetAncestor SetDesigning SetInline AssignTo QueryInterface "
    "GetChildOwner GetChildParent SetChildOrder SetParentComponent ValidateContainer "
    "ValidateInsert";
// Names the units use; the model's own type and direction texts join them.
constexpr std::string_view kUnitWords =
    "Self nMyRecordsAffected FConnection TADOCommand TMyOracleDB TADODataSet TADOConnection "
    "TComponent TDateTime TBlobData TBlobByteData Length High SizeOf NULL cmdText true false "
    "MAX_STRING_SIZE MAX_BLOB_SIZE MAX_CLOB_SIZE integer pdReturnValue";
// What TMyOracleDB adds.
constexpr std::string_view kConnectionClassWords =
    "FUserName FPassword FService Connect Connection UserName Password Service Format "
    "ORACLE_CONNECT_STRING";

constexpr char kConnectionUnit[] = "uMyOracleDB";

// Names compared as Pascal compares identifiers: ignoring ASCII case.
class NameSet {
 public:
  NameSet() = default;
  NameSet(std::initializer_list<std::string_view> lists) {
    for (std::string_view list : lists) addList(list);
  }
  void add(std::string_view name) { names_.insert(AsciiUpper(name)); }
  void addList(std::string_view list) {
    for (std::size_t start = 0; start < list.size();) {
      const std::size_t end = std::min(list.find(' ', start), list.size());
      add(list.substr(start, end - start));
      start = end + 1;
    }
  }
  bool contains(const std::string& upperName) const { return names_.contains(upperName); }

 private:
  std::unordered_set<std::string> names_;
};

bool IsIdentifierByte(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// Every other byte becomes "_", and an identifier never starts with a digit.
std::string IdentifierCharacters(const std::string& name) {
  std::string result = name;
  for (char& c : result) {
    if (!IsIdentifierByte(c)) c = '_';
  }
  if (!result.empty() && result[0] >= '0' && result[0] <= '9') result.insert(result.begin(), '_');
  return result;
}

// Appends "_" while the name is taken; `taken` gets the upper-case form.
template <typename Taken>
std::string FinalName(const std::string& name, const Taken& taken) {
  std::string final = IdentifierCharacters(name);
  std::string upper = AsciiUpper(final);
  while (taken(upper)) {
    final += '_';
    upper += '_';
  }
  return final;
}

void AddModelTexts(const TOraParameter& parameter, NameSet& names) {
  names.add(parameter.FieldType);
  names.add(parameter.DelphiType);
  names.add(parameter.Direction);
}

NameSet UnitWords(const TOraDatabase& model) {
  NameSet names{kUnitWords};
  for (const TOraPackage& package : model.Packages) {
    for (const TOraProcedure& routine : package.Procedures) {
      for (const TOraParameter& argument : routine.Parameters) AddModelTexts(argument, names);
      if (routine.ReturnParam) AddModelTexts(*routine.ReturnParam, names);
    }
  }
  return names;
}

class PascalNamer {
 public:
  explicit PascalNamer(const TOraDatabase& model)
      : unitWords_(UnitWords(model)),
        packageWords_{kReservedWords, kClassBodyWords, kInheritedMembers, kConnectionClassWords},
        methodWords_{kReservedWords, kInheritedMembers},
        argumentWords_{kReservedWords, kCommandMembers, kInheritedMembers},
        outsideWords_{kReservedWords, kInheritedMembers, kConnectionClassWords} {}

  std::vector<PascalNameChange> run(TOraDatabase& model) {
    for (TOraPackage& package : model.Packages) {
      if (!package.DbName.empty()) namePackage(package);
    }
    for (TOraPackage& package : model.Packages) nameRoutines(package);
    return std::move(changes_);
  }

 private:
  // A package gives a unit, a class "T"+Name and a field of TMyOracleDB: the field must not
  // hide a class, neither a unit's nor another package's.
  void namePackage(TOraPackage& package) {
    const std::string name = FinalName(package.Name, [&](const std::string& upper) {
      return packageWords_.contains(upper) || unitWords_.contains(upper) ||
             unitWords_.contains("T" + upper) || packageClasses_.contains(upper) ||
             packageFields_.contains("T" + upper);
    });
    if (!IsQualifyingPackage(package)) {
      package.Name = name;
      return;
    }
    change("u" + name, package.DbName, package.Name, name);
    packageFields_.add(name);
    packageClasses_.add("T" + name);
    outsideWords_.add(name);
    outsideWords_.add("T" + name);
  }

  void nameRoutines(TOraPackage& package) {
    const bool outside = package.DbName.empty();
    const std::string unit = outside ? kConnectionUnit : "u" + package.Name;
    const NameSet& words = outside ? outsideWords_ : methodWords_;
    NameSet earlier;
    std::unordered_map<std::string, std::string> byDbName;  // overloads share their first's Name
    for (TOraProcedure& routine : package.Procedures) {
      const auto [first, added] = byDbName.emplace(routine.DbName, std::string());
      if (added) {
        first->second = FinalName(routine.Name, [&](const std::string& upper) {
          return words.contains(upper) || unitWords_.contains(upper) || earlier.contains(upper);
        });
        earlier.add(first->second);
        change(unit, routine.DbName, routine.Name, first->second);
      }
      routine.Name = first->second;
      nameArguments(unit, routine);
    }
  }

  void nameArguments(const std::string& unit, TOraProcedure& routine) {
    NameSet earlier;
    if (routine.ReturnParam) earlier.add("Result");
    for (TOraParameter& argument : routine.Parameters) {
      const std::string name = FinalName(argument.Name, [&](const std::string& upper) {
        return argumentWords_.contains(upper) || unitWords_.contains(upper) ||
               earlier.contains(upper);
      });
      earlier.add(name);
      change(unit, argument.DbName, argument.Name, name);
    }
  }

  void change(const std::string& unit, const std::string& dbName, SharedText& name,
              const std::string& finalName) {
    if (name == finalName) return;
    changes_.push_back({unit, dbName, finalName});
    name = finalName;
  }

  const NameSet unitWords_;
  const NameSet packageWords_;
  const NameSet methodWords_;
  const NameSet argumentWords_;
  NameSet outsideWords_;  // grows by each qualifying package's field and class
  NameSet packageFields_;
  NameSet packageClasses_;
  std::vector<PascalNameChange> changes_;
};

}  // namespace

std::vector<PascalNameChange> GivePascalNames(TOraDatabase& model) {
  return PascalNamer(model).run(model);
}

}  // namespace tarvel
