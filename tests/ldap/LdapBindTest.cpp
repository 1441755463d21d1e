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

// Sets variables (null: unsets them) for one scope and puts back what was there.
class ScopedEnvironment {
 public:
  ScopedEnvironment(std::initializer_list<std::pair<const char*, const char*>> values) {
    for (const auto& [name, value] : values) {
      const char* old = std::getenv(name);
      saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
      Set(name, value);
    }
  }
  ~ScopedEnvironment() {
    for (const auto& [name, value] : saved_) Set(name.c_str(), value ? value->c_str() : nullptr);
  }

 private:
  static void Set(const char* name, const char* value) {
    value ? ::setenv(name, value, 1) : ::unsetenv(name);
  }
  std::map<std::string, std::optional<std::string>> saved_;
};

class LdapBind : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new TempFolder;
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
  static std::string PasswordFile(const std::string& text, mode_t mode) {
    const std::string path = folder_->Write("password", text);
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
  EXPECT_EQ(asked, (std::vector{std::make_pair(kAdmin, server_->Uri())}));

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

TEST(LdapOptionsFromEnvironment, ReadsTimeoutTlsAndTreeNameAndRefusesWhatItCannotRead) {
  struct Case {
    const char *timeout, *startTls;
    int timeoutMs;  // 0: refused, naming the variable
    bool tls;
  };
  for (const Case& c : {Case{"2.5", "1", 2500, true}, Case{nullptr, "yes", 10000, true},
                        Case{nullptr, "On", 10000, true}, Case{nullptr, "TRUE", 10000, true},
                        Case{nullptr, "off", 10000, false}, Case{nullptr, "", 10000, false},
                        Case{"", nullptr, 10000, false}, Case{nullptr, "2", 0, false},
                        Case{nullptr, "enable", 0, false}, Case{"0", nullptr, 0, false},
                        Case{"-1", nullptr, 0, false}, Case{"ten", nullptr, 0, false},
                        Case{"1e9", nullptr, 0, false}}) {
    ScopedEnvironment env{{"CVX_LDAP_TIMEOUT", c.timeout},
                          {"CVX_LDAP_STARTTLS", c.startTls},
                          {"CVX_TREE_NAME", "CORP"},
                          {"CVX_LDAP_BINDDN", nullptr}};
    const std::string label =
        std::string(c.timeout ? c.timeout : "-") + " / " + (c.startTls ? c.startTls : "-");
    auto options = LdapOptionsFromEnvironment({}, "ldap://x");
    ASSERT_EQ(options.ok(), c.timeoutMs != 0) << label;
    if (!options) {
      EXPECT_EQ(options.error(), kDirClientMissing);
      EXPECT_NE(options.message().find(c.timeout && *c.timeout ? "CVX_LDAP_TIMEOUT"
                                                               : "CVX_LDAP_STARTTLS"),
                std::string::npos)
          << options.message();
      continue;
    }
    EXPECT_EQ(options->timeoutMs, c.timeoutMs) << label;
    EXPECT_EQ(options->startTls, c.tls) << label;
    EXPECT_EQ(options->treeName, "CORP");
    EXPECT_TRUE(options->bindDn.empty());
  }
}

}  // namespace cvx::test
