#include "catalogue/SharedText.h"

#include <unordered_set>

namespace tarvel {

// The distinct texts (the type table, the user's additions, the directions, the dictionary's
// names) are far fewer than their holders and are kept for the life of the process; a set's
// elements never move. A text already kept is found without making a new element.
SharedText::SharedText(std::string_view text) {
  static std::unordered_set<std::string> texts;
  if (text.empty()) return;
  std::string key(text);
  const auto found = texts.find(key);
  text_ = &*(found != texts.end() ? found : texts.insert(std::move(key)).first);
}

}  // namespace tarvel
