#pragma once

#include <optional>
#include <string>

class QWidget;

namespace tarvel {

enum class MessageIcon { kNone, kWarning, kError, kQuestion };
enum class MessageButtons { kOk, kYesNo };  // Yes is the default of a Yes/No box
enum class MessageAnswer { kOk, kYes, kNo };

struct MessageBox {
  std::string title;
  std::string text;
  MessageIcon icon = MessageIcon::kNone;
  MessageButtons buttons = MessageButtons::kOk;

  friend bool operator==(const MessageBox&, const MessageBox&) = default;
};

// Every message box and the folder browser of the window go through here, so that tests can
// answer them without a modal dialog.
class MessageService {
 public:
  virtual ~MessageService() = default;
  // Waits for the user; closing a Yes/No box answers No.
  virtual MessageAnswer show(QWidget* parent, const MessageBox& box) = 0;
  // The chosen folder's full path, or nothing when the user cancels. An empty start folder
  // preselects nothing.
  virtual std::optional<std::string> chooseFolder(QWidget* parent, const std::string& caption,
                                                  const std::string& startFolder) = 0;
};

class QtMessageService : public MessageService {
 public:
  MessageAnswer show(QWidget* parent, const MessageBox& box) override;
  std::optional<std::string> chooseFolder(QWidget* parent, const std::string& caption,
                                          const std::string& startFolder) override;
};

}  // namespace tarvel
