#include "catalogue/SqlLiteral.h"

#include "common/Text.h"

namespace tarvel {

std::string QuoteName(const std::string& name) {
  std::string literal = "'";
  for (char c : AsciiUpper(name)) {
    literal += c;
    if (c == '\'') literal += '\'';
  }
  return literal + "'";
}

std::string FillTemplate(const std::string& statementTemplate,
                         std::initializer_list<std::string> values) {
  std::string result;
  auto value = values.begin();
  for (std::size_t i = 0; i < statementTemplate.size(); ++i) {
    if (statementTemplate.compare(i, 2, "%s") == 0 && value != values.end()) {
      result += *value++;
      ++i;
    } else {
      result += statementTemplate[i];
    }
  }
  return result;
}

}  // namespace tarvel
