#include <QApplication>

#include "batch/RunCommandLine.h"
#include "settings/uIni.h"
#include "ui/MessageService.h"
#include "ui/main.h"

namespace {

// The wizard: one window, and the program ends when it closes.
int RunWizard(int argc, char** argv) {
  QApplication application(argc, argv);
  tarvel::QtMessageService messages;
  tarvel::Tfmain window(messages, tarvel::DefaultIniFilePath());
  window.show();
  return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
  if (const auto status = tarvel::RunCommandLine(argc, argv)) return *status;
  return RunWizard(argc, argv);
}
