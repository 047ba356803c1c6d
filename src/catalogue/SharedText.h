#pragma once

#include <string>
#include <string_view>

namespace tarvel {

// A text that many parts of the model hold alike (a name, a field type, a Delphi type, a
// direction): one copy per distinct text for the whole process, each holder keeping a pointer to
// it. It reads as the text it stands for.
class SharedText {
 public:
  SharedText() = default;
  SharedText(std::string_view text);  // NOLINT(google-explicit-constructor): assigned as a text
  SharedText(const char* text) : SharedText(std::string_view(text)) {}         // NOLINT
  SharedText(const std::string& text) : SharedText(std::string_view(text)) {}  // NOLINT

  const std::string& str() const { return text_ != nullptr ? *text_ : kEmpty; }
  // Equal texts share one copy, so its address stands for the text: sets and maps of shared
  // texts key on it, and two shared texts compare by it without reading either.
  const std::string* key() const { return &str(); }
  operator const std::string&() const { return str(); }  // NOLINT
  operator std::string_view() const { return str(); }    // NOLINT
  bool empty() const { return text_ == nullptr; }

  friend bool operator==(const SharedText& text, std::string_view other) {
    return text.str() == other;
  }
  friend std::string operator+(std::string left, const SharedText& right) {
    return left += right.str();
  }

 private:
  inline static const std::string kEmpty;
  const std::string* text_ = nullptr;  // none for the empty text
};

}  // namespace tarvel
