// Serves the trees of a directory folder live: one slapd per tree on a free loopback port, each
// loaded with the tree's file and the folder's schema files, and a folder of <TREE>.uri files
// naming them, which is what CVX_DIRECTORY is set to. Runs until SIGINT or SIGTERM, then stops
// the servers and removes what it made. scripts/demo-ldap runs it on the demo trees.
//
//   cvx-demo-slapd FOLDER
#include <signal.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "SlapdServer.h"
#include "WorkFolder.h"

namespace fs = std::filesystem;

namespace {

std::string Upper(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), ::toupper);
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: " << argv[0] << " FOLDER\n";
    return 2;
  }
  const fs::path folder = argv[1];
  std::vector<fs::path> trees, schemas;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(folder, ec)) {
    const auto ext = Upper(e.path().extension().string());
    if (ext == ".LDIF") trees.push_back(e.path());
    if (ext == ".SCHEMA") schemas.push_back(e.path());
  }
  if (ec || trees.empty()) {
    std::cerr << folder << " holds no tree (*.ldif)\n";
    return 1;
  }
  std::sort(trees.begin(), trees.end());
  std::sort(schemas.begin(), schemas.end());
  auto isTree = [&](const fs::path& schema) {
    return std::any_of(trees.begin(), trees.end(), [&](const fs::path& t) {
      return Upper(t.stem().string()) == Upper(schema.stem().string());
    });
  };

  // Signals are taken with sigwait below, on this thread only.
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, SIGINT);
  sigaddset(&stop, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stop, nullptr);

  cvx::test::WorkFolder uris("cvx-live");
  std::vector<std::unique_ptr<cvx::test::SlapdServer>> servers;
  for (const auto& tree : trees) {
    cvx::test::SlapdSetup setup;
    setup.treeName = tree.stem().string();
    setup.ldifPath = tree.string();
    for (const auto& s : schemas) {
      if (!isTree(s)) setup.folderSchemas.push_back(s.string());
    }
    for (const auto& s : schemas) {
      if (Upper(s.stem().string()) == Upper(setup.treeName))
        setup.folderSchemas.push_back(s.string());
    }
    std::string why;
    auto server = cvx::test::SlapdServer::Create(setup, &why);
    if (!server) {
      std::cerr << "cannot serve " << setup.treeName << ": " << why << "\n";
      return 1;
    }
    cvx::test::WriteTextFile(uris / (setup.treeName + ".uri"), server->Uri() + "\n");
    std::cout << setup.treeName << "  " << server->Uri() << "\n";
    servers.push_back(std::move(server));
  }
  std::cout << "\nCVX_DIRECTORY=" << uris.Path() << "\n" << std::flush;

  int signal = 0;
  sigwait(&stop, &signal);
  std::cout << "stopping\n";
  return 0;
}
