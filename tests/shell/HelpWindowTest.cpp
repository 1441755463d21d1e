#include "shell/frmHelpWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include "shell/HelpWindowTexts.h"

namespace cvx {
namespace {

TEST(HelpWindowTextsTest, LinesBreakWithCrLfAndEachTextEndsWithExactlyOne) {
  const auto texts = HelpWindowTexts();
  for (std::size_t k = 2; k < texts.size(); ++k) {
    const QString& text = texts[k].second;
    SCOPED_TRACE(texts[k].first.toStdString());
    EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n")));
    EXPECT_FALSE(text.endsWith(QStringLiteral("\r\n\r\n")));
    EXPECT_EQ(text.count(QLatin1Char('\n')), text.count(QStringLiteral("\r\n")));
    EXPECT_EQ(text.count(QLatin1Char('\r')), text.count(QStringLiteral("\r\n")));
  }
}

TEST(HelpWindowTest, ShowsEveryOptionInAReadOnlyBoxThatNeedsNoScrolling) {
  frmHelpWindow help;
  help.show();
  QApplication::processEvents();

  const auto texts = HelpWindowTexts();
  for (int k = 1; k <= 5; ++k) {
    SCOPED_TRACE(k);
    auto* label = help.findChild<QLabel*>(QStringLiteral("lblOption(%1)").arg(k));
    auto* box = help.findChild<QPlainTextEdit*>(QStringLiteral("txtOption(%1)").arg(k));
    ASSERT_NE(label, nullptr);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(label->text(), texts[static_cast<std::size_t>(k) + 1].first);
    // The box shows each CR LF as one line break, with no stray carriage return.
    QString shown = texts[static_cast<std::size_t>(k) + 1].second;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    EXPECT_EQ(box->toPlainText(), shown);
    EXPECT_TRUE(box->isReadOnly());
    EXPECT_EQ(box->verticalScrollBar()->maximum(), 0);
    EXPECT_GE(label->width(), label->sizeHint().width());
  }
  auto* syntax = help.findChild<QLabel*>(QStringLiteral("lblSyntax"));
  ASSERT_NE(syntax, nullptr);
  EXPECT_EQ(syntax->text(), texts[1].first);
  help.cmdOK()->click();
  EXPECT_FALSE(help.isVisible());
}

}  // namespace
}  // namespace cvx
