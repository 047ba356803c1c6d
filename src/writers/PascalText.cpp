#include "writers/PascalText.h"

#include <algorithm>

#include "common/Text.h"

namespace tarvel {

namespace {

// Every byte a Pascal literal holds as it stands: not a quote, not a control byte.
bool IsPlainLiteralByte(char c) {
  return static_cast<unsigned char>(c) >= 32 && c != '\'';
}

// "#" and the byte's decimal value, written without a conversion: it is below 32.
void AppendCharacterCode(std::string& out, unsigned char byte) {
  out += '#';
  if (byte >= 10) out += static_cast<char>('0' + byte / 10);
  out += static_cast<char>('0' + byte % 10);
}

}  // namespace

// Plain bytes go in a run at a time: a name seldom holds a quote or a control byte.
void AppendPascalLiteral(std::string& out, std::string_view text) {
  if (text.empty()) {
    out += "''";
    return;
  }
  bool quoted = false;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 32) {
      if (quoted) out += '\'';
      quoted = false;
      AppendCharacterCode(out, byte);
      ++i;
      continue;
    }
    if (!quoted) out += '\'';
    quoted = true;
    const auto runEnd = static_cast<std::size_t>(
        std::find_if_not(text.begin() + i, text.end(), IsPlainLiteralByte) - text.begin());
    out.append(text.substr(i, runEnd - i));
    i = runEnd;
    if (i < text.size() && text[i] == '\'') {
      out += "''";
      ++i;
    }
  }
  if (quoted) out += '\'';
}

std::string PascalIntegerText(std::string_view text) {
  const IntegerForm form = IntegerFormOf(text);
  if (form.base != 16 || text[form.prefixStart] == '$') return std::string(text);
  std::string result(text.substr(0, form.prefixStart));
  result += '$';
  result += text.substr(form.digitsStart);
  return result;
}

}  // namespace tarvel
