#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "common/Error.h"
#include "common/QtText.h"
#include "ui/DelphiWizard.h"
#include "ui/Notebook.h"

namespace tarvel {
namespace {

std::string Text(const QPushButton* button) {
  return FromQString(button->text());
}

// A window laid out like the wizard's: notebook above, navigator along the bottom edge.
class Navigator : public ::testing::Test {
 protected:
  void SetUp() override {
    host_.resize(334, 324);
    notebook_ = AddNotebook(5);
    navigator_ = new TDelphiWizard(&host_);
    navigator_->SetNoteBook(notebook_);
    RecordEvents();
  }

  TNotebook* AddNotebook(int pages) {
    auto* notebook = new TNotebook(&host_);
    notebook->setGeometry(0, 41, 334, 239);
    for (int page = 0; page < pages; ++page) notebook->addPage("Page" + std::to_string(page));
    return notebook;
  }

  void RecordEvents() {
    const auto record = [this](const std::string& name) {
      return [this, name](QObject* sender) {
        events_.push_back(sender == navigator_ ? name : name + " from a stranger");
      };
    };
    navigator_->SetOnBackClick(record("back click"));
    navigator_->SetOnNextClick(record("next click"));
    navigator_->SetOnEndClick(record("end click"));
    navigator_->SetOnHelpClick(record("help click"));
    navigator_->SetOnPageChange(record("page change"));
    navigator_->SetOnError([this](const std::exception& error) {
      events_.push_back(std::string("error: ") + error.what());
    });
  }

  // The handler sees the offered target and answers with its own.
  void AnswerPageChanging(std::function<int(int offered)> answer) {
    navigator_->SetOnPageChanging([this, answer](TWizDirection direction, int& showPage) {
      events_.push_back((direction == wdNext ? "changing next " : "changing back ") +
                        std::to_string(showPage));
      showPage = answer(showPage);
    });
  }

  void Show() {
    host_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host_));
  }

  void Paint() { navigator_->repaint(); }

