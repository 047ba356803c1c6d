#include <QDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTreeWidget>
#include <stdexcept>

#include "WizardFixture.h"
#include "common/Error.h"
#include "ui/ErrorReport.h"
#include "ui/Notebook.h"

namespace tarvel::testing {
namespace {

using WindowTest = WizardTest;

// The widget that Tab moves to from this one.
QWidget* NextTabStop(QWidget* widget) {
  QWidget* next = widget->nextInFocusChain();
  while (next != widget && !(next->focusPolicy() & Qt::TabFocus)) next = next->nextInFocusChain();
  return next;
}

std::string Text(const QLabel* label) {
  return label->text().toStdString();
}

TEST_F(WindowTest, IsAFixedTopLevelWindowWithACloseButtonOnly) {
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
  EXPECT_EQ(window_->font().pixelSize(), 11);

  EXPECT_EQ(window_->Panel3->geometry(), QRect(0, 0, 334, 41));
  EXPECT_EQ(Text(window_->Panel3), "Brennock Code Generator");
  EXPECT_EQ(window_->Panel3->palette().color(QPalette::Window), QColor(Qt::white));
  EXPECT_EQ(window_->Panel1->geometry(), QRect(0, 41, 334, 239));
  EXPECT_EQ(window_->Notebook1->geometry(), QRect(0, 0, 334, 239));
  EXPECT_EQ(window_->DelphiWizard1->geometry(), QRect(0, 280, 334, 44));
  EXPECT_EQ(window_->DelphiWizard1->NoteBook(), window_->Notebook1);
  EXPECT_FALSE(window_->DelphiWizard1->HelpButton()->isVisible());
}

TEST_F(WindowTest, StartsOnTheWelcomePage) {
  EXPECT_EQ(Page(), 0);
  EXPECT_EQ(window_->Notebook1->ActivePage(), "Default");
  EXPECT_FALSE(window_->DelphiWizard1->BackButton()->isEnabled());
  EXPECT_TRUE(window_->DelphiWizard1->NextButton()->isEnabled());
  EXPECT_EQ(window_->DelphiWizard1->EndButton()->text(), "&Cancel");
  EXPECT_EQ(Text(window_->Label8), "Welcome to Tarvel Generator Wizard!");
  EXPECT_EQ(window_->Label8->font().pixelSize(), 13);
  EXPECT_EQ(window_->Label8->pos(), QPoint(16, 16));
  EXPECT_EQ(window_->Label5->geometry(), QRect(16, 48, 305, 97));
  EXPECT_TRUE(window_->Label5->wordWrap());
  EXPECT_TRUE(window_->Label5->isVisible());
  SaveScreenshot("page0-welcome");
}

TEST_F(WindowTest, LoginPageHoldsTheThreeBoxesInTabOrder) {
  ClickNext();
  ASSERT_EQ(Page(), 1);
  EXPECT_EQ(window_->Notebook1->ActivePage(), "Login");
  EXPECT_EQ(Text(window_->Label9), "Login to target database");
  EXPECT_EQ(window_->GroupBox1->geometry(), QRect(38, 56, 251, 121));
  EXPECT_TRUE(window_->GroupBox1->title().isEmpty());
  EXPECT_EQ(Text(window_->Label1), "Username:");
  EXPECT_EQ(Text(window_->Label2), "Password:");
  EXPECT_EQ(Text(window_->Label3), "Database:");
  EXPECT_EQ(window_->eUser->parentWidget(), window_->GroupBox1);
  EXPECT_EQ(window_->eUser->geometry(), QRect(96, 23, 129, 21));
  EXPECT_EQ(window_->ePass->geometry(), QRect(96, 55, 129, 21));
  EXPECT_EQ(window_->eServer->geometry(), QRect(96, 87, 129, 21));
  EXPECT_EQ(window_->ePass->echoMode(), QLineEdit::Password);
  EXPECT_EQ(window_->ePass->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr,
                                               window_->ePass),
            '*');
  EXPECT_EQ(NextTabStop(window_->eUser), window_->ePass);
  EXPECT_EQ(NextTabStop(window_->ePass), window_->eServer);
  EXPECT_FALSE(window_->lConnecting->isVisible());
  EXPECT_EQ(Text(window_->lConnecting), "Connecting please wait...");
  EXPECT_EQ(window_->lConnecting->pos(), QPoint(144, 179));
  TypeInto(window_->eUser, "HR");
  TypeInto(window_->ePass, "secret");
  TypeInto(window_->eServer, "demo.snapshot");
  SaveScreenshot("page1-login");
}

TEST_F(WindowTest, ObjectsPageListsPackagesWithCheckBoxes) {
  LogOnToDemo();
  EXPECT_EQ(window_->Notebook1->ActivePage(), "Objects");
  EXPECT_EQ(Text(window_->Label10), "Select packages for code generation");
  QTreeWidget* list = window_->lvPackList;
  EXPECT_EQ(list->geometry(), QRect(5, 24, 324, 173));
  EXPECT_EQ(list->columnCount(), 1);
  EXPECT_EQ(list->headerItem()->text(0), "Packages");
  EXPECT_FALSE(list->isHeaderHidden());
  EXPECT_EQ(list->selectionMode(), QAbstractItemView::ExtendedSelection);
  EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
  EXPECT_EQ(list->editTriggers(), QAbstractItemView::NoEditTriggers);
  ASSERT_GT(list->topLevelItemCount(), 0);
  EXPECT_TRUE(list->topLevelItem(0)->flags().testFlag(Qt::ItemIsUserCheckable));
  EXPECT_EQ(window_->bClear->geometry(), QRect(250, 205, 75, 25));
  EXPECT_EQ(window_->bClear->text(), "&Clear all");
  EXPECT_EQ(window_->bAll->geometry(), QRect(165, 205, 75, 25));
  EXPECT_EQ(window_->bAll->text(), "Check &all");
  EXPECT_EQ(NextTabStop(list), window_->bClear);
  EXPECT_EQ(NextTabStop(window_->bClear), window_->bAll);
  SetCheck(2, Qt::Unchecked);
  SaveScreenshot("page2-objects");
}

TEST_F(WindowTest, DestinationPageHoldsSizesAndFolder) {
  GoToDestination(TempPath("out"));
  EXPECT_EQ(window_->Notebook1->ActivePage(), "Destination");
  EXPECT_EQ(Text(window_->Label11), "Max string length:");
  EXPECT_EQ(Text(window_->Label12), "Max BLOB size:");
  EXPECT_EQ(Text(window_->Label13), "Max CLOB size:");
  EXPECT_EQ(Text(window_->Label4), "Select output folder:");
  EXPECT_EQ(window_->MaxStringSize->geometry(), QRect(152, 32, 120, 21));
  EXPECT_EQ(window_->MaxBlobSize->geometry(), QRect(152, 64, 121, 21));
  EXPECT_EQ(window_->MaxClobSize->geometry(), QRect(152, 96, 121, 21));
  EXPECT_EQ(window_->ePath->geometry(), QRect(24, 176, 265, 21));
  EXPECT_EQ(window_->bFolder->geometry(), QRect(293, 176, 20, 21));
  EXPECT_EQ(window_->bFolder->text(), "...");
  EXPECT_EQ(window_->MaxStringSize->text(), "4096");
  EXPECT_EQ(window_->MaxBlobSize->text(), "10485760");
  EXPECT_EQ(window_->MaxClobSize->text(), "10485760");
  EXPECT_EQ(NextTabStop(window_->ePath), window_->bFolder);
  EXPECT_EQ(NextTabStop(window_->bFolder), window_->MaxStringSize);
  EXPECT_EQ(NextTabStop(window_->MaxStringSize), window_->MaxBlobSize);
  EXPECT_EQ(NextTabStop(window_->MaxBlobSize), window_->MaxClobSize);
  SaveScreenshot("page3-destination");
}

TEST_F(WindowTest, ReportPageStartsWithItsInitialTexts) {
  EXPECT_EQ(Text(window_->lProgres), "Generating code. Please wait...");
  EXPECT_EQ(window_->lProgres->font().pixelSize(), 16);
  EXPECT_EQ(window_->lProgres->pos(), QPoint(24, 88));
  EXPECT_EQ(window_->pgBar->geometry(), QRect(24, 112, 289, 16));
  EXPECT_EQ(window_->pgBar->minimum(), 0);
  EXPECT_EQ(window_->pgBar->maximum(), 100);
  EXPECT_EQ(window_->pgBar->value(), 0);
}

TEST(ErrorBoxTextTest, AddsAFullStopOnlyAfterALastByteAboveIt) {
  EXPECT_EQ(ErrorBoxText("Must be between 0 and 2147483647"), "Must be between 0 and 2147483647.");
  EXPECT_EQ(ErrorBoxText("Unable to create directory"), "Unable to create directory.");
  EXPECT_EQ(ErrorBoxText("Finished!"), "Finished!");
  EXPECT_EQ(ErrorBoxText("ends with a stop."), "ends with a stop.");
  EXPECT_EQ(ErrorBoxText("ends with a dash-"), "ends with a dash-");
  EXPECT_EQ(ErrorBoxText("ends with a slash/"), "ends with a slash/.");
  EXPECT_EQ(ErrorBoxText(""), "");
  // A byte above 127 sorts after "." when compared without sign.
  EXPECT_EQ(ErrorBoxText("caf\xc3\xa9"), "caf\xc3\xa9.");
}

TEST(ErrorBoxTextTest, ReportsWhatLeavesASlotOnceInTheErrorBox) {
  ScriptedMessageService messages;
  RunReportingErrors(messages, nullptr, [] { throw TarvelError("Unable to write to /x"); });
  RunReportingErrors(messages, nullptr, [] {});
  ASSERT_EQ(messages.shown().size(), 1u);
  const MessageBox& box = messages.shown()[0];
  EXPECT_EQ(box.title, "Tarvel Generator");
  EXPECT_EQ(box.text, "Unable to write to /x.");
  EXPECT_EQ(box.icon, MessageIcon::kError);
  EXPECT_EQ(box.buttons, MessageButtons::kOk);
}

}  // namespace
}  // namespace tarvel::testing
