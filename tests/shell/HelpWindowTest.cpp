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

TEST(HelpWindowTextsTest, OptionsAreExplainedWordForWord) {
  const auto texts = HelpWindowTexts();
  ASSERT_EQ(texts.size(), 7u);
  EXPECT_EQ(texts[0].first, QStringLiteral("Command line options:"));
  EXPECT_EQ(texts[1].first, QStringLiteral("cvx [ /tree=<tree name> ] [ /dbpath=<path> ]  [ [ "
                                           "/dbbuild = <context> ] [ /autoclose ] ]  [ /? ]"));
  EXPECT_EQ(texts[2].first, QStringLiteral("/tree=<tree name>"));
  EXPECT_EQ(texts[2].second,
            QStringLiteral("Used to specify the NDS tree CVX should use. All settings inluding the "
                           "history and the workstation databse are stored separately for each "
                           "tree used. After loading CVX with a different tree you may need to "
                           "readjust several settings.\r\n\r\nExample:\r\n"
                           "cvx /tree=NDS:\\\\MyTree\r\n"));
  EXPECT_EQ(texts[3].first, QStringLiteral("/dbpath=<path>"));
  EXPECT_EQ(texts[3].second,
            QStringLiteral("Loads and saves the workstation databse file from and to the specified "
                           "directory.\r\n\r\nExamples:\r\ncvx /dbpath=t:\\cvx\r\n"
                           "cvx /dbpath=\\\\MyServer\\vol3\\cvx\r\n"));
  EXPECT_EQ(texts[4].first, QStringLiteral("/dbbuild=<context>"));
  EXPECT_TRUE(texts[4].second.startsWith(
      QStringLiteral("(Re)Builds the workatation databse upon application startup")));
  EXPECT_TRUE(texts[4].second.contains(
      QStringLiteral("way:\r\n\r\nNDS:\\\\Tree Name\\Organization\\Organizational Unit\\ ... "
                     "\\Urganizational Unit\r\n\r\nExample:\r\nThe context")));
  EXPECT_TRUE(texts[4].second.endsWith(QStringLiteral(
      "must be passed as\r\n\r\ncvx /dbbuild=NDS:\\\\MyTree\\MyOrganization\\MyContainer\\"
      "Workstation\r\n")));
  EXPECT_EQ(texts[5].first, QStringLiteral("/autoclose"));
  EXPECT_EQ(texts[6], (std::pair<QString, QString>{"/?", "Brings up this help.\r\n"}));
}

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
  EXPECT_EQ(help.windowTitle(), QStringLiteral("Corvexa - Command line options"));
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
}

TEST(HelpWindowTest, OkClosesTheWindow) {
  frmHelpWindow help;
  EXPECT_FALSE(help.isModal());
  help.show();
  ASSERT_NE(help.cmdOK(), nullptr);
  EXPECT_EQ(help.cmdOK()->objectName(), QStringLiteral("cmdOK"));
  EXPECT_EQ(help.cmdOK()->text(), QStringLiteral("OK"));
  help.cmdOK()->click();
  EXPECT_FALSE(help.isVisible());
  EXPECT_EQ(help.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace cvx