  void Press(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
  void PressBack() { Press(navigator_->BackButton()); }
  void PressNext() { Press(navigator_->NextButton()); }

  // The page shown and the buttons' own states, in one line.
  std::string State() const {
    return "page " + std::to_string(notebook_->PageIndex()) + ", back " +
           OnOff(navigator_->BackButton()) + ", next " + OnOff(navigator_->NextButton()) +
           ", end " + OnOff(navigator_->EndButton()) + " " + Text(navigator_->EndButton());
  }

  std::string OnOff(const QPushButton* button) const {
    return button->isEnabledTo(navigator_) ? "on" : "off";
  }

  std::vector<std::string> TakeEvents() { return std::exchange(events_, {}); }

  QWidget host_;
  TNotebook* notebook_ = nullptr;
  TDelphiWizard* navigator_ = nullptr;
  std::vector<std::string> events_;
};

using Events = std::vector<std::string>;

TEST_F(Navigator, StartsWithItsCaptionsOnTheFirstPage) {
  EXPECT_TRUE(navigator_->EnableHelp());
  EXPECT_EQ(Text(navigator_->BackButton()), "< &Back");
  EXPECT_EQ(Text(navigator_->NextButton()), "&Next >");
  EXPECT_EQ(Text(navigator_->HelpButton()), "&Help");
  EXPECT_EQ(navigator_->ReadyCaption(), "&Finish");
  EXPECT_EQ(State(), "page 0, back off, next on, end on &Cancel");
  EXPECT_TRUE(TakeEvents().empty());
}

TEST_F(Navigator, StepsThroughFivePagesAndBack) {
  Show();
  std::vector<std::string> states;
  for (int step = 0; step < 4; ++step) {
    PressNext();
    states.push_back(State());
  }
  EXPECT_EQ(states, (std::vector<std::string>{
                        "page 1, back on, next on, end on &Cancel",
                        "page 2, back on, next on, end on &Cancel",
                        "page 3, back on, next on, end on &Cancel",
                        "page 4, back on, next off, end on &Finish",
                    }));
  PressNext();  // disabled on the last page
  EXPECT_EQ(State(), "page 4, back on, next off, end on &Finish");

  PressBack();
  EXPECT_EQ(State(), "page 3, back on, next on, end on &Cancel");
  const Events events = TakeEvents();
  ASSERT_EQ(events.size(), 10u);
  EXPECT_EQ(events[0], "next click");
  EXPECT_EQ(events[1], "page change");
  EXPECT_EQ(events[8], "back click");
  EXPECT_EQ(events[9], "page change");
}

// The handler keeps the page, sends the user to the first page, or names a page that is not there.
TEST_F(Navigator, HandlerChoosesThePageShown) {
  struct Case {
    int start, answer;
    std::string state;
  };
  Show();
  for (const Case& c : {Case{2, 2, "page 2, back on, next on, end on &Cancel"},
                        Case{3, 0, "page 0, back off, next on, end on &Cancel"},
                        Case{2, -1, "page 2, back on, next on, end on &Cancel"},
                        Case{2, 5, "page 2, back on, next on, end on &Cancel"}}) {
    SCOPED_TRACE(c.answer);
    navigator_->GoToPage(c.start);
    AnswerPageChanging([answer = c.answer](int) { return answer; });
    PressNext();
    EXPECT_EQ(State(), c.state);
    EXPECT_EQ(TakeEvents(), (Events{"changing next " + std::to_string(c.start + 1), "next click",
                                    "page change"}));
  }
  // Back is offered the page before.
  PressBack();
  EXPECT_EQ(State(), "page 2, back on, next on, end on &Cancel");
  EXPECT_EQ(TakeEvents(), (Events{"changing back 1", "back click", "page change"}));
}

// The notebook is moved behind the navigator's back, so a button update would show.
TEST_F(Navigator, ThrowingHandlerLeavesPageButtonsAndLaterEventsAlone) {
  Show();
  navigator_->GoToPage(2);
  notebook_->SetPageIndex(4);
  ASSERT_EQ(State(), "page 4, back on, next on, end on &Cancel");
  navigator_->SetOnPageChanging([](TWizDirection, int& showPage) {
    showPage = 0;
    throw TarvelError("Unable to log on");
  });

  PressNext();
  EXPECT_EQ(State(), "page 4, back on, next on, end on &Cancel");
  EXPECT_EQ(TakeEvents(), (Events{"error: Unable to log on"}));
}

std::vector<std::string> warnings;

TEST_F(Navigator, ErrorWithoutErrorHandlerBecomesAWarning) {
  Show();
  navigator_->SetOnError(nullptr);
  navigator_->SetOnPageChanging([](TWizDirection, int&) { throw TarvelError("Refused"); });
  warnings.clear();
  const QtMessageHandler previous =
      qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtWarningMsg) warnings.push_back(FromQString(text));
      });
  PressNext();
  qInstallMessageHandler(previous);

  EXPECT_EQ(std::count(warnings.begin(), warnings.end(), "Refused"), 1);
  EXPECT_EQ(State(), "page 0, back off, next on, end on &Cancel");
  EXPECT_TRUE(TakeEvents().empty());
}

// An empty notebook leaves Back and Next as they were; a one-page notebook disables them.
TEST_F(Navigator, BindingAShortNotebookKeepsTheAbortCaption) {
  navigator_->GoToPage(2);
  navigator_->EndButton()->setEnabled(false);
  for (const auto& [pages, state] : {std::pair{0, "page -1, back on, next on, end on &Cancel"},
                                     std::pair{1, "page 0, back off, next off, end on &Cancel"}}) {
    notebook_ = AddNotebook(pages);
    navigator_->SetNoteBook(notebook_);
    EXPECT_EQ(State(), state);
  }
}

