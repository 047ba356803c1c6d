#include <gtest/gtest.h>

#include <QSignalSpy>

#include "ui/Notebook.h"

namespace tarvel {
namespace {

TEST(NavigatorNotebook, ShowsOnlyIndexesInsideItsPages) {
  TNotebook notebook;
  EXPECT_EQ(notebook.PageIndex(), -1);
  EXPECT_EQ(notebook.ActivePage(), "");
  notebook.SetPageIndex(0);
  EXPECT_EQ(notebook.PageIndex(), -1);

  for (const char* name : {"Default", "Login", "Objects"}) notebook.addPage(name);
  EXPECT_EQ(notebook.pageCount(), 3);
  EXPECT_EQ(notebook.PageIndex(), 0);

  QSignalSpy changes(&notebook, &QStackedWidget::currentChanged);
  for (const int index : {-1, 3, 0}) notebook.SetPageIndex(index);
  EXPECT_EQ(notebook.PageIndex(), 0);
  EXPECT_EQ(changes.count(), 0);

  notebook.SetPageIndex(2);
  EXPECT_EQ(notebook.PageIndex(), 2);
  EXPECT_EQ(notebook.ActivePage(), "Objects");
  EXPECT_EQ(changes.count(), 1);
}

TEST(NavigatorNotebook, SelectsAPageByName) {
  TNotebook notebook;
  QWidget* login = nullptr;
  for (const char* name : {"Default", "Login", "Report"}) {
    QWidget* page = notebook.addPage(name);
    if (std::string(name) == "Login") login = page;
  }
  notebook.SetActivePage("Login");
  EXPECT_EQ(notebook.PageIndex(), 1);
  EXPECT_EQ(notebook.currentWidget(), login);
  notebook.SetActivePage("Nowhere");
  EXPECT_EQ(notebook.ActivePage(), "Login");
}

}  // namespace
}  // namespace tarvel
