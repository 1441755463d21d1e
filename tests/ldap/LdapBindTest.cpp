// Binding to a live directory: names and passwords, where the password comes from, and the
// options read from the environment.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <map>
#include <optional>

#include "LdapBackends.h"

namespace cvx::test {

namespace {

const std::string kAdmin = "cn=ADMIN,o=NET";

// Sets variables for one test and puts back what was there.
class ScopedEnvironment {
 public:
  ScopedEnvironment(std::initializer_list<std::pair<const char*, const char*>> values) {
    for (const auto& [name, value] : values) {
      const char* old = std::getenv(name);
      saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
      if (value) {
        ::setenv(name, value, 1);
      } else {
        ::unsetenv(name);
      }
    }
  }
  ~ScopedEnvironment() {
    for (const auto& [name, value] : saved_) {
      if (value) {
        ::setenv(name.c_str(), value->c_str(), 1);
      } else {
        ::unsetenv(name.c_str());
      }
    }
  }

 private:
  std::map<std::string, std::optional<std::string>> saved_;
};

class LdapBind : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new TempFolder("cvx-bind");
    SlapdSetup setup;
    setup.treeName = "NET";
    std::string why;
    server_ = StartTreeServer(NetTreeLdif(1), setup, *folder_, &why).release();
    ASSERT_TRUE(server_) << why;
  }
  static void TearDownTestSuite() {
    delete server_;
    delete folder_;
  }
  void SetUp() override { ASSERT_TRUE(server_); }

  static DirResult<DirectoryClientPtr> OpenAs(const std::string& dn, const std::string& password) {
    LdapOptions options = TestLdapOptions();
    options.bindDn = dn;
    options.password = password;
    return OpenDirectoryClientWith(server_->Uri(), "", options);
  }

  std::string PasswordFile(const std::string& text, mode_t mode) {
    const std::string path = *folder_ / "password";
    WriteTextFile(path, text);
    ::chmod(path.c_str(), mode);
    return path;
  }

  static TempFolder* folder_;
  static SlapdServer* server_;
};

TempFolder* LdapBind::folder_ = nullptr;
SlapdServer* LdapBind::server_ = nullptr;

}  // namespace

TEST_F(LdapBind, TheRightPasswordOpensAndAWrongOneIsTheMissingClient) {
  auto client = OpenAs(kAdmin, "secret");
  ASSERT_TRUE(client) << client.message();
  EXPECT_TRUE((*client)->CreateControl()->FindEntry(R"(NDS:\\NET\NET\ADMIN)"));

  for (const auto& [dn, password] : {std::pair{kAdmin, std::string("wrong")},
                                     std::pair{std::string("cn=NOBODY,o=NET"), std::string("x")}}) {
    auto refused = OpenAs(dn, password);
    EXPECT_EQ(refused.error(), kDirClientMissing) << dn;
    EXPECT_NE(refused.message().find("Invalid credentials"), std::string::npos)
        << refused.message();
    EXPECT_EQ(refused.message().find(password), std::string::npos) << "the password is shown";
  }
}

TEST_F(LdapBind, APasswordFileOpenToOthersIsRefusedAndAPrivateOneIsUsed) {
  for (const mode_t mode : {0644, 0640, 0604, 0660}) {
    const auto path = PasswordFile("secret\n", mode);
    ScopedEnvironment env{{"CVX_LDAP_BINDDN", kAdmin.c_str()},
                          {"CVX_LDAP_PASSWORD_FILE", path.c_str()}};
    auto refused = OpenDirectoryClient(server_->Uri(), "");
    EXPECT_EQ(refused.error(), kDirClientMissing) << std::oct << mode;
    EXPECT_NE(refused.message().find(path), std::string::npos) << refused.message();
    EXPECT_NE(refused.message().find("group or others"), std::string::npos) << refused.message();
  }
  const auto path = PasswordFile("secret\r\n", 0600);
  ScopedEnvironment env{{"CVX_LDAP_BINDDN", kAdmin.c_str()},
                        {"CVX_LDAP_PASSWORD_FILE", path.c_str()}};
  auto opened = OpenDirectoryClient(server_->Uri(), "");
  EXPECT_TRUE(opened) << opened.message();

  // An empty file would make an unauthenticated bind: refused too.
  PasswordFile("\n", 0600);
  EXPECT_EQ(OpenDirectoryClient(server_->Uri(), "").error(), kDirClientMissing);
  ScopedEnvironment missing{{"CVX_LDAP_PASSWORD_FILE", "/nonexistent/password"}};
  EXPECT_EQ(OpenDirectoryClient(server_->Uri(), "").error(), kDirClientMissing);
}