TEST_F(Navigator, BindingRaisesNoEventAndShowsTheFirstPage) {
  navigator_->GoToPage(3);
  TNotebook* second = AddNotebook(3);
  second->SetPageIndex(2);
  navigator_->SetNoteBook(second);
  EXPECT_EQ(navigator_->NoteBook(), second);
  EXPECT_EQ(second->PageIndex(), 0);
  EXPECT_TRUE(TakeEvents().empty());

  // Only the bound notebook unbinds the navigator when it goes.
  delete notebook_;
  notebook_ = second;
  EXPECT_EQ(navigator_->NoteBook(), second);
}

TEST_F(Navigator, GoToPageRaisesNoEventAndNeedsANotebook) {
  AnswerPageChanging([](int offered) { return offered; });
  navigator_->GoToPage(4);
  EXPECT_EQ(State(), "page 4, back on, next off, end on &Finish");
  navigator_->GoToPage(7);
  EXPECT_EQ(State(), "page 4, back on, next off, end on &Finish");

  navigator_->SetNoteBook(nullptr);
  navigator_->GoToPage(1);
  EXPECT_EQ(notebook_->PageIndex(), 4);
  EXPECT_TRUE(TakeEvents().empty());
}

TEST_F(Navigator, HelpIsHiddenFromTheFirstPaintWhenDisabled) {
  navigator_->SetEnableHelp(false);
  EXPECT_TRUE(navigator_->HelpButton()->isVisibleTo(navigator_));
  Show();
  Paint();
  EXPECT_FALSE(navigator_->HelpButton()->isVisible());

  navigator_->SetHelpCaption("&Assist");
  EXPECT_EQ(Text(navigator_->HelpButton()), "&Assist");
  EXPECT_EQ(navigator_->HelpCaption(), "&Assist");

  navigator_->SetEnableHelp(true);
  Paint();
  EXPECT_TRUE(navigator_->HelpButton()->isVisible());
}

TEST_F(Navigator, DestroyedNotebookUnbindsAndTheNextPaintShowsTheUnboundButtons) {
  Show();
  AnswerPageChanging([](int offered) { return offered; });
  navigator_->GoToPage(1);
  delete notebook_;
  notebook_ = nullptr;
  EXPECT_EQ(navigator_->NoteBook(), nullptr);
  EXPECT_TRUE(navigator_->NextButton()->isEnabled());

  // Before the paint the buttons still work: the events come without a page change.
  navigator_->NextButton()->click();
  navigator_->BackButton()->click();
  EXPECT_EQ(TakeEvents(), (Events{"next click", "page change", "back click", "page change"}));

  Paint();
  EXPECT_FALSE(navigator_->BackButton()->isEnabled());
  EXPECT_FALSE(navigator_->NextButton()->isEnabled());
  EXPECT_EQ(Text(navigator_->EndButton()), "&Finish");
}

TEST_F(Navigator, UnboundNavigatorShowsTheReadyCaptionAtEachPaint) {
  TDelphiWizard unbound(&host_);
  unbound.SetReadyCaption("&Done");
  EXPECT_EQ(Text(unbound.EndButton()), "&Cancel");
  Show();
  unbound.repaint();
  EXPECT_EQ(Text(unbound.EndButton()), "&Done");
  EXPECT_FALSE(unbound.NextButton()->isEnabled());
}

TEST_F(Navigator, AbortCaptionWrittenOnTheLastPageHoldsUntilTheNextUpdate) {
  Show();
  navigator_->GoToPage(4);
  navigator_->SetAbortCaption("&Quit");
  EXPECT_EQ(Text(navigator_->EndButton()), "&Quit");

  navigator_->SetReadyCaption("&Done");
  EXPECT_EQ(Text(navigator_->EndButton()), "&Quit");
  PressBack();
  EXPECT_EQ(Text(navigator_->EndButton()), "&Quit");
  PressNext();
  EXPECT_EQ(Text(navigator_->EndButton()), "&Done");
}

