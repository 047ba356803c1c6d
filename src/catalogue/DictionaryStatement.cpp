#include "catalogue/DictionaryStatement.h"

#include "catalogue/SqlLiteral.h"
#include "common/Text.h"

namespace tarvel {

std::string DictionaryStatement::text() const {
  std::vector<std::string> filled;
  filled.reserve(values.size());
  for (const StatementValue& value : values) {
    filled.push_back(value.isNumber ? value.text : Enclosed(value.text, '\'', '\''));
  }
  return FillTemplate(shape, filled);
}

}  // namespace tarvel
