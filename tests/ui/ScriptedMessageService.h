#pragma once

#include <deque>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "ui/MessageService.h"

namespace tarvel {

// The standard error box, as the window shows every error that leaves a handler.
MessageBox ErrorBox(const std::string& text);
MessageBox WarningBox(const std::string& text);
void PrintTo(const MessageBox& box, std::ostream* out);

struct FolderRequest {
  std::string caption;
  std::string startFolder;
};

// Answers boxes from a script instead of a person and records everything it was shown.
// A box without a scripted answer is answered as if the user closed it: OK, or No.
class ScriptedMessageService : public MessageService {
 public:
  void answerNext(MessageAnswer answer) { answers_.push_back(answer); }
  // nothing: the user cancels the browser
  void chooseNext(std::optional<std::string> folder) { folders_.push_back(std::move(folder)); }

  MessageAnswer show(QWidget* parent, const MessageBox& box) override;
  std::optional<std::string> chooseFolder(QWidget* parent, const std::string& caption,
                                          const std::string& startFolder) override;

  const std::vector<MessageBox>& shown() const { return shown_; }
  const std::vector<FolderRequest>& folderRequests() const { return folderRequests_; }
  std::vector<std::string> shownTexts() const;
  void forget() { shown_.clear(); }

 private:
  std::deque<MessageAnswer> answers_;
  std::deque<std::optional<std::string>> folders_;
  std::vector<MessageBox> shown_;
  std::vector<FolderRequest> folderRequests_;
};

}  // namespace tarvel
