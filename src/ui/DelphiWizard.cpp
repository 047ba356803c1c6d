#include "ui/DelphiWizard.h"

#include <QEvent>
#include <QPainter>
#include <QPushButton>
#include <QtGlobal>

#include "common/QtText.h"
#include "ui/Notebook.h"

namespace tarvel {
namespace {

constexpr int kDefaultHeight = 44;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
// Wide enough for the Help button to start 7 pixels from the left edge.
constexpr int kPreferredWidth = 334;

}  // namespace

TDelphiWizard::TDelphiWizard(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  SetEnableHelp(true);

  backButton_ = addButton(&TDelphiWizard::BackClick);
  SetBackCaption("< &Back");
  backButton_->setEnabled(false);
  nextButton_ = addButton(&TDelphiWizard::NextClick);
  SetNextCaption("&Next >");
  endButton_ = addButton(&TDelphiWizard::EndClick);
  SetAbortCaption("&Cancel");
  SetReadyCaption("&Finish");
  helpButton_ = addButton(&TDelphiWizard::HelpClick);
  SetHelpCaption("&Help");

  // Aligned only now: placing the buttons needs them built.
  resize(width(), kDefaultHeight);
  followParent();
  placeButtons();
}

// Enter and Esc press none of the buttons, whatever window the navigator sits in.
QPushButton* TDelphiWizard::addButton(void (TDelphiWizard::*click)()) {
  auto* button = new QPushButton(this);
  button->setAutoDefault(false);
  button->setDefault(false);
  button->resize(kButtonWidth, kButtonHeight);
  connect(button, &QPushButton::clicked, this, [this, click] { runGuarded(click); });
  return button;
}

void TDelphiWizard::runGuarded(void (TDelphiWizard::*click)()) {
  try {
    (this->*click)();
  } catch (const std::exception& error) {
    if (onError_) {
      onError_(error);
    } else {
      qWarning("%s", error.what());
    }
  }
}

void TDelphiWizard::SetEnableHelp(bool value) {
  enableHelp_ = value;
}

void TDelphiWizard::SetNoteBook(TNotebook* value) {
  disconnect(noteBookDestroyed_);
  noteBook_ = value;
  if (value == nullptr) return;
  noteBookDestroyed_ = connect(value, &QObject::destroyed, this, [this] { noteBook_ = nullptr; });
  value->SetPageIndex(0);
  if (value->pageCount() == 1) {
    backButton_->setEnabled(false);
    nextButton_->setEnabled(false);
  } else if (value->pageCount() > 1) {
    backButton_->setEnabled(false);
    nextButton_->setEnabled(true);
  }
  endButton_->setEnabled(true);
}

// A caption property keeps its text and shows it on its button at once.
void TDelphiWizard::setButtonCaption(std::string& caption, QPushButton* button,
                                     const std::string& value) {
  caption = value;
  button->setText(ToQString(value));
  update();
}

void TDelphiWizard::SetBackCaption(const std::string& value) {
  setButtonCaption(backCaption_, backButton_, value);
}

void TDelphiWizard::SetNextCaption(const std::string& value) {
  setButtonCaption(nextCaption_, nextButton_, value);
}

void TDelphiWizard::SetAbortCaption(const std::string& value) {
  setButtonCaption(abortCaption_, endButton_, value);
}

void TDelphiWizard::SetReadyCaption(const std::string& value) {
  readyCaption_ = value;
}

void TDelphiWizard::SetHelpCaption(const std::string& value) {
  setButtonCaption(helpCaption_, helpButton_, value);
}

void TDelphiWizard::GoToPage(int pageIndex) {
  if (noteBook_ == nullptr) return;
  noteBook_->SetPageIndex(pageIndex);
  UpdateButtons();
}

void TDelphiWizard::BackClick() {
  if (noteBook_ != nullptr) {
    int showPage = noteBook_->PageIndex();
    if (showPage > 0) --showPage;
    moveToPage(wdBack, showPage);
  }
  if (onBackClick_) onBackClick_(this);
  if (onPageChange_) onPageChange_(this);
}

void TDelphiWizard::NextClick() {
  if (noteBook_ != nullptr) {
    int showPage = noteBook_->PageIndex();
    if (showPage < noteBook_->pageCount() - 1) ++showPage;
    moveToPage(wdNext, showPage);
  }
  if (onNextClick_) onNextClick_(this);
  if (onPageChange_) onPageChange_(this);
}

// An error from the handler leaves here at once: no page change and no later event.
void TDelphiWizard::moveToPage(TWizDirection direction, int showPage) {
  if (onPageChanging_) onPageChanging_(direction, showPage);
  // The handler may have destroyed the notebook.
  if (noteBook_ == nullptr) return;
  noteBook_->SetPageIndex(showPage);
  UpdateButtons();
}

void TDelphiWizard::EndClick() {
  if (onEndClick_) onEndClick_(this);
}

void TDelphiWizard::HelpClick() {
  if (onHelpClick_) onHelpClick_(this);
}

void TDelphiWizard::UpdateButtons() {
  const int pageIndex = noteBook_->PageIndex();
  const int lastPage = noteBook_->pageCount() - 1;
  backButton_->setEnabled(pageIndex > 0);
  nextButton_->setEnabled(pageIndex < lastPage);
  endButton_->setText(ToQString(pageIndex == lastPage ? readyCaption_ : abortCaption_));
}

QSize TDelphiWizard::sizeHint() const {
  return {kPreferredWidth, kDefaultHeight};
}

void TDelphiWizard::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  QPainter painter(this);
  // The toolkit draws a line's end point too: stop one short to leave 9 pixels at both ends.
  const int lineEnd = width() - 10;
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawLine(9, height() - 43, lineEnd, height() - 43);
  painter.setPen(palette().color(QPalette::Light));
  painter.drawLine(9, height() - 42, lineEnd, height() - 42);

  helpButton_->setVisible(enableHelp_);
  if (noteBook_ == nullptr) {
    backButton_->setEnabled(false);
    nextButton_->setEnabled(false);
    endButton_->setText(ToQString(readyCaption_));
  }
}

void TDelphiWizard::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  placeButtons();
  alignToBottom();
}

// Positions follow the right edge, so a wider navigator keeps its buttons on the right.
void TDelphiWizard::placeButtons() {
  const int top = height() - 31;
  helpButton_->move(width() - 327, top);
  backButton_->move(width() - 243, top);
  nextButton_->move(width() - 168, top);
  endButton_->move(width() - 83, top);
}

void TDelphiWizard::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ParentChange) followParent();
}

bool TDelphiWizard::eventFilter(QObject* watched, QEvent* event) {
  if (watched == alignedParent_ && event->type() == QEvent::Resize) alignToBottom();
  return QWidget::eventFilter(watched, event);
}

void TDelphiWizard::followParent() {
  if (alignedParent_ != nullptr) alignedParent_->removeEventFilter(this);
  alignedParent_ = parentWidget();
  if (alignedParent_ != nullptr) alignedParent_->installEventFilter(this);
  alignToBottom();
}

// A parent with a layout places the navigator itself.
void TDelphiWizard::alignToBottom() {
  if (alignedParent_ == nullptr || alignedParent_->layout() != nullptr) return;
  setGeometry(0, alignedParent_->height() - height(), alignedParent_->width(), height());
}

}  // namespace tarvel
