#pragma once

#include <QMetaObject>
#include <QPointer>
#include <QWidget>
#include <exception>
#include <functional>
#include <string>
#include <utility>

class QPushButton;

namespace tarvel {

class TNotebook;

// The direction of a requested page change.
enum TWizDirection : int {
  wdNext = 0,  // asked for by the Next button
  wdBack = 1,  // asked for by the Back button
};

// Sender is always the navigator.
using TNotifyEvent = std::function<void(QObject* Sender)>;
// ShowPage holds the page about to be shown; the handler may change it, or throw to stop the
// move before anything changes.
using TPageChangingEvent = std::function<void(TWizDirection Direction, int& ShowPage)>;
// Receives an error that left a button's click, which Qt's event loop must never see.
using TErrorEvent = std::function<void(const std::exception& Error)>;

// Turns a notebook into a wizard: an etched line along its top and the buttons Back, Next,
// Cancel/Finish and Help. It keeps itself along the bottom edge of a parent without a layout.
class TDelphiWizard : public QWidget {
  Q_OBJECT

 public:
  explicit TDelphiWizard(QWidget* parent = nullptr);

  bool EnableHelp() const { return enableHelp_; }
  void SetEnableHelp(bool value);

  TNotebook* NoteBook() const { return noteBook_; }
  // Shows the notebook's first page and sets Back, Next and the third button for it; an empty
  // reference unbinds.
  void SetNoteBook(TNotebook* value);

  const std::string& BackCaption() const { return backCaption_; }
  void SetBackCaption(const std::string& value);
  const std::string& NextCaption() const { return nextCaption_; }
  void SetNextCaption(const std::string& value);
  const std::string& AbortCaption() const { return abortCaption_; }
  void SetAbortCaption(const std::string& value);
  const std::string& ReadyCaption() const { return readyCaption_; }
  // Reaches the third button at the next button update on the last page, or at the next paint
  // while no notebook is bound.
  void SetReadyCaption(const std::string& value);
  const std::string& HelpCaption() const { return helpCaption_; }
  void SetHelpCaption(const std::string& value);

  void SetOnBackClick(TNotifyEvent handler) { onBackClick_ = std::move(handler); }
  void SetOnNextClick(TNotifyEvent handler) { onNextClick_ = std::move(handler); }
  void SetOnEndClick(TNotifyEvent handler) { onEndClick_ = std::move(handler); }
  void SetOnHelpClick(TNotifyEvent handler) { onHelpClick_ = std::move(handler); }
  void SetOnPageChange(TNotifyEvent handler) { onPageChange_ = std::move(handler); }
  void SetOnPageChanging(TPageChangingEvent handler) { onPageChanging_ = std::move(handler); }
  // Without a handler, such an error is written to Qt's warning output.
  void SetOnError(TErrorEvent handler) { onError_ = std::move(handler); }

  // Shows that page of the bound notebook and updates the buttons; raises no event.
  void GoToPage(int pageIndex);

  QPushButton* BackButton() const { return backButton_; }
  QPushButton* NextButton() const { return nextButton_; }
  QPushButton* EndButton() const { return endButton_; }
  QPushButton* HelpButton() const { return helpButton_; }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPushButton* addButton(void (TDelphiWizard::*click)());
  void setButtonCaption(std::string& caption, QPushButton* button, const std::string& value);
  void runGuarded(void (TDelphiWizard::*click)());
  void BackClick();
  void NextClick();
  void EndClick();
  void HelpClick();
  void moveToPage(TWizDirection direction, int showPage);
  void UpdateButtons();
  void placeButtons();
  void followParent();
  void alignToBottom();

  bool enableHelp_ = true;
  TNotebook* noteBook_ = nullptr;
  QMetaObject::Connection noteBookDestroyed_;
  QPointer<QWidget> alignedParent_;
  std::string backCaption_;
  std::string nextCaption_;
  std::string abortCaption_;
  std::string readyCaption_;
  std::string helpCaption_;
  TNotifyEvent onBackClick_;
  TNotifyEvent onNextClick_;
  TNotifyEvent onEndClick_;
  TNotifyEvent onHelpClick_;
  TNotifyEvent onPageChange_;
  TPageChangingEvent onPageChanging_;
  TErrorEvent onError_;
  QPushButton* backButton_ = nullptr;
  QPushButton* nextButton_ = nullptr;
  QPushButton* endButton_ = nullptr;
  QPushButton* helpButton_ = nullptr;
};

}  // namespace tarvel
