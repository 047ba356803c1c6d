#pragma once

#include <cstddef>
#include <memory>
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

// One argument of a routine, or its function result ("Result", "@RETURN_VALUE", "pdReturnValue").
// Its names recur across routines and packages (P_ID, P_NAME), so they are shared texts too.
class TOraParameter {
 public:
  SharedText Name;
  SharedText DbName;
  SharedText FieldType;
  SharedText DelphiType;
  SharedText Direction;
};

class TOraParametersList : public OwningList<TOraParameter> {};

// One routine, or one overload of an overloaded routine.
// The package's name is not copied into each: the writers take it from the package.
class TOraProcedure {
 public:
  SharedText Name;
  SharedText DbName;
  bool IsOverloaded = false;
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
};

// A package with a name and at least one routine gets a unit of its own; the holder of the
// routines outside packages and packages without routines do not.
inline bool IsQualifyingPackage(const TOraPackage& package) {
  return !package.Name.empty() && !package.Procedures.Empty();
}

// The identifier form of a dictionary name: P_CUSTOMER_ID gives PCustomerId.
std::string FormatIdentifier(std::string_view name);

}  // namespace tarvel
