#include "catalogue/SharedText.h"

#include <unordered_set>

namespace tarvel {

// The distinct texts are few (the type table, the user's additions, the directions) and are
// kept for the life of the process; a set's elements never move.
SharedText::SharedText(std::string_view text) {
  static std::unordered_set<std::string> texts;
  if (!text.empty()) text_ = &*texts.emplace(text).first;
}

const std::string& SharedText::str() const {
  static const std::string empty;
  return text_ != nullptr ? *text_ : empty;
}

}  // namespace tarvel
