#include "WizardFixture.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>

#include "Files.h"
#include "common/QtText.h"
#include "settings/uIni.h"
#include "ui/Notebook.h"

namespace tarvel::testing {

std::string DemoSnapshotPath() {
  return TARVEL_DEMO_SNAPSHOT;
}

// The window starts as scripts/run leaves it: config.ini holds the sample type additions.
void WizardTest::SetUp() {
  ASSERT_TRUE(temp_.isValid());
  iniPath_ = TempPath("config.ini");
  ASSERT_TRUE(QFile::copy(TARVEL_SOURCE_DIR "/samples/type-additions.ini", ToQString(iniPath_)));
  OpenWindow();
}

void WizardTest::TearDown() {
  window_.reset();
}

std::string WizardTest::TempPath(const std::string& name) const {
  return FromQString(temp_.filePath(ToQString(name)));
}

void WizardTest::OpenWindow() {
  window_ = std::make_unique<Tfmain>(messages_, iniPath_);
  window_->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
}

std::string WizardTest::StoredValue(const std::string& section, const std::string& key,
                                    const std::string& defaultValue) const {
  return IniFile::Read(iniPath_).ReadString(section, key, defaultValue);
}

void WizardTest::CloseProgram() {
  window_.reset();
}

void WizardTest::ClickBack() {
  QTest::mouseClick(window_->DelphiWizard1->BackButton(), Qt::LeftButton);
}

void WizardTest::ClickNext() {
  QTest::mouseClick(window_->DelphiWizard1->NextButton(), Qt::LeftButton);
}

void WizardTest::ClickEnd() {
  QTest::mouseClick(window_->DelphiWizard1->EndButton(), Qt::LeftButton);
}

int WizardTest::Page() const {
  return window_->Notebook1->PageIndex();
}

void WizardTest::TypeInto(QLineEdit* box, const std::string& text) {
  box->clear();
  QTest::keyClicks(box, ToQString(text));
}

void WizardTest::LogOnToDemo() {
  ClickNext();
  ASSERT_EQ(Page(), 1);
  TypeInto(window_->eUser, "HR");
  TypeInto(window_->eServer, DemoSnapshotPath());
  ClickNext();
  ASSERT_EQ(Page(), 2) << ::testing::PrintToString(messages_.shownTexts());
}

void WizardTest::GoToDestination(const std::string& folder) {
  LogOnToDemo();
  ClickNext();
  ASSERT_EQ(Page(), 3);
  TypeInto(window_->ePath, folder);
}

bool WizardTest::IsIdle() const {
  return window_->cursor().shape() == Qt::ArrowCursor && window_->DelphiWizard1->isEnabled();
}

std::vector<std::string> WizardTest::ShownButWarnings() const {
  std::vector<std::string> texts;
  for (const MessageBox& box : messages_.shown()) {
    if (box.icon != MessageIcon::kWarning) texts.push_back(box.text);
  }
  return texts;
}

std::vector<std::string> WizardTest::ListCaptions() const {
  std::vector<std::string> captions;
  for (int i = 0; i < window_->lvPackList->topLevelItemCount(); ++i) {
    captions.push_back(FromQString(window_->lvPackList->topLevelItem(i)->text(0)));
  }
  return captions;
}

std::vector<Qt::CheckState> WizardTest::ListChecks() const {
  std::vector<Qt::CheckState> checks;
  for (int i = 0; i < window_->lvPackList->topLevelItemCount(); ++i) {
    checks.push_back(window_->lvPackList->topLevelItem(i)->checkState(0));
  }
  return checks;
}

void WizardTest::SetCheck(int entry, Qt::CheckState state) {
  window_->lvPackList->topLevelItem(entry)->setCheckState(0, state);
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const QString& name : QDir(ToQString(folder)).entryList(QDir::Files)) {
    names.push_back(FromQString(name));
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string ReadFile(const std::string& path) {
  return ReadWholeFile(path);
}

void WizardTest::SaveScreenshot(const std::string& name) const {
  const QString folder = QStringLiteral(TARVEL_BINARY_DIR "/screenshots");
  QDir().mkpath(folder);
  EXPECT_TRUE(window_->grab().save(folder + QLatin1Char('/') + ToQString(name) + ".png"));
}

}  // namespace tarvel::testing