TEST_F(LdapBind, WithoutAPasswordFileThePromptIsAskedOnceAndMayDecline) {
  ScopedEnvironment env{{"CVX_LDAP_BINDDN", kAdmin.c_str()}, {"CVX_LDAP_PASSWORD_FILE", nullptr}};
  std::vector<std::pair<std::string, std::string>> asked;
  auto typed = OpenDirectoryClient(server_->Uri(), "",
                                   [&](const std::string& dn, const std::string& server) {
                                     asked.emplace_back(dn, server);
                                     return std::optional<std::string>("secret");
                                   });
  EXPECT_TRUE(typed) << typed.message();
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0], std::make_pair(kAdmin, server_->Uri()));

  auto declined = OpenDirectoryClient(
      server_->Uri(), "", [](const std::string&, const std::string&) { return std::nullopt; });
  EXPECT_EQ(declined.error(), kDirClientMissing);
  EXPECT_NE(declined.message().find("CVX_LDAP_PASSWORD_FILE"), std::string::npos);
  // No way to ask at all: the same.
  EXPECT_EQ(OpenDirectoryClient(server_->Uri(), "").error(), kDirClientMissing);
}

TEST_F(LdapBind, AnonymousAccessNeverAsksAndAFolderWithoutLiveTreesNeedsNoOptions) {
  ScopedEnvironment env{{"CVX_LDAP_BINDDN", nullptr}, {"CVX_LDAP_TIMEOUT", "not a number"}};
  bool asked = false;
  auto prompt = [&](const std::string&, const std::string&) {
    asked = true;
    return std::optional<std::string>("x");
  };
  // A folder of files never reads the LDAP variables, broken or not.
  EXPECT_TRUE(OpenDirectoryClient(FixtureFolder("basic"), "", prompt));
  auto live = OpenDirectoryClient(server_->Uri(), "", prompt);
  EXPECT_EQ(live.error(), kDirClientMissing);
  EXPECT_NE(live.message().find("CVX_LDAP_TIMEOUT"), std::string::npos) << live.message();
  EXPECT_FALSE(asked);
}

TEST(LdapOptionsFromEnvironment, ReadsTimeoutTlsAndTreeName) {
  {
    ScopedEnvironment env{{"CVX_LDAP_TIMEOUT", "2.5"},
                          {"CVX_LDAP_STARTTLS", "1"},
                          {"CVX_TREE_NAME", "CORP"},
                          {"CVX_LDAP_BINDDN", nullptr}};
    auto options = LdapOptionsFromEnvironment({}, "ldap://x");
    ASSERT_TRUE(options) << options.message();
    EXPECT_EQ(options->timeoutMs, 2500);
    EXPECT_TRUE(options->startTls);
    EXPECT_EQ(options->treeName, "CORP");
    EXPECT_TRUE(options->bindDn.empty());
  }
  // StartTLS: on, off, or refused by name.
  const std::vector<std::pair<const char*, std::optional<bool>>> startTls{
      {"yes", true},  {"On", true}, {"TRUE", true},      {"no", false},
      {"off", false}, {"", false},  {"2", std::nullopt}, {"enable", std::nullopt}};
  for (const auto& [value, on] : startTls) {
    ScopedEnvironment env{
        {"CVX_LDAP_TIMEOUT", nullptr}, {"CVX_LDAP_STARTTLS", value}, {"CVX_LDAP_BINDDN", nullptr}};
    auto options = LdapOptionsFromEnvironment({}, "ldap://x");
    ASSERT_EQ(options.ok(), on.has_value()) << value;
    if (!on) {
      EXPECT_EQ(options.error(), kDirClientMissing);
      EXPECT_NE(options.message().find("CVX_LDAP_STARTTLS"), std::string::npos);
      continue;
    }
    EXPECT_EQ(options->timeoutMs, 10000);
    EXPECT_EQ(options->startTls, *on) << value;
  }
  for (const char* bad : {"0", "-1", "ten", "1e9", ""}) {
    ScopedEnvironment env{{"CVX_LDAP_TIMEOUT", bad}, {"CVX_LDAP_BINDDN", nullptr}};
    EXPECT_EQ(LdapOptionsFromEnvironment({}, "ldap://x").ok(), std::string(bad).empty()) << bad;
  }
}

}  // namespace cvx::test
