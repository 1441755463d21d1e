// TLS to a live directory, with a certificate authority made for the test: StartTLS and ldaps://
// are accepted when the server's certificate verifies, refused when it does not. The CA comes
// from the LDAP library's own configuration, as it does in production (ldap.conf,
// LDAPTLS_CACERT); here it is set through the library's global options.

#include <gtest/gtest.h>
#include <ldap.h>

#include "LdapBackends.h"

namespace cvx::test {

namespace {

using namespace std::chrono_literals;

const std::string kWs1 = R"(NDS:\\NET\NET\WS\WS001)";

bool Openssl(const std::vector<std::string>& args, const TempFolder& folder, std::string* why) {
  std::vector<std::string> argv{"openssl"};
  argv.insert(argv.end(), args.begin(), args.end());
  return RunProgram(argv, folder / "openssl.log", {}, 60s, why) == 0;
}

bool MakeCa(const TempFolder& folder, const std::string& name, std::string* why) {
  return Openssl(
      {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes",
       "-keyout", folder / (name + ".key"), "-out", folder / (name + ".pem"), "-days", "2", "-subj",
       "/CN=Corvexa test " + name, "-addext", "basicConstraints=critical,CA:TRUE", "-addext",
       "keyUsage=critical,keyCertSign,cRLSign"},
      folder, why);
}

// A certificate for 127.0.0.1 (by IP address), signed by the CA "ca".
bool MakeServerCertificate(const TempFolder& folder, std::string* why) {
  folder.Write("server.ext",
               "subjectAltName=IP:127.0.0.1\nbasicConstraints=CA:FALSE\n"
               "keyUsage=critical,digitalSignature\nextendedKeyUsage=serverAuth\n");
  return Openssl({"req", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes",
                  "-keyout", folder / "server.key", "-out", folder / "server.csr", "-subj",
                  "/CN=127.0.0.1"},
                 folder, why) &&
         Openssl({"x509", "-req", "-in", folder / "server.csr", "-CA", folder / "ca.pem", "-CAkey",
                  folder / "ca.key", "-CAcreateserial", "-out", folder / "server.pem", "-days", "2",
                  "-extfile", folder / "server.ext"},
                 folder, why);
}

// The CA every new connection trusts from now on.
void TrustOnly(const std::string& caFile) {
  ldap_set_option(nullptr, LDAP_OPT_X_TLS_CACERTFILE, caFile.c_str());
  const int client = 0;
  ldap_set_option(nullptr, LDAP_OPT_X_TLS_NEWCTX, &client);
}

class LdapTls : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new TempFolder;
    std::string why;
    if (!MakeCa(*folder_, "ca", &why) || !MakeCa(*folder_, "other", &why) ||
        !MakeServerCertificate(*folder_, &why)) {
      setupError_ = new std::string(why);
      return;
    }
    SlapdSetup setup;
    setup.treeName = "NET";
    setup.tls =
        SlapdSetup::Tls{*folder_ / "ca.pem", *folder_ / "server.pem", *folder_ / "server.key"};
    server_ = StartTreeServer(NetTreeLdif(2), setup, *folder_, &why).release();
    if (!server_) setupError_ = new std::string(why);
  }
  static void TearDownTestSuite() {
    delete server_;
    delete folder_;
    delete setupError_;
  }
  void SetUp() override { ASSERT_FALSE(setupError_) << *setupError_; }

  static DirResult<DirectoryClientPtr> Open(const std::string& uri, bool startTls) {
    LdapOptions options = TestLdapOptions();
    options.startTls = startTls;
    return OpenDirectoryClientWith(uri, "", options);
  }
  static std::string CaFile(const std::string& name) { return *folder_ / (name + ".pem"); }

  static TempFolder* folder_;
  static SlapdServer* server_;
  static std::string* setupError_;
};

TempFolder* LdapTls::folder_ = nullptr;
SlapdServer* LdapTls::server_ = nullptr;
std::string* LdapTls::setupError_ = nullptr;

}  // namespace

TEST_F(LdapTls, ACertificateIsAcceptedWhenItVerifiesAndRefusedWhenItDoesNot) {
  const std::string port = server_->LdapsUri().substr(server_->LdapsUri().rfind(':') + 1);
  struct Case {
    const char* ca;
    std::string uri;
    bool startTls, opens;
  };
  for (const Case& c :
       {Case{"ca", server_->Uri(), true, true}, Case{"ca", server_->LdapsUri(), false, true},
        Case{"other", server_->Uri(), true, false},
        Case{"other", server_->LdapsUri(), false, false},
        // The right CA, but a name the certificate is not for.
        Case{"ca", "ldaps://localhost:" + port, false, false},
        // Without StartTLS a plain connection is what was asked for.
        Case{"other", server_->Uri(), false, true}}) {
    TrustOnly(CaFile(c.ca));
    auto client = Open(c.uri, c.startTls);
    const std::string label = c.uri + (c.startTls ? " StartTLS, CA " : ", CA ") + c.ca;
    if (!c.opens) {
      EXPECT_EQ(client.error(), kDirClientMissing) << label;
      if (std::string(c.ca) == "other") {
        EXPECT_NE(client.message().find("certificate"), std::string::npos) << client.message();
      }
      continue;
    }
    ASSERT_TRUE(client) << label << ": " << client.message();
    auto entry = (*client)->CreateControl()->FindEntry(kWs1);
    EXPECT_TRUE(entry) << label << ": " << entry.message();
  }
}

}  // namespace cvx::test