TEST_F(Navigator, EndAndHelpOnlyReportTheirClicks) {
  Show();
  AnswerPageChanging([](int offered) { return offered; });
  Press(navigator_->EndButton());
  navigator_->GoToPage(4);
  Press(navigator_->EndButton());
  Press(navigator_->HelpButton());
  EXPECT_EQ(TakeEvents(), (Events{"end click", "end click", "help click"}));
  EXPECT_EQ(notebook_->PageIndex(), 4);
  EXPECT_TRUE(host_.isVisible());
}

TEST_F(Navigator, DisabledNavigatorPressesNothingButKeepsItsButtonsOwnStates) {
  Show();
  navigator_->setEnabled(false);
  PressNext();
  Press(navigator_->EndButton());
  EXPECT_FALSE(navigator_->NextButton()->isEnabled());
  EXPECT_EQ(State(), "page 0, back off, next on, end on &Cancel");
  EXPECT_TRUE(TakeEvents().empty());

  navigator_->setEnabled(true);
  PressNext();
  EXPECT_EQ(notebook_->PageIndex(), 1);
}

void PressEnterAndEsc(QWidget* target) {
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
    QTest::keyClick(target, key);
  }
}

TEST_F(Navigator, EnterAndEscPressNoButton) {
  Show();
  navigator_->GoToPage(2);
  for (QPushButton* button : {navigator_->BackButton(), navigator_->NextButton(),
                              navigator_->EndButton(), navigator_->HelpButton()}) {
    button->setFocus();
    PressEnterAndEsc(button);
  }
  EXPECT_EQ(notebook_->PageIndex(), 2);
  EXPECT_TRUE(TakeEvents().empty());

  // The same keys reach the buttons: Space presses the one with the focus.
  navigator_->NextButton()->setFocus();
  QTest::keyClick(navigator_->NextButton(), Qt::Key_Space);
  EXPECT_EQ(notebook_->PageIndex(), 3);
}

// A dialog would make any auto-default button its default one.
TEST(NavigatorInADialog, EnterPressesNoButton) {
  QDialog dialog;
  dialog.resize(334, 120);
  auto* notebook = new TNotebook(&dialog);
  auto* edit = new QLineEdit(notebook->addPage("Default"));
  notebook->addPage("Login");
  auto* navigator = new TDelphiWizard(&dialog);
  navigator->SetNoteBook(notebook);
  int clicks = 0;
  navigator->SetOnNextClick([&clicks](QObject*) { ++clicks; });
  navigator->SetOnEndClick([&clicks](QObject*) { ++clicks; });
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_Return);
  QTest::keyClick(edit, Qt::Key_Enter);
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(notebook->PageIndex(), 0);
  for (QPushButton* button : {navigator->BackButton(), navigator->NextButton(),
                              navigator->EndButton(), navigator->HelpButton()}) {
    EXPECT_FALSE(button->isDefault());
    EXPECT_FALSE(button->autoDefault());
  }
}

// An access key presses its button the way a mouse click would, a moment after the key.
TEST_F(Navigator, AccessKeysPressTheButtons) {
  Show();
  host_.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&host_));
  const auto pressAccessKey = [this](Qt::Key key, QPushButton* button) {
    QSignalSpy clicked(button, &QPushButton::clicked);
    QTest::keyClick(&host_, key, Qt::AltModifier);
    EXPECT_TRUE(clicked.wait()) << Text(button);
  };
  pressAccessKey(Qt::Key_N, navigator_->NextButton());
  pressAccessKey(Qt::Key_N, navigator_->NextButton());
  EXPECT_EQ(notebook_->PageIndex(), 2);
  pressAccessKey(Qt::Key_B, navigator_->BackButton());
  EXPECT_EQ(notebook_->PageIndex(), 1);
  pressAccessKey(Qt::Key_C, navigator_->EndButton());
  pressAccessKey(Qt::Key_H, navigator_->HelpButton());
  EXPECT_EQ(TakeEvents(), (Events{"next click", "page change", "next click", "page change",
                                  "back click", "page change", "end click", "help click"}));
}

