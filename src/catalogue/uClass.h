#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "catalogue/SharedText.h"

namespace tarvel {

// An ordered list that owns its elements, stored in one block rather than one allocation each:
// append at the end, count, item by zero-based index. An Add may move the earlier elements, so a
// reference to an element holds only until the next Add or Remove on the same list.
template <typename T>
class OwningList {
 public:
  T& Add(T item) { return items_.emplace_back(std::move(item)); }
  std::size_t Count() const { return items_.size(); }
  bool Empty() const { return items_.empty(); }
  T& Items(std::size_t index) { return items_.at(index); }
  void Remove(std::size_t index) {
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
  }
  const T& Items(std::size_t index) const { return items_.at(index); }
  // Moves a run of elements over in one block of their exact size, leaving `items` empty: a
  // model holds one list per routine, and a list read in full keeps no room for growth.
  void MoveFrom(std::vector<T>& items) {
    items_.reserve(items_.size() + items.size());
    for (T& item : items) items_.push_back(std::move(item));
    items.clear();
  }

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }
  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }

 private:
  std::vector<T> items_;
};

// What a composite type is. The dictionary's DATA_TYPE of an argument of each kind:
//   Record       "PL/SQL RECORD", a record type of a package
//   RowType      "PL/SQL RECORD", a table's or view's %ROWTYPE
//   IndexBy      "PL/SQL TABLE", an index-by table (associative array) of a package
//   NestedTable  "TABLE", a nested table, of a package or a SQL type
//   Varray       "VARRAY", a varray, of a package or a SQL type
//   Object       "OBJECT", a SQL object type
//   Opaque       "OPAQUE/XMLTYPE" and the like: a SQL type whose inside the dictionary does not
//                show (XMLTYPE, ANYDATA); it has no fields and no element
enum class TypeKind { Record, RowType, IndexBy, NestedTable, Varray, Object, Opaque };

class TOraType;

// A field of a record or object, or the element of a collection (which has no name).
struct TOraTypeMember {
  SharedText DbName;    // the field's name as the dictionary gives it; empty for an element
  SharedText DataType;  // as ALL_ARGUMENTS spells it: "VARCHAR2", "PL/SQL BOOLEAN", "OBJECT"
  // Where the dictionary gives them: the length of character and RAW data (in characters when
  // declared so), the precision and scale of numbers.
  std::optional<std::int64_t> Length;
  std::optional<std::int64_t> Precision;
  std::optional<std::int64_t> Scale;
  const TOraType* Type = nullptr;  // the member's own description when it is composite
  // What the type table maps a scalar member to; empty for a composite or an unmapped one.
  SharedText FieldType;
  SharedText DelphiType;
};

// One composite type, described once per run and shared by every argument, field and element
// that uses it (they point at it; the database owns it).
class TOraType {
 public:
  TypeKind Kind = TypeKind::Record;
  // The dictionary's names: for a package's own type Name is the package and SubName the type's
  // name in it; for a SQL type Name is the type (SubName empty); for a %ROWTYPE Name is the
  // table or view (SubName empty).
  SharedText Owner;
  SharedText Name;
  SharedText SubName;
  bool IsFinal = true;  // an Object declared NOT FINAL has false
  // Index-by only: the key type, "BINARY_INTEGER" (PLS_INTEGER) or "VARCHAR2".
  SharedText IndexBy;
  // A Varray's bound, or the length of an index-by table's VARCHAR2 key; none otherwise.
  std::optional<std::int64_t> UpperBound;
  std::vector<TOraTypeMember> Fields;     // Record, RowType, Object: in declaration order
  std::optional<TOraTypeMember> Element;  // IndexBy, NestedTable, Varray
};

// The composite types of one model. Elements never move, so that pointers to them hold for the
// model's life.
class TOraTypesList {
 public:
  TOraType& Add(TOraType type) { return types_.emplace_back(std::move(type)); }
  std::size_t Count() const { return types_.size(); }
  // The type of these dictionary names, or none.
  const TOraType* Find(std::string_view owner, std::string_view name,
                       std::string_view subName) const;

  auto begin() const { return types_.begin(); }
  auto end() const { return types_.end(); }

 private:
  std::deque<TOraType> types_;
};

// One argument of a routine, or its function result ("Result", "@RETURN_VALUE", "pdReturnValue").
// Its names recur across routines and packages (P_ID, P_NAME), so they are shared texts too.
// A composite argument (read only when the reader is asked to describe composites) has Type
// set and empty FieldType and DelphiType: no ADO field type binds it.
class TOraParameter {
 public:
  SharedText Name;
  SharedText DbName;
  SharedText FieldType;
  SharedText DelphiType;
  SharedText Direction;
  const TOraType* Type = nullptr;
  SharedText DataType;  // as ALL_ARGUMENTS spells it
};

class TOraParametersList : public OwningList<TOraParameter> {};

// One routine, or one overload of an overloaded routine.
// The package's name is not copied into each: the writers take it from the package.
class TOraProcedure {
 public:
  SharedText Name;
  SharedText DbName;
  bool IsOverloaded = false;
  // Another overload of the name takes as many arguments of the same field types, so that
  // Oracle cannot tell the two apart by position (kept or left out as a Pascal twin).
  bool HasPositionalTwin = false;
  TOraParametersList Parameters;
  std::unique_ptr<TOraParameter> ReturnParam;  // none for a procedure
};

class TOraProceduresList : public OwningList<TOraProcedure> {};

// One package; the one with an empty Name and DbName holds the routines outside packages.
class TOraPackage {
 public:
  SharedText Name;
  SharedText DbName;
  TOraProceduresList Procedures;
};

class TOraPakagesList : public OwningList<TOraPackage> {};

// The root of one model; it owns the whole tree.
class TOraDatabase {
 public:
  TOraPakagesList Packages;
  TOraProceduresList Procedures;  // stays empty: routines outside packages travel as a package
  TOraTypesList Types;            // the composite types the arguments use, in the order met
};

// A package with a name and at least one routine gets a unit of its own; the holder of the
// routines outside packages and packages without routines do not.
inline bool IsQualifyingPackage(const TOraPackage& package) {
  return !package.Name.empty() && !package.Procedures.Empty();
}

// The identifier form of a dictionary name: P_CUSTOMER_ID gives PCustomerId.
std::string FormatIdentifier(std::string_view name);

}  // namespace tarvel
