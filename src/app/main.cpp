#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "batch/RunCommandLine.h"
#include "settings/Settings.h"
#include "settings/uIni.h"
#include "ui/ErrorReport.h"
#include "ui/MessageService.h"
#include "ui/main.h"

namespace {

constexpr int kExitNoDisplay = 2;

// Qt's messages while it looks for a window system. When it finds none it ends the program
// through a fatal message, which is replaced by one line that says what to do instead; when it
// finds one, its messages go on as they came.
std::vector<std::pair<QtMsgType, QString>> gStartMessages;

void KeepStartMessage(QtMsgType type, const QMessageLogContext& /*context*/,
                      const QString& message) {
  if (type != QtFatalMsg) {
    gStartMessages.emplace_back(type, message);
    return;
  }
  std::fputs(
      "tarvelgen: the wizard needs a display, and none could be opened; the batch commands "
      "list, generate and snapshot run without one (see 'tarvelgen --help')\n",
      stderr);
  std::_Exit(kExitNoDisplay);
}

void ReplayStartMessages() {
  for (const auto& [type, message] : gStartMessages) {
    qt_message_output(type, QMessageLogContext(), message);
  }
  gStartMessages.clear();
}

// The wizard: one window, and the program ends when it closes.
int RunWizard(int argc, char** argv) {
  const QtMessageHandler previous = qInstallMessageHandler(KeepStartMessage);
  QApplication application(argc, argv);
  qInstallMessageHandler(previous);
  ReplayStartMessages();

  tarvel::QtMessageService messages;
  const std::string iniPath = tarvel::DefaultIniFilePath();
  tarvel::RunReportingErrors(
      messages, nullptr, [&] { tarvel::CreateSettings(iniPath, tarvel::FirstStartSettings()); });
  tarvel::Tfmain window(messages, iniPath);
  window.show();
  return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
  if (const auto status = tarvel::RunCommandLine(argc, argv)) return *status;
  return RunWizard(argc, argv);
}
