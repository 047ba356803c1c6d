#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "common/QtText.h"
#include "ui/MessageService.h"

namespace tarvel::testing {
namespace {

// Acts on the modal dialog as soon as it is up, the way a person would.
template <class Dialog>
void WhenShown(std::function<void(Dialog*)> act) {
  QTimer::singleShot(0, [act] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) {
      ADD_FAILURE() << "no modal dialog is showing";
      return;
    }
    act(dialog);
  });
}

TEST(WindowMessageServiceTest, TheQuestionDefaultsToYesAndEscapeAnswersNo) {
  QtMessageService messages;
  const MessageBox question{"Confirm", "Create it?", MessageIcon::kQuestion,
                            MessageButtons::kYesNo};
  WhenShown<QMessageBox>([](QMessageBox* box) {
    EXPECT_EQ(box->windowTitle(), "Confirm");
    EXPECT_EQ(box->text(), "Create it?");
    EXPECT_EQ(box->icon(), QMessageBox::Question);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Yes));
    QTest::keyClick(box, Qt::Key_Escape);
  });
  EXPECT_EQ(messages.show(nullptr, question), MessageAnswer::kNo);

  WhenShown<QMessageBox>([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); });
  EXPECT_EQ(messages.show(nullptr, question), MessageAnswer::kYes);
}

TEST(WindowMessageServiceTest, AnErrorBoxHasTheStopIconAndOneOkButton) {
  QtMessageService messages;
  WhenShown<QMessageBox>([](QMessageBox* box) {
    EXPECT_EQ(box->windowTitle(), "Tarvel Generator");
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
    box->button(QMessageBox::Ok)->click();
  });
  EXPECT_EQ(messages.show(nullptr, {"Tarvel Generator", "Unable to create directory.",
                                    MessageIcon::kError, MessageButtons::kOk}),
            MessageAnswer::kOk);

  WhenShown<QMessageBox>([](QMessageBox* box) {
    EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
    box->button(QMessageBox::Ok)->click();
  });
  messages.show(nullptr,
                {"Tarvel Generator", "Finished!", MessageIcon::kNone, MessageButtons::kOk});
}

TEST(WindowMessageServiceTest, TheFolderBrowserOpensOnTheCurrentFolder) {
  QTemporaryDir temp;
  ASSERT_TRUE(temp.isValid());
  ASSERT_TRUE(QDir(temp.path()).mkdir(QStringLiteral("out")));
  const std::string start = FromQString(temp.path());
  QtMessageService messages;

  WhenShown<QFileDialog>([&temp](QFileDialog* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Select output folder ");
    EXPECT_EQ(dialog->directory().absolutePath(), QDir(temp.path()).absolutePath());
    dialog->reject();
  });
  EXPECT_EQ(messages.chooseFolder(nullptr, "Select output folder ", start), std::nullopt);

  WhenShown<QFileDialog>([&temp](QFileDialog* dialog) {
    dialog->selectFile(temp.filePath(QStringLiteral("out")));
    QMetaObject::invokeMethod(dialog, "accept");
  });
  EXPECT_EQ(messages.chooseFolder(nullptr, "Select output folder ", start),
            FromQString(temp.filePath(QStringLiteral("out"))));
}

}  // namespace
}  // namespace tarvel::testing
