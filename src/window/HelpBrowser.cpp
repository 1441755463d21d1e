#include "window/HelpBrowser.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace cvx {

const char* const HelpBrowser::kPage = "qrc:/help/corvexa-help.html";

namespace {
// A comfortable page: about this many characters to a line and lines to a screen.
constexpr int kColumns = 90;
constexpr int kLines = 36;
}  // namespace

HelpBrowser::HelpBrowser(QWidget* owner) : QWidget(owner, Qt::Window) {
  setObjectName(QStringLiteral("HelpBrowser"));
  setWindowTitle(QStringLiteral("Corvexa Help"));
  text_ = new QTextBrowser(this);
  text_->setObjectName(QStringLiteral("txtHelp"));
  // Links leading out of the page belong in the desktop's browser.
  text_->setOpenExternalLinks(true);
  text_->setSource(QUrl(QString::fromLatin1(kPage)));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(text_);
  const QFontMetrics metrics = text_->fontMetrics();
  resize(metrics.averageCharWidth() * kColumns, metrics.lineSpacing() * kLines);
}

}  // namespace cvx
