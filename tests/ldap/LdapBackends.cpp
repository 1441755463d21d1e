#include "LdapBackends.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>

#include "core/TextUtil.h"

namespace cvx::test {

namespace {

namespace fs = std::filesystem;

// The machine's LDAP configuration (~/.ldaprc, /etc/ldap/ldap.conf, LDAP* variables) must not
// change what the tests see; set before the library first reads it.
[[maybe_unused]] const bool kNoMachineLdapConfiguration = ::setenv("LDAPNOINIT", "1", 1) == 0;

struct FixtureFiles {
  std::vector<fs::path> trees;    // *.ldif, by name
  std::vector<fs::path> schemas;  // *.schema, by name
};

FixtureFiles FilesOf(const std::string& fixture) {
  FixtureFiles files;
  for (const auto& e : fs::directory_iterator(FixtureFolder(fixture))) {
    const auto ext = ToUpperAscii(e.path().extension().string());
    if (ext == ".LDIF") files.trees.push_back(e.path());
    if (ext == ".SCHEMA") files.schemas.push_back(e.path());
  }
  std::sort(files.trees.begin(), files.trees.end());
  std::sort(files.schemas.begin(), files.schemas.end());
  return files;
}

bool IsTreeName(const FixtureFiles& files, const std::string& stem) {
  return std::any_of(files.trees.begin(), files.trees.end(),
                     [&](const fs::path& t) { return EqualsNoCase(t.stem().string(), stem); });
}

// A directory folder made for a fixture, kept for the whole program.
class PreparedFolders {
 public:
  // The folder for `fixture`, made by `make` the first time.
  template <class Make>
  DirResult<std::string> Get(const std::string& fixture, Make make) {
    auto& slot = folders_[fixture];
    if (!slot) {
      slot = std::make_unique<TempFolder>();
      if (auto error = make(*slot); !error.empty()) {
        slot.reset();
        return MakeDirError(kDirClientMissing, error);
      }
    }
    return slot->path();
  }

 private:
  std::map<std::string, std::unique_ptr<TempFolder>> folders_;
};

std::string WriteUriFile(const TempFolder& folder, const std::string& fixture,
                         const std::string& tree) {
  std::string why;
  auto* server = FixtureServer(fixture, tree, &why);
  if (!server) return why;
  folder.Write(tree + ".uri", server->Uri() + "\n");
  return "";
}

class LiveBackend : public DirectoryBackendFactory {
 public:
  std::string Name() const override { return "Ldap"; }
  DirResult<DirectoryClientPtr> Open(const std::string& fixture,
                                     const std::string& preferredTree) const override {
    auto folder = folders_.Get(fixture, [&](const TempFolder& f) -> std::string {
      for (const auto& t : FilesOf(fixture).trees) {
        if (auto error = WriteUriFile(f, fixture, t.stem().string()); !error.empty()) return error;
      }
      return "";
    });
    if (!folder) return folder.dirError();
    return OpenDirectoryClientWith(*folder, preferredTree, TestLdapOptions());
  }

 private:
  mutable PreparedFolders folders_;
};

class MixedBackend : public DirectoryBackendFactory {
 public:
  std::string Name() const override { return "Mixed"; }
  DirResult<DirectoryClientPtr> Open(const std::string& fixture,
                                     const std::string& preferredTree) const override {
    auto folder = folders_.Get(fixture, [&](const TempFolder& f) -> std::string {
      const auto files = FilesOf(fixture);
      const std::string live = files.trees.back().stem().string();
      for (const auto& t : files.trees) {
        if (t.stem() == live) continue;
        fs::copy_file(t, fs::path(f.path()) / t.filename());
      }
      // A live tree's schema is its server's; its own file would count for every file tree.
      for (const auto& s : files.schemas) {
        if (!EqualsNoCase(s.stem().string(), live))
          fs::copy_file(s, fs::path(f.path()) / s.filename());
      }
      return WriteUriFile(f, fixture, live);
    });
    if (!folder) return folder.dirError();
    return OpenDirectoryClientWith(*folder, preferredTree, TestLdapOptions());
  }

 private:
  mutable PreparedFolders folders_;
};

}  // namespace

SlapdServer* FixtureServer(const std::string& fixture, const std::string& tree, std::string* why) {
  static std::map<std::string, std::unique_ptr<SlapdServer>> servers;
  auto& slot = servers[fixture + "/" + tree];
  if (slot) return slot.get();
  const auto files = FilesOf(fixture);
  SlapdSetup setup;
  setup.treeName = tree;
  setup.ldifPath = FixtureFolder(fixture) + "/" + tree + ".ldif";
  // The schema files every tree of the folder shares, then the tree's own.
  for (const auto& s : files.schemas) {
    if (!IsTreeName(files, s.stem().string())) setup.folderSchemas.push_back(s.string());
  }
  for (const auto& s : files.schemas) {
    if (EqualsNoCase(s.stem().string(), tree)) setup.folderSchemas.push_back(s.string());
  }
  slot = SlapdServer::Create(setup, why);
  return slot.get();
}

std::unique_ptr<SlapdServer> StartTreeServer(const std::string& ldif, SlapdSetup setup,
                                             const TempFolder& folder, std::string* why) {
  setup.ldifPath = folder.Write(setup.treeName + ".ldif", ldif);
  for (const auto* schema : {"core.schema", "workstation.schema"}) {
    setup.folderSchemas.push_back(FixtureFolder("addresses") + "/" + schema);
  }
  return SlapdServer::Create(setup, why);
}

std::string NetTreeLdif(int workstations) {
  std::string ldif =
      "dn: o=NET\nobjectClass: organization\no: NET\n\n"
      "dn: cn=ADMIN,o=NET\nobjectClass: inetOrgPerson\ncn: ADMIN\nsn: Admin\n"
      "userPassword: secret\n\n"
      "dn: ou=WS,o=NET\nobjectClass: organizationalUnit\nou: WS\n\n";
  for (int i = 1; i <= workstations; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "WS%03d", i);
    ldif += std::string("dn: cn=") + name + ",ou=WS,o=NET\nobjectClass: workstation\ncn: " + name +
            "\n\n";
  }
  return ldif;
}

LdapOptions TestLdapOptions() {
  LdapOptions options;
  options.timeoutMs = 3000;
  return options;
}

const DirectoryBackendFactory& LdapDirectoryBackend() {
  static const LiveBackend backend;
  return backend;
}

const DirectoryBackendFactory& MixedDirectoryBackend() {
  static const MixedBackend backend;
  return backend;
}

}  // namespace cvx::test
