#include "catalogue/SqlLiteral.h"

#include "common/Text.h"

namespace tarvel {

std::string QuoteName(const std::string& name) {
  return Enclosed(name, '\'', '\'');
}

std::string QuoteOwner(const std::string& user) {
  return QuoteName(AsciiUpper(user));
}

StatementValue NameValue(const std::string& name) {
  return {name};
}

StatementValue OwnerValue(const std::string& user) {
  return {AsciiUpper(user)};
}

std::vector<std::string> QuotedLists(const std::vector<std::string>& names) {
  constexpr std::size_t kNamesPerList = 500;
  std::vector<std::string> lists;
  for (std::size_t index = 0; index < names.size(); ++index) {
    if (index % kNamesPerList == 0) {
      lists.emplace_back();
    } else {
      lists.back() += ", ";
    }
    lists.back() += QuoteName(names[index]);
  }
  return lists;
}

std::string FillTemplate(std::string_view statementTemplate,
                         const std::vector<std::string>& values) {
  std::size_t size = statementTemplate.size();
  for (const std::string& value : values) size += value.size();
  std::string result;
  result.reserve(size);
  auto value = values.begin();
  std::size_t done = 0;
  for (std::size_t mark = statementTemplate.find("%s");
       mark != std::string::npos && value != values.end();
       mark = statementTemplate.find("%s", done)) {
    result.append(statementTemplate, done, mark - done);
    result += *value++;
    done = mark + 2;
  }
  result.append(statementTemplate, done);
  return result;
}

}  // namespace tarvel
