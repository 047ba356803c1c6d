#include "catalogue/uClass.h"

#include "common/Text.h"

namespace tarvel {

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
