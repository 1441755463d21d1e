// A server set up as an OpenLDAP administrator would: the stock core, cosine and inetOrgPerson
// schemas plus the project's schema files, entries checked against them on loading. Users carry
// their login addresses through the auxiliary class; the remote management extension is the
// demo tree's own schema file.

#include <gtest/gtest.h>

#include "LdapBackends.h"
#include "directory/DirectoryConformance.h"
#include "directory/ExtendedActionsProbe.h"

namespace cvx::test {

namespace {

const std::string kStock = R"(NDS:\\STOCK\ACME)";

// TCP 10.0.0.21 port 0x0C02 and IPX 00000077:08002BAABBCC:4003, as tagged data in base64.
const char* kLdif = R"(dn: o=ACME
objectClass: organization
o: ACME

dn: ou=SALES,o=ACME
objectClass: organizationalUnit
ou: SALES

dn: cn=JSMITH,ou=SALES,o=ACME
objectClass: inetOrgPerson
objectClass: corvexaLogin
cn: JSMITH
sn: Smith
givenName: John
fullName: John Smith
loginTime: 20240311070715Z
networkAddress:: OSMCDAoAABU=
networkAddress:: MCMAAAB3CAArqrvMQAM=

dn: cn=WS01,ou=SALES,o=ACME
objectClass: workstation
cn: WS01
wmNetworkAddress:: OSMCDAoAABU=
wmOperatingSystem: Windows XP

dn: cn=FS1,o=ACME
objectClass: ncpServer
cn: FS1
version: 5.70.06
)";

}  // namespace

TEST(LdapStockSchema, AStockServerWithTheProjectSchemaServesEveryPath) {
  TempFolder folder;
  SlapdSetup setup;
  setup.treeName = "STOCK";
  setup.ldifPath = folder.Write("STOCK.ldif", kLdif);
  for (const auto* stock : {"core", "cosine", "inetorgperson"}) {
    setup.slapdSchemas.push_back(std::string("/etc/ldap/schema/") + stock + ".schema");
  }
  setup.slapdSchemas.push_back(std::string(CVX_LDAP_SCHEMA_DIR) + "/corvexa.schema");
  setup.slapdSchemas.push_back(std::string(CVX_SOURCE_DIR) + "/data/demo/CORP.schema");
  setup.checkSchema = true;
  std::string why;
  auto server = SlapdServer::Create(setup, &why);
  ASSERT_TRUE(server) << why;

  auto opened = OpenDirectoryClientWith(server->Uri(), "", TestLdapOptions());
  ASSERT_TRUE(opened) << opened.message();
  auto& client = **opened;
  auto control = client.CreateControl();
  EXPECT_EQ(control->ContextPath(), R"(NDS:\\STOCK)");
  EXPECT_TRUE(ExtendedActionsSupported(client));
  auto servers = ListServerNames(client);
  ASSERT_TRUE(servers) << servers.message();
  EXPECT_EQ(*servers, std::vector<std::string>{"FS1"});

  auto user = control->FindEntry(kStock + R"(\SALES\JSMITH)");
  ASSERT_TRUE(user) << user.message();
  EXPECT_EQ((*user)->Layout().Name, "User");
  const std::vector<std::pair<std::string, std::vector<std::string>>> userFields{
      {"Network Address", {"TCP 10.0.0.21", "IPX 00000077:08002BAABBCC:4003"}},
      {"Full Name", {"John Smith"}},
      {"Login Time", {"20240311070715Z"}},
  };
  for (const auto& [field, values] : userFields) {
    auto read = (*user)->GetFieldValue(field);
    ASSERT_TRUE(read) << field;
    EXPECT_EQ(*read, values) << field;
  }
  auto ws = control->FindEntry(kStock + R"(\SALES\WS01)");
  ASSERT_TRUE(ws) << ws.message();
  EXPECT_EQ((*ws)->Layout().Name, "Workstation");
  EXPECT_EQ(*(*ws)->GetFieldValue("WM:Network Address"), std::vector<std::string>{"TCP 10.0.0.21"});

  const auto found = SearchAndWait(*control, "j*", "User", kScopeSubtree, kStock);
  ASSERT_TRUE(found) << found.message();
  EXPECT_EQ(*found, SearchResults{kStock + R"(\SALES\JSMITH)"});

  auto layouts = control->SchemaLayouts();
  ASSERT_TRUE(layouts) << layouts.message();
  EXPECT_TRUE(layouts->Item("Workstation"));
  EXPECT_TRUE(layouts->Item("Login Information"));
}

}  // namespace cvx::test
