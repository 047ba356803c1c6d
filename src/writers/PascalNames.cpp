#include "writers/PascalNames.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "common/Text.h"
#include "writers/TypesUnit.h"

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
    "MAX_STRING_SIZE MAX_BLOB_SIZE MAX_CLOB_SIZE integer pdReturnValue sMyBlock nMyIndex "
    "oMyReader TMyCollectionReader IntToStr SetLength";
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

// A final name and its upper-case form, both shared: two names are equal ignoring case when
// their upper-case forms have the same key.
struct NameForm {
  SharedText name;
  SharedText upper;
};

// Appends "_" to a name and to its upper-case form while `taken` says the latter is taken.
template <typename Taken>
NameForm AppendWhileTaken(std::string name, std::string upper, const Taken& taken) {
  while (taken(upper)) {
    name += '_';
    upper += '_';
  }
  return {name, upper};
}

// The identifier form of a name, "_" appended while its upper-case form is taken.
template <typename Taken>
NameForm FinalName(const std::string& name, const Taken& taken) {
  std::string identifier = IdentifierCharacters(name);
  std::string upper = AsciiUpper(identifier);
  return AppendWhileTaken(std::move(identifier), std::move(upper), taken);
}

// The final forms of one kind of name (method or argument) against its fixed word lists. Names
// recur across routines and packages, so each distinct one is worked out once, by its shared
// text's key; only the check against the scope's earlier names is left for each use.
class NameForms {
 public:
  NameForms(const NameSet& words, const NameSet& unitWords)
      : words_(words), unitWords_(unitWords) {}

  // `earlier(upper)` tells whether a name of the same scope already took that upper-case form.
  template <typename Earlier>
  NameForm choose(const SharedText& name, const Earlier& earlier) {
    const auto [known, added] = forms_.try_emplace(name.key());
    NameForm& free = known->second;
    if (added) free = FinalName(name, [&](const std::string& upper) { return fixed(upper); });
    if (!earlier(free.upper)) return free;
    // Taken in this scope: go on from the form that the fixed lists leave free.
    return AppendWhileTaken(
        free.name.str() + '_', free.upper.str() + '_',
        [&](const std::string& upper) { return fixed(upper) || earlier(SharedText(upper)); });
  }

 private:
  bool fixed(const std::string& upper) const {
    return words_.contains(upper) || unitWords_.contains(upper);
  }

  const NameSet& words_;
  const NameSet& unitWords_;
  std::unordered_map<const std::string*, NameForm> forms_;
};

// Each distinct type and direction text is upper-cased once: the model shares them.
NameSet UnitWords(const TOraDatabase& model) {
  NameSet names{kUnitWords};
  std::unordered_set<const std::string*> seen;
  const auto addModelTexts = [&](const TOraParameter& parameter) {
    for (const SharedText* text :
         {&parameter.FieldType, &parameter.DelphiType, &parameter.Direction}) {
      if (seen.insert(text->key()).second) names.add(*text);
    }
  };
  for (const TOraPackage& package : model.Packages) {
    for (const TOraProcedure& routine : package.Procedures) {
      for (const TOraParameter& argument : routine.Parameters) addModelTexts(argument);
      if (routine.ReturnParam) addModelTexts(*routine.ReturnParam);
    }
  }
  return names;
}

}  // namespace

// Declared a friend of the table it fills.
class PascalNamer {
 public:
  explicit PascalNamer(const TOraDatabase& model)
      : unitWords_(UnitWords(model)),
        packageWords_{kReservedWords, kClassBodyWords, kInheritedMembers, kConnectionClassWords},
        methodWords_{kReservedWords, kInheritedMembers},
        argumentWords_{kReservedWords, kCommandMembers, kInheritedMembers},
        outsideWords_{kReservedWords, kInheritedMembers, kConnectionClassWords} {}

  PascalNames run(const TOraDatabase& model) {
    for (const TOraPackage& package : model.Packages) {
      if (!package.DbName.empty()) namePackage(package);
    }
    for (const TOraPackage& package : model.Packages) nameRoutines(package);
    nameTypes(model);
    return std::move(names_);
  }

 private:
  // A package gives a unit, a class "T"+Name and a field of TMyOracleDB: the field must not
  // hide a class, neither a unit's nor another package's.
  void namePackage(const TOraPackage& package) {
    const SharedText name = FinalName(package.Name, [&](const std::string& upper) {
                              return packageWords_.contains(upper) || unitWords_.contains(upper) ||
                                     unitWords_.contains("T" + upper) ||
                                     packageClasses_.contains(upper) ||
                                     packageFields_.contains("T" + upper);
                            }).name;
    if (!IsQualifyingPackage(package)) {
      rename(names_.packages_, package, name);
      return;
    }
    change(names_.packages_, "u" + name, package, name);
    packageFields_.add(name);
    packageClasses_.add("T" + name);
    outsideWords_.add(name);
    outsideWords_.add("T" + name);
  }

