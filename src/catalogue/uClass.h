#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/SharedText.h"

namespace tarvel {

// An ordered list that owns its elements: append at the end, count, item by zero-based index.
// Releasing the list releases every element once.
template <typename T>
class OwningList {
 public:
  T& Add(std::unique_ptr<T> item) {
    items_.push_back(std::move(item));
    return *items_.back();
  }
  std::size_t Count() const { return items_.size(); }
  bool Empty() const { return items_.empty(); }
  T& Items(std::size_t index) { return *items_.at(index); }
  void Remove(std::size_t index) {
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
  }
  const T& Items(std::size_t index) const { return *items_.at(index); }

  template <typename Item, typename Position>
  class Iterator {
   public:
    explicit Iterator(Position it) : it_(it) {}
    Item& operator*() const { return **it_; }
    Iterator& operator++() {
      ++it_;
      return *this;
    }
    bool operator!=(const Iterator& other) const { return it_ != other.it_; }

   private:
    Position it_;
  };
  using ConstIterator = Iterator<const T, typename std::vector<std::unique_ptr<T>>::const_iterator>;
  using MutableIterator = Iterator<T, typename std::vector<std::unique_ptr<T>>::iterator>;
  ConstIterator begin() const { return ConstIterator(items_.begin()); }
  ConstIterator end() const { return ConstIterator(items_.end()); }
  MutableIterator begin() { return MutableIterator(items_.begin()); }
  MutableIterator end() { return MutableIterator(items_.end()); }

 private:
  std::vector<std::unique_ptr<T>> items_;
};

// One argument of a routine, or its function result ("Result", "@RETURN_VALUE", "pdReturnValue").
class TOraParameter {
 public:
  std::string Name;
  std::string DbName;
  // Tens of texts across the whole model: shared, so that an argument costs only its names.
  SharedText FieldType;
  SharedText DelphiType;
  SharedText Direction;
};

class TOraParametersList : public OwningList<TOraParameter> {};

// One routine, or one overload of an overloaded routine.
// The package's name is not copied into each: the writers take it from the package.
class TOraProcedure {
 public:
  std::string Name;
  std::string DbName;
  bool IsOverloaded = false;
  TOraParametersList Parameters;
  std::unique_ptr<TOraParameter> ReturnParam;  // none for a procedure
};

class TOraProceduresList : public OwningList<TOraProcedure> {};

// One package; the one with an empty Name and DbName holds the routines outside packages.
class TOraPackage {
 public:
  std::string Name;
  std::string DbName;
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
std::string FormatIdentifier(const std::string& name);

}  // namespace tarvel
