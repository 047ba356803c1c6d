#include "ui/Notebook.h"

#include "common/QtText.h"

namespace tarvel {

TNotebook::TNotebook(QWidget* parent) : QStackedWidget(parent) {}

QWidget* TNotebook::addPage(const std::string& name) {
  auto* page = new QWidget(this);
  page->setObjectName(ToQString(name));
  addWidget(page);
  return page;
}

int TNotebook::pageCount() const {
  return count();
}

int TNotebook::PageIndex() const {
  return currentIndex();
}

void TNotebook::SetPageIndex(int index) {
  if (index < 0 || index >= count() || index == currentIndex()) return;
  setCurrentIndex(index);
}

std::string TNotebook::ActivePage() const {
  const QWidget* page = currentWidget();
  return page == nullptr ? std::string() : FromQString(page->objectName());
}

void TNotebook::SetActivePage(const std::string& name) {
  const QString pageName = ToQString(name);
  for (int index = 0; index < count(); ++index) {
    if (widget(index)->objectName() == pageName) {
      SetPageIndex(index);
      return;
    }
  }
}

}  // namespace tarvel
