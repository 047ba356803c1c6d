#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <string>
#include <tuple>
#include <vector>

#include "WizardFixture.h"
#include "common/Error.h"
#include "common/QtText.h"
#include "ui/ErrorReport.h"
#include "ui/Notebook.h"

namespace tarvel::testing {
namespace {

using WindowTest = WizardTest;

// The controls by their names on the form, the page each lies on, and the text each starts with
// (nullptr: a control without a text of its own).
const std::vector<std::tuple<const char*, int, const char*>> kControls = {
    {"Label8", 0, "Welcome to Tarvel Generator Wizard!"},
    {"Label5", 0, nullptr},
    {"Label9", 1, "Login to target database"},
    {"GroupBox1", 1, nullptr},
    {"Label1", 1, "Username:"},
    {"eUser", 1, ""},
    {"Label2", 1, "Password:"},
    {"ePass", 1, ""},
    {"Label3", 1, "Database:"},
    {"eServer", 1, ""},
    {"lConnecting", 1, "Connecting please wait..."},
    {"Label10", 2, "Select packages for code generation"},
    {"lvPackList", 2, nullptr},
    {"bClear", 2, "&Clear all"},
    {"bAll", 2, "Check &all"},
    {"Label11", 3, "Max string length:"},
    {"MaxStringSize", 3, "4096"},
    {"Label12", 3, "Max BLOB size:"},
    {"MaxBlobSize", 3, "10485760"},
    {"Label13", 3, "Max CLOB size:"},
    {"MaxClobSize", 3, "10485760"},
    {"Label4", 3, "Select output folder:"},
    {"ePath", 3, ""},
    {"bFolder", 3, "..."},
    {"lProgres", 4, "Generating code. Please wait..."},
    {"pgBar", 4, nullptr}};

// The widget that Tab moves to from this one.
QWidget* NextTabStop(QWidget* widget) {
  QWidget* next = widget->nextInFocusChain();
  while (next != widget && !(next->focusPolicy() & Qt::TabFocus)) next = next->nextInFocusChain();
  return next;
}

TEST_F(WindowTest, IsAFixedTopLevelWindowWithACloseButtonOnlyAndStartsOnTheWelcomePage) {
  EXPECT_EQ(window_->windowTitle(), "Tarvel Generator");
  EXPECT_TRUE(window_->isWindow());
  EXPECT_EQ(qobject_cast<QDialog*>(window_.get()), nullptr);
  EXPECT_EQ(window_->size(), QSize(334, 324));
  EXPECT_EQ(window_->minimumSize(), window_->maximumSize());
  const Qt::WindowFlags flags = window_->windowFlags();
  EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_FALSE(window_->testAttribute(Qt::WA_DeleteOnClose));

  const auto* banner = Control<QLabel>("Panel3");
  EXPECT_EQ(banner->text(), "Brennock Code Generator");
  EXPECT_EQ(banner->palette().color(QPalette::Window), QColor(Qt::white));
  EXPECT_EQ(Navigator()->NoteBook(), Control<TNotebook>("Notebook1"));
  EXPECT_FALSE(Navigator()->HelpButton()->isVisible());
  EXPECT_EQ(Control<TNotebook>("Notebook1")->ActivePage(), "Default");
  EXPECT_EQ(Navigator()->EndButton()->text(), "&Cancel");
}

// Each control on its page with its text; one drawn over another, outside its page or cut short
// would not show what it says.
TEST_F(WindowTest, EveryPageShowsItsControlsWithTheirTextsWholeAndApart) {
  const auto* notebook = Control<TNotebook>("Notebook1");
  for (int page = 0; page < notebook->pageCount(); ++page) {
    const QWidget* sheet = notebook->widget(page);
    std::vector<const QWidget*> shown;
    for (const auto& [name, onPage, text] : kControls) {
      if (onPage != page) continue;
      const QWidget* control = Control(name);
      EXPECT_TRUE(sheet->isAncestorOf(control)) << name;
      if (text != nullptr) {
        EXPECT_EQ(FromQString(control->property("text").toString()), text) << name;
      }
      if (control->isVisibleTo(sheet)) shown.push_back(control);
    }
    for (const QWidget* control : shown) {
      SCOPED_TRACE(FromQString(control->objectName()));
      const QRect place(control->mapTo(sheet, QPoint(0, 0)), control->size());
      EXPECT_TRUE(notebook->rect().contains(place));
      if (const auto* label = qobject_cast<const QLabel*>(control)) {
        EXPECT_TRUE(label->wordWrap() ? label->heightForWidth(label->width()) <= label->height()
                                      : label->sizeHint().width() <= label->width());
      }
      for (const QWidget* other : shown) {
        if (other == control || other->isAncestorOf(control) || control->isAncestorOf(other)) {
          continue;
        }
        EXPECT_FALSE(place.intersects(QRect(other->mapTo(sheet, QPoint(0, 0)), other->size())))
            << FromQString(other->objectName());
      }
    }
  }
}

TEST_F(WindowTest, TabMovesThroughEachPageInItsOrder) {
  const std::vector<std::pair<const char*, const char*>> steps = {{"eUser", "ePass"},
                                                                  {"ePass", "eServer"},
                                                                  {"lvPackList", "bClear"},
                                                                  {"bClear", "bAll"},
                                                                  {"ePath", "bFolder"},
                                                                  {"bFolder", "MaxStringSize"},
                                                                  {"MaxStringSize", "MaxBlobSize"},
                                                                  {"MaxBlobSize", "MaxClobSize"}};
  for (const auto& [from, to] : steps) EXPECT_EQ(NextTabStop(Control(from)), Control(to)) << from;
}

TEST_F(WindowTest, ThePasswordShowsStarsAndTheListOffersCheckBoxes) {
  const auto* password = Control<QLineEdit>("ePass");
  EXPECT_EQ(password->echoMode(), QLineEdit::Password);
  EXPECT_EQ(password->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, password),
            '*');
  LogOnToDemo();
  EXPECT_EQ(List()->headerItem()->text(0), "Packages");
  EXPECT_EQ(List()->selectionMode(), QAbstractItemView::ExtendedSelection);
  EXPECT_EQ(List()->editTriggers(), QAbstractItemView::NoEditTriggers);
  ASSERT_GT(List()->topLevelItemCount(), 0);
  EXPECT_TRUE(List()->topLevelItem(0)->flags().testFlag(Qt::ItemIsUserCheckable));
}

// Pictures of the pages for the README, filled in as a user would.
TEST_F(WindowTest, PicturesOfTheFirstFourPages) {
  SaveScreenshot("page0-welcome");
  ClickNext();
  TypeInto("eUser", "HR");
  TypeInto("ePass", "secret");
  TypeInto("eServer", "demo.snapshot");
  SaveScreenshot("page1-login");
  TypeInto("eServer", DemoSnapshotPath());
  ClickNext();
  ASSERT_EQ(Page(), 2);
  SetCheck(2, Qt::Unchecked);
  SaveScreenshot("page2-objects");
  ClickNext();
  TypeInto("ePath", TempPath("out"));
  SaveScreenshot("page3-destination");
}

// A byte above 127 sorts after "." when compared without sign.
TEST(ErrorBoxTextTest, AddsAFullStopOnlyAfterALastByteAboveIt) {
  const std::vector<std::pair<std::string, std::string>> texts = {
      {"Must be between 0 and 2147483647", "Must be between 0 and 2147483647."},
      {"Unable to create directory", "Unable to create directory."},
      {"Finished!", "Finished!"},
      {"ends with a stop.", "ends with a stop."},
      {"ends with a dash-", "ends with a dash-"},
      {"ends with a slash/", "ends with a slash/."},
      {"", ""},
      {"caf\xc3\xa9", "caf\xc3\xa9."}};
  for (const auto& [text, shown] : texts) EXPECT_EQ(ErrorBoxText(text), shown);
}

TEST(ErrorBoxTextTest, ReportsWhatLeavesASlotOnceInTheErrorBox) {
  ScriptedMessageService messages;
  RunReportingErrors(messages, nullptr, [] { throw TarvelError("Unable to write to /x"); });
  RunReportingErrors(messages, nullptr, [] {});
  EXPECT_EQ(messages.shown(), std::vector<MessageBox>{ErrorBox("Unable to write to /x.")});
}

}  // namespace
}  // namespace tarvel::testing
