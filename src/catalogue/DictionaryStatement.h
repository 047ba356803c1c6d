#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarvel {

// One value for a "%s" place of a statement template: a name goes in as an SQL string literal,
// a number (the overload value, digits only) as written.
struct StatementValue {
  std::string text;
  bool isNumber = false;
};

// A statement template and the values of its places, in order. A database that can prepare the
// template once runs it with the values bound; the filled text is what the statement log shows.
struct DictionaryStatement {
  std::string_view shape;
  std::vector<StatementValue> values;

  std::string text() const;
};

}  // namespace tarvel