// Along its parent's bottom edge, full width, also under a parent given later; the buttons keep
// their distance to the right edge: Help, then Back touching Next, then End.
TEST_F(Navigator, LiesAlongTheBottomWithItsButtonsInARowAtTheRight) {
  TDelphiWizard orphan;
  orphan.setParent(&host_);
  Show();
  orphan.show();
  EXPECT_EQ(orphan.geometry(), navigator_->geometry());
  EXPECT_EQ(orphan.NextButton()->geometry(), navigator_->NextButton()->geometry());
  const std::vector<QPushButton*> row = {navigator_->HelpButton(), navigator_->BackButton(),
                                         navigator_->NextButton(), navigator_->EndButton()};
  std::vector<QRect> fromRight;
  for (QPushButton* button : row) fromRight.push_back(button->geometry().translated(-334, 0));
  for (int i = 1; i < 4; ++i) EXPECT_LT(row[i - 1]->geometry().right(), row[i]->geometry().left());
  EXPECT_EQ(row[1]->geometry().right() + 1, row[2]->geometry().left());
  EXPECT_LT(row[3]->geometry().right(), 334);
  EXPECT_EQ(row[1]->nextInFocusChain(), row[2]);
  EXPECT_EQ(row[2]->nextInFocusChain(), row[3]);
  EXPECT_EQ(row[3]->nextInFocusChain(), row[0]);

  host_.resize(434, 400);
  QApplication::processEvents();
  EXPECT_EQ(navigator_->geometry(), QRect(0, 356, 434, 44));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(row[i]->geometry().translated(-434, 0), fromRight[i]);
}

// The etched line: shadow over highlight on rows 1 and 2, 9 pixels clear at both ends.
TEST_F(Navigator, PictureShowsTheEtchedLineAboveTheButtons) {
  Show();
  const QImage picture = navigator_->grab().toImage();
  ASSERT_TRUE(QDir().mkpath(TARVEL_BINARY_DIR "/screenshots"));
  ASSERT_TRUE(picture.save(TARVEL_BINARY_DIR "/screenshots/navigator.png"));

  ASSERT_EQ(picture.size(), QSize(334, 44));
  const QRgb shadow = navigator_->palette().color(QPalette::Dark).rgb();
  const QRgb highlight = navigator_->palette().color(QPalette::Light).rgb();
  const QRgb face = navigator_->palette().color(QPalette::Window).rgb();
  ASSERT_NE(shadow, face);
  ASSERT_NE(highlight, face);
  for (const int x : {9, 100, 324}) {
    EXPECT_EQ(picture.pixel(x, 0), face) << x;
    EXPECT_EQ(picture.pixel(x, 1), shadow) << x;
    EXPECT_EQ(picture.pixel(x, 2), highlight) << x;
    EXPECT_EQ(picture.pixel(x, 3), face) << x;
  }
  for (const int x : {8, 325}) {
    EXPECT_EQ(picture.pixel(x, 1), face) << x;
    EXPECT_EQ(picture.pixel(x, 2), face) << x;
  }
  // The buttons are drawn on rows 13 to 35; the 8 rows below them show the face.
  int buttonPixels = 0;
  for (int y = 13; y <= 35; ++y) {
    for (int x = 166; x <= 240; ++x) buttonPixels += picture.pixel(x, y) != face ? 1 : 0;
  }
  EXPECT_GT(buttonPixels, 0);
  for (int y = 36; y < 44; ++y) {
    for (int x = 0; x < 334; ++x) ASSERT_EQ(picture.pixel(x, y), face) << x << "," << y;
  }
}

}  // namespace
}  // namespace tarvel
