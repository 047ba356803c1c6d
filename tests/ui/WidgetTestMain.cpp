#include <gtest/gtest.h>

#include <QApplication>
#include <QtGlobal>

// Widget tests need a QApplication. They run on the offscreen platform also when started by
// hand or listed for CTest, so that pictures, focus and activation behave alike everywhere.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
