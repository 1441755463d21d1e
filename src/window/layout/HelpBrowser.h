#pragma once

#include <QWidget>

class QTextBrowser;

namespace cvx {

// Corvexa's own help, shown in a window of its own: one page of text shipped in the program's
// resources, with links between its sections. Made as a window belonging to the main window, so
// it never keeps the program running after the main window has closed.
class HelpBrowser : public QWidget {
  Q_OBJECT

 public:
  // Where the page lives in the resources.
  static const char* const kPage;

  explicit HelpBrowser(QWidget* owner);

  QTextBrowser* text() const { return text_; }

 private:
  QTextBrowser* text_ = nullptr;
};

}  // namespace cvx
