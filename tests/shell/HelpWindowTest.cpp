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

// Each option is shown in a read-only box that needs no scrolling, its CR LF line breaks as
// single line breaks with no stray carriage return, each text ending with exactly one.
TEST(HelpWindowTest, ShowsEveryOptionInAReadOnlyBoxThatNeedsNoScrolling) {
  frmHelpWindow help;
  help.show();
  QApplication::processEvents();
  const auto texts = HelpWindowTexts();
  EXPECT_EQ(help.findChild<QLabel*>(QStringLiteral("lblSyntax"))->text(), texts[1].first);
  for (int k = 1; k <= 5; ++k) {
    const auto& [caption, text] = texts[static_cast<std::size_t>(k) + 1];
    SCOPED_TRACE(caption.toStdString());
    EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n")) &&
                !text.endsWith(QStringLiteral("\r\n\r\n")));
    EXPECT_EQ(text.count(QLatin1Char('\r')), text.count(QLatin1Char('\n')));
    auto* label = help.findChild<QLabel*>(QStringLiteral("lblOption(%1)").arg(k));
    auto* box = help.findChild<QPlainTextEdit*>(QStringLiteral("txtOption(%1)").arg(k));
    ASSERT_TRUE(label && box);
    EXPECT_EQ(label->text(), caption);
    EXPECT_GE(label->width(), label->sizeHint().width());
    EXPECT_EQ(box->toPlainText(),
              QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    EXPECT_TRUE(box->isReadOnly());
    EXPECT_EQ(box->verticalScrollBar()->maximum(), 0);
  }
  help.cmdOK()->click();
  EXPECT_FALSE(help.isVisible());
}

}  // namespace
}  // namespace cvx
