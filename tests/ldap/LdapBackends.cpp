#include "LdapBackends.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "core/TextUtil.h"

namespace cvx::test {

namespace {

namespace fs = std::filesystem;

// The machine's LDAP configuration (~/.ldaprc, /etc/ldap/ldap.conf, LDAP* variables) must not
// change what the tests see; set before the library first reads it.
[[maybe_unused]] const bool kNoMachineLdapConfiguration = ::setenv("LDAPNOINIT", "1", 1) == 0;

// The files of a fixture with one extension, by name.
std::vector<fs::path> FilesOf(const std::string& fixture, const std::string& extension) {
  std::vector<fs::path> files;
  for (const auto& e : fs::directory_iterator(FixtureFolder(fixture))) {
    if (EqualsNoCase(e.path().extension().string(), extension)) files.push_back(e.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// A folder of <TREE>.uri files for a fixture's servers, kept for the program; mixed, only the last
// tree by name is live and the others are files.
class LiveBackend : public DirectoryBackendFactory {
 public:
  explicit LiveBackend(bool mixed) : mixed_(mixed) {}
  std::string Name() const override { return mixed_ ? "Mixed" : "Ldap"; }
  DirResult<DirectoryClientPtr> Open(const std::string& fixture,
                                     const std::string& preferredTree) const override {
    auto& folder = folders_[fixture];
    const std::string live = mixed_ ? FilesOf(fixture, ".ldif").back().stem().string() : "";
    if (!folder) {
      folder = std::make_unique<TempFolder>();
      for (const auto& f : FilesOf(fixture, ".ldif")) {
        const std::string tree = f.stem().string();
        if (mixed_ && tree != live) {
          fs::copy_file(f, *folder / f.filename().string());
        } else if (auto* server = FixtureServer(fixture, tree)) {
          folder->Write(tree + ".uri", server->Uri() + "\n");
        }
      }
      // A live tree's schema is its server's; its own file would count for every file tree.
      for (const auto& s : FilesOf(fixture, ".schema")) {
        if (mixed_ && !EqualsNoCase(s.stem().string(), live))
          fs::copy_file(s, *folder / s.filename().string());
      }
    }
    return OpenDirectoryClientWith(folder->path(), preferredTree, TestLdapOptions());
  }

 private:
  bool mixed_;
  mutable std::map<std::string, std::unique_ptr<TempFolder>> folders_;
};

const LiveBackend kMixed(true);

}  // namespace

SlapdServer* FixtureServer(const std::string& fixture, const std::string& tree) {
  static std::map<std::string, std::unique_ptr<SlapdServer>> servers;
  auto& slot = servers[fixture + "/" + tree];
  if (slot) return slot.get();
  SlapdSetup setup;
  setup.treeName = tree;
  setup.ldifPath = FixtureFolder(fixture) + "/" + tree + ".ldif";
  // The schema files every tree of the folder shares, then the tree's own.
  std::string own;
  for (const auto& s : FilesOf(fixture, ".schema")) {
    const std::string stem = s.stem().string();
    if (EqualsNoCase(stem, tree)) {
      own = s.string();
    } else if (!fs::exists(FixtureFolder(fixture) + "/" + stem + ".ldif")) {
      setup.folderSchemas.push_back(s.string());
    }
  }
  if (!own.empty()) setup.folderSchemas.push_back(own);
  std::string why;
  slot = SlapdServer::Create(setup, &why);
  if (!slot) ADD_FAILURE() << "the server of " << fixture << "/" << tree << ": " << why;
  return slot.get();
}

NetServer::NetServer(int workstations, SlapdSetup setup, const std::string& more) {
  std::string ldif =
      "dn: o=NET\nobjectClass: organization\no: NET\n\n"
      "dn: cn=ADMIN,o=NET\nobjectClass: inetOrgPerson\ncn: ADMIN\nsn: Admin\n"
      "userPassword: secret\n\n"
      "dn: ou=WS,o=NET\nobjectClass: organizationalUnit\nou: WS\n\n";
  for (int i = 1; i <= workstations; ++i) {
    const std::string name = "WS" + std::to_string(1000 + i).substr(1);
    ldif += "dn: cn=" + name + ",ou=WS,o=NET\nobjectClass: workstation\ncn: " + name + "\n\n";
  }
  setup.treeName = "NET";
  setup.ldifPath = folder.Write("NET.ldif", ldif + more);
  for (const auto* schema : {"core.schema", "workstation.schema"}) {
    setup.folderSchemas.push_back(FixtureFolder("addresses") + "/" + schema);
  }
  server = SlapdServer::Create(setup, &why);
}

LdapOptions TestLdapOptions(int timeoutMs) {
  LdapOptions options;
  options.timeoutMs = timeoutMs;
  return options;
}

DirResult<DirectoryClientPtr> OpenLive(const std::string& where, LdapOptions options,
                                       const std::string& preferredTree) {
  return OpenDirectoryClientWith(where, preferredTree, options);
}

const DirectoryBackendFactory& LdapDirectoryBackend() {
  static const LiveBackend backend(false);
  return backend;
}

CVX_DIRECTORY_CONFORMANCE(Ldap, &LdapDirectoryBackend());
CVX_DIRECTORY_CONFORMANCE(Mixed, &kMixed);

}  // namespace cvx::test
