#include "window/layout/HelpBrowser.h"

#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

namespace cvx {

const char* const HelpBrowser::kPage = "qrc:/help/corvexa-help.html";

namespace {
// A comfortable page: about this many characters to a line and lines to a screen.
constexpr int kColumns = 100;
constexpr int kLines = 36;
// Text right at the window's edge is hard to read.
constexpr qreal kMargin = 12;
}  // namespace

HelpBrowser::HelpBrowser(QWidget* owner) : QWidget(owner, Qt::Window) {
  setObjectName(QStringLiteral("HelpBrowser"));
  setWindowTitle(QStringLiteral("Corvexa Help"));
  text_ = new QTextBrowser(this);
  text_->setObjectName(QStringLiteral("txtHelp"));
  // Links leading out of the page belong in the desktop's browser.
  text_->setOpenExternalLinks(true);
  text_->document()->setDocumentMargin(kMargin);
  text_->setSource(QUrl(QString::fromLatin1(kPage)));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(text_);
  const QFontMetrics metrics = text_->fontMetrics();
  resize(metrics.averageCharWidth() * kColumns, metrics.lineSpacing() * kLines);
}

}  // namespace cvx
