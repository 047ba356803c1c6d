#include "ui/ErrorReport.h"

namespace tarvel {

std::string ErrorBoxText(std::string_view message) {
  std::string text(message);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) {
    text += '.';
  }
  return text;
}

void reportError(MessageService& messages, QWidget* parent, std::string_view message) {
  messages.show(
      parent, {kApplicationTitle, ErrorBoxText(message), MessageIcon::kError, MessageButtons::kOk});
}

}  // namespace tarvel
