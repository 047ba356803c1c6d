#pragma once

#include <QStackedWidget>
#include <string>

namespace tarvel {

// A set of named pages of which exactly one is shown, addressed by a zero-based index.
class TNotebook : public QStackedWidget {
  Q_OBJECT

 public:
  explicit TNotebook(QWidget* parent = nullptr);

  // Appends an empty page of that name and returns it, to receive the page's controls.
  QWidget* addPage(const std::string& name);

  int pageCount() const;
  // -1 while there are no pages.
  int PageIndex() const;
  // An index below 0, at or beyond the number of pages, or equal to the current one changes
  // nothing; any other shows that page.
  void SetPageIndex(int index);

  // The name of the page shown; empty while there are no pages.
  std::string ActivePage() const;
  // Shows the first page of that name; an unknown name changes nothing.
  void SetActivePage(const std::string& name);
};

}  // namespace tarvel
