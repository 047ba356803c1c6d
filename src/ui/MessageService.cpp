#include "ui/MessageService.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

#include "common/QtText.h"

namespace tarvel {

namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kWarning:
      return QMessageBox::Warning;
    case MessageIcon::kError:
      return QMessageBox::Critical;
    case MessageIcon::kQuestion:
      return QMessageBox::Question;
    case MessageIcon::kNone:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

MessageAnswer QtMessageService::show(QWidget* parent, const MessageBox& box) {
  QMessageBox dialog(ToQtIcon(box.icon), ToQString(box.title), ToQString(box.text),
                     QMessageBox::NoButton, parent);
  if (box.buttons == MessageButtons::kOk) {
    dialog.setStandardButtons(QMessageBox::Ok);
    dialog.exec();
    return MessageAnswer::kOk;
  }
  dialog.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
  dialog.setDefaultButton(QMessageBox::Yes);
  dialog.setEscapeButton(QMessageBox::No);
  dialog.exec();
  return dialog.clickedButton() == dialog.button(QMessageBox::Yes) ? MessageAnswer::kYes
                                                                   : MessageAnswer::kNo;
}

std::optional<std::string> QtMessageService::chooseFolder(QWidget* parent,
                                                          const std::string& caption,
                                                          const std::string& startFolder) {
  const QString chosen = QFileDialog::getExistingDirectory(
      parent, ToQString(caption), ToQString(startFolder), QFileDialog::ShowDirsOnly);
  if (chosen.isEmpty()) return std::nullopt;
  return FromQString(QDir::toNativeSeparators(chosen));
}

}  // namespace tarvel
