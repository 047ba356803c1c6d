#include "common/Text.h"

namespace tarvel {

std::string AsciiUpper(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = AsciiUpper(c);
  return result;
}

std::string AsciiLower(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = AsciiLower(c);
  return result;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

const std::string* FindIgnoringCase(const std::vector<std::string>& names,
                                    std::string_view wanted) {
  for (const std::string& name : names) {
    if (EqualsIgnoringAsciiCase(name, wanted)) return &name;
  }
  return nullptr;
}

void AppendEnclosed(std::string& out, std::string_view text, char open, char close) {
  out += open;
  for (char c : text) {
    out += c;
    if (c == close) out += close;
  }
  out += close;
}

std::string Enclosed(std::string_view text, char open, char close) {
  std::string enclosed;
  enclosed.reserve(text.size() + 2);
  AppendEnclosed(enclosed, text, open, close);
  return enclosed;
}

namespace {

bool IsContinuation(unsigned char byte, unsigned char low = 0x80, unsigned char high = 0xBF) {
  return byte >= low && byte <= high;
}

// The length of the well-formed UTF-8 sequence at the text's start, or 0 when there is none.
std::size_t Utf8SequenceLength(std::string_view text) {
  const auto at = [&](std::size_t i) {
    return i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
  };
  const unsigned char lead = at(0);
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return IsContinuation(at(1)) ? 2 : 0;
  if (lead >= 0xE0 && lead <= 0xEF) {
    const unsigned char low = lead == 0xE0 ? 0xA0 : 0x80;
    const unsigned char high = lead == 0xED ? 0x9F : 0xBF;
    return IsContinuation(at(1), low, high) && IsContinuation(at(2)) ? 3 : 0;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    const unsigned char low = lead == 0xF0 ? 0x90 : 0x80;
    const unsigned char high = lead == 0xF4 ? 0x8F : 0xBF;
    return IsContinuation(at(1), low, high) && IsContinuation(at(2)) && IsContinuation(at(3)) ? 4
                                                                                              : 0;
  }
  return 0;
}

// C0 controls, DEL, and the C1 controls U+0080..U+009F (a terminal reads U+009B as CSI).
bool IsControl(std::string_view sequence) {
  const auto lead = static_cast<unsigned char>(sequence.front());
  if (sequence.size() == 1) return lead < 32 || lead == 127;
  return sequence.size() == 2 && lead == 0xC2 && static_cast<unsigned char>(sequence[1]) < 0xA0;
}

void AppendEscaped(std::string& shown, std::string_view bytes) {
  static const char kHexDigits[] = "0123456789ABCDEF";
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    shown += "\\x";
    shown += kHexDigits[byte >> 4];
    shown += kHexDigits[byte & 15];
  }
}

}  // namespace

std::string ShownOnTerminal(std::string_view text) {
  std::string shown;
  shown.reserve(text.size());
  while (!text.empty()) {
    const std::size_t length = Utf8SequenceLength(text);
    const std::string_view sequence = text.substr(0, std::max<std::size_t>(length, 1));
    if (length == 0 || IsControl(sequence)) {
      AppendEscaped(shown, sequence);
    } else {
      shown += sequence;
    }
    text.remove_prefix(sequence.size());
  }
  return shown;
}

IntegerForm IntegerFormOf(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  const std::string_view rest = text.substr(i);
  if (rest.starts_with("0x") || rest.starts_with("0X")) return {i, i + 2, 16};
  if (rest.starts_with("$") || rest.starts_with("x") || rest.starts_with("X")) {
    return {i, i + 1, 16};
  }
  return {i, i, 10};
}

namespace {

int DigitValue(char c, int base) {
  int value = -1;
  if (c >= '0' && c <= '9') value = c - '0';
  if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
  if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
  return value < base ? value : -1;
}

}  // namespace

std::optional<std::int32_t> ParseInt32(std::string_view text) {
  const IntegerForm form = IntegerFormOf(text);
  const bool negative = form.prefixStart > 0 && text[form.prefixStart - 1] == '-';
  const int base = form.base;
  std::size_t i = form.digitsStart;
  if (i == text.size()) return std::nullopt;
  const std::int64_t limit = (base == 10 && negative) ? 2147483648LL : 2147483647LL;
  std::int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const int digit = DigitValue(text[i], base);
    if (digit < 0) return std::nullopt;
    magnitude = magnitude * base + digit;
    if (magnitude > limit) return std::nullopt;
  }
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace tarvel
