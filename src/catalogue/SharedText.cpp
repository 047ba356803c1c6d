#include "catalogue/SharedText.h"

#include <functional>
#include <unordered_set>

#include "common/Text.h"

namespace tarvel {

// The distinct texts (the type table, the user's additions, the directions, the dictionary's
// names) are far fewer than their holders and are kept for the life of the process; a set's
// elements never move. A text already kept is found without making a copy of it.
SharedText::SharedText(std::string_view text) {
  static std::unordered_set<std::string, TextHash, std::equal_to<>> texts;
  if (text.empty()) return;
  const auto found = texts.find(text);
  text_ = &*(found != texts.end() ? found : texts.emplace(text).first);
}

}  // namespace tarvel