  void nameRoutines(const TOraPackage& package) {
    const bool outside = package.DbName.empty();
    const SharedText unit = outside ? kConnectionUnit : "u" + names_.of(package);
    NameForms& forms = outside ? outsideForms_ : methodForms_;
    std::unordered_set<const std::string*> earlier;
    // Overloads share their first's Name; keyed by the shared DbName.
    std::unordered_map<const std::string*, SharedText> byDbName;
    for (const TOraProcedure& routine : package.Procedures) {
      const auto [first, added] = byDbName.try_emplace(routine.DbName.key());
      if (added) {
        const NameForm form = forms.choose(
            routine.Name, [&](const SharedText& upper) { return earlier.contains(upper.key()); });
        earlier.insert(form.upper.key());
        first->second = form.name;
        change(names_.routines_, unit, routine, form.name);
      } else {
        rename(names_.routines_, routine, first->second);
      }
      nameArguments(unit, routine);
    }
  }

  void nameArguments(const SharedText& unit, const TOraProcedure& routine) {
    // A routine has a handful of arguments: a vector searched in full beats a hash set.
    std::vector<const std::string*>& earlier = argumentScope_;
    earlier.clear();
    if (routine.ReturnParam) earlier.push_back(resultUpper_.key());
    for (const TOraParameter& argument : routine.Parameters) {
      const NameForm form = argumentForms_.choose(argument.Name, [&](const SharedText& upper) {
        return std::ranges::find(earlier, upper.key()) != earlier.end();
      });
      earlier.push_back(form.upper.key());
      change(names_.arguments_, unit, argument, form.name);
    }
  }

  // A record type must neither hide nor be hidden by any other name of the units.
  void nameTypes(const TOraDatabase& model) {
    NameSet taken = unitWords_;
    for (std::string_view list :
         {kReservedWords, kClassBodyWords, kInheritedMembers, kConnectionClassWords}) {
      taken.addList(list);
    }
    for (const TOraPackage& package : model.Packages) {
      const std::string& name = names_.of(package);
      for (const std::string& form : {name, "T" + name, "u" + name}) taken.add(form);
      for (const TOraProcedure& routine : package.Procedures) {
        taken.add(names_.of(routine));
        for (const TOraParameter& argument : routine.Parameters) taken.add(names_.of(argument));
      }
    }
    const NameSet reserved{kReservedWords};
    names_.types_ = NameDelphiTypes(
        model, IdentifierCharacters,
        [&](const std::string& upper) { return taken.contains(upper); },
        [&](const std::string& upper) { return reserved.contains(upper); });
    listTypeChanges();
  }

  // A type or field name that is not the plain form of its dictionary name is listed as the
  // other changes are.
  void listTypeChanges() {
    const SharedText unit(kTypesUnitName);
    for (const TOraType* type : names_.types_.types()) {
      const std::string& name = names_.types_.of(*type);
      if (name != DelphiTypeBaseName(*type)) {
        std::string dbName = type->Owner.str() + '.' + type->Name.str();
        if (!type->SubName.empty()) dbName += '.' + type->SubName.str();
        names_.changes_.push_back({unit, dbName, name});
      }
      const std::vector<std::string>& fields = names_.types_.fieldsOf(*type);
      for (std::size_t i = 0; i < fields.size(); ++i) {
        const TOraTypeMember& field = type->Fields[i];
        if (fields[i] != FormatIdentifier(field.DbName.str())) {
          names_.changes_.push_back({unit, field.DbName, fields[i]});
        }
      }
    }
  }

  // Only names that change are kept: shared texts compare by key, so an unchanged name costs
  // no text comparison and no entry.
  template <typename Element>
  bool rename(PascalNames::Renamed<Element>& renamed, const Element& element,
              const SharedText& finalName) {
    if (element.Name.key() == finalName.key()) return false;
    renamed.emplace(&element, finalName);
    return true;
  }

  // A change that shows in a unit is also listed, in model order.
  template <typename Element>
  void change(PascalNames::Renamed<Element>& renamed, const SharedText& unit,
              const Element& element, const SharedText& finalName) {
    if (rename(renamed, element, finalName)) {
      names_.changes_.push_back({unit, element.DbName, finalName});
    }
  }

  const NameSet unitWords_;
  const NameSet packageWords_;
  const NameSet methodWords_;
  const NameSet argumentWords_;
  NameSet outsideWords_;  // grows by each qualifying package's field and class
  NameSet packageFields_;
  NameSet packageClasses_;
  NameForms methodForms_{methodWords_, unitWords_};
  NameForms argumentForms_{argumentWords_, unitWords_};
  NameForms outsideForms_{outsideWords_, unitWords_};    // used once every package is named
  const SharedText resultUpper_ = AsciiUpper("Result");  // a function's result variable
  std::vector<const std::string*> argumentScope_;
  PascalNames names_;
};

PascalNames ResolvePascalNames(const TOraDatabase& model) {
  return PascalNamer(model).run(model);
}

}  // namespace tarvel
