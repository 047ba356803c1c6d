#pragma once

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "catalogue/uClass.h"
#include "writers/DelphiTypeNames.h"

namespace tarvel {

// One identifier whose Name had to change, and the unit that declares it. A large schema has
// tens of thousands of them, so they share their texts as the model does.
struct PascalNameChange {
  SharedText UnitName;  // uMyOracleDB, or "u" + the package's final name
  SharedText DbName;
  SharedText Name;  // the final form
};

// The final Pascal name of every package, routine and argument of one model, which stays as
// read: a name that would not compile, or would silently bind a member of the generated code,
// gets "_" appended. Only the names that change are held, so a tame schema costs nothing.
class PascalNames {
 public:
  const SharedText& of(const TOraPackage& package) const { return find(packages_, package); }
  const SharedText& of(const TOraProcedure& routine) const { return find(routines_, routine); }
  const SharedText& of(const TOraParameter& argument) const { return find(arguments_, argument); }
  // The record types the methods take or return, by the same rules: a type name never equals a
  // reserved word, a name the units use or inherit, a package's unit, class or field, a method
  // or an argument; a field name never a reserved word nor an earlier field of its record.
  const DelphiTypeNames& types() const { return types_; }

  // The identifiers that changed and show in a unit, in model order. Later overloads take their
  // first's name without a change of their own.
  const std::vector<PascalNameChange>& changes() const { return changes_; }
  // Hands the list over, so that a run holding the table does not keep a second copy of it.
  std::vector<PascalNameChange> takeChanges() { return std::move(changes_); }

 private:
  friend class PascalNamer;
  template <typename Element>
  using Renamed = std::unordered_map<const Element*, SharedText>;

  template <typename Element>
  static const SharedText& find(const Renamed<Element>& renamed, const Element& element) {
    if (renamed.empty()) return element.Name;
    const auto found = renamed.find(&element);
    return found != renamed.end() ? found->second : element.Name;
  }

  Renamed<TOraPackage> packages_;
  Renamed<TOraProcedure> routines_;
  Renamed<TOraParameter> arguments_;
  DelphiTypeNames types_;
  std::vector<PascalNameChange> changes_;
};

// Works the final names out in model order; the model must outlive the table.
PascalNames ResolvePascalNames(const TOraDatabase& model);

}  // namespace tarvel
