#include "catalogue/uClass.h"

#include "common/Text.h"

namespace tarvel {

const TOraType* TOraTypesList::Find(std::string_view owner, std::string_view name,
                                    std::string_view subName) const {
  for (const TOraType& type : types_) {
    if (type.Owner == owner && type.Name == name && type.SubName == subName) return &type;
  }
  return nullptr;
}

std::string FormatIdentifier(std::string_view name) {
  std::size_t start = 0;
  while (name.size() - start >= 2 && name[start] == '_') ++start;
  const std::string_view text = name.substr(start);
  if (text.size() <= 1) return std::string(text);

  std::string result;
  result.reserve(text.size());
  result += AsciiUpper(text[0]);
  bool markPending = false;
  for (char c : text.substr(1)) {
    if (c == '_') {
      markPending = true;
    } else {
      result += markPending ? AsciiUpper(c) : AsciiLower(c);
      markPending = false;
    }
  }
  return result;
}

}  // namespace tarvel
