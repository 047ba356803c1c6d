#include "ScriptedMessageService.h"

namespace tarvel {

MessageBox ErrorBox(const std::string& text) {
  return {"Tarvel Generator", text, MessageIcon::kError, MessageButtons::kOk};
}

MessageBox WarningBox(const std::string& text) {
  return {"Warning", text, MessageIcon::kWarning, MessageButtons::kOk};
}

void PrintTo(const MessageBox& box, std::ostream* out) {
  *out << "{\"" << box.title << "\", \"" << box.text << "\", icon " << static_cast<int>(box.icon)
       << ", buttons " << static_cast<int>(box.buttons) << "}";
}

MessageAnswer ScriptedMessageService::show(QWidget*, const MessageBox& box) {
  shown_.push_back(box);
  if (answers_.empty()) {
    return box.buttons == MessageButtons::kOk ? MessageAnswer::kOk : MessageAnswer::kNo;
  }
  const MessageAnswer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

std::optional<std::string> ScriptedMessageService::chooseFolder(QWidget*,
                                                                const std::string& caption,
                                                                const std::string& startFolder) {
  folderRequests_.push_back({caption, startFolder});
  if (folders_.empty()) return std::nullopt;
  std::optional<std::string> folder = folders_.front();
  folders_.pop_front();
  return folder;
}

std::vector<std::string> ScriptedMessageService::shownTexts() const {
  std::vector<std::string> texts;
  for (const MessageBox& box : shown_) texts.push_back(box.text);
  return texts;
}

}  // namespace tarvel
