#include "wsdb/DatabaseFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TempFolder.h"
#include "wsdb/DatabaseMessages.h"

namespace cvx {
namespace {

// Each branch of the rule, on folders of the test's own: a program folder of a copy (writable),
// of an installed program (../share/corvexa beside it), with and without the tree's file.
TEST(DatabaseFolder, ProgramFolderThenSharedThenUsers) {
  test::TempFolder t;
  const std::string copy = t.path() + "/copy";
  const std::string installed = t.path() + "/usr/bin";
  const std::string shared = t.path() + "/var/lib/corvexa";
  const std::string user = t.path() + "/home/.local/share/corvexa";
  std::filesystem::create_directories(copy);
  std::filesystem::create_directories(installed);
  std::filesystem::create_directories(t.path() + "/usr/share/corvexa");
  struct Case {
    std::string program;
    bool sharedThere;
    bool fileInProgramFolder;
    std::string expected;
  };
  const Case cases[] = {
      {copy, true, false, copy},                // a copy run from a share, or a build tree
      {installed, true, true, installed},       // an installed program that already holds it
      {installed, true, false, shared},         // installed, the package made the shared folder
      {installed, false, false, user},          // installed without it
      {t.path() + "/gone", false, false, user}  // a program folder that is not there
  };
  for (const Case& c : cases) {
    std::filesystem::remove_all(t.path() + "/var");
    if (c.sharedThere) std::filesystem::create_directories(shared);
    std::filesystem::remove(installed + "/CORP.lst");
    if (c.fileInProgramFolder) t.Write("usr/bin/CORP.lst", "");
    EXPECT_EQ(DefaultDatabaseFolder({c.program, shared, user}, "CORP"), c.expected)
        << c.program << " shared:" << c.sharedThere << " file:" << c.fileInProgramFolder;
  }
}

TEST(DatabaseFolder, MessagesNameTheFolderUsedWhenItIsNotTheProgramFolder) {
  const std::string text = DatabaseMessageText(DatabaseFault::kFileMissing);
  EXPECT_EQ(NameDatabaseFolder(text, "/opt/cvx/bin/", "/opt/cvx/bin"), text);
  const std::string named = NameDatabaseFolder(text, "/var/lib/corvexa", "/usr/bin");
  EXPECT_NE(named.find("the directory /var/lib/corvexa!"), std::string::npos) << named;
  EXPECT_EQ(named.find("the same directory as the application"), std::string::npos) << named;
}

}  // namespace
}  // namespace cvx
