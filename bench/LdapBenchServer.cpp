// A slapd for the benchmark scripts: serves the tree <FOLDER>/<TREE>.ldif with the folder's
// schema files, indexed as sites index (objectClass, cn), prints its URI on a line of its own and
// runs until its standard input closes.
// Usage: LdapBenchServer FOLDER TREE [SIZELIMIT]   (SIZELIMIT: entries per plain search; paged
// searches are not limited in total; default: no limit)
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>

#include "SlapdServer.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: LdapBenchServer FOLDER TREE [SIZELIMIT]\n";
    return 2;
  }
  const std::string folder = argv[1];
  cvx::test::SlapdSetup setup;
  setup.treeName = argv[2];
  setup.ldifPath = folder + "/" + setup.treeName + ".ldif";
  for (const auto& e : std::filesystem::directory_iterator(folder)) {
    if (e.path().extension() == ".schema") setup.folderSchemas.push_back(e.path().string());
  }
  std::sort(setup.folderSchemas.begin(), setup.folderSchemas.end());
  setup.sizeLimit = argc > 3 ? std::stoi(argv[3]) : 0;
  setup.indexNames = true;
  std::string why;
  auto server = cvx::test::SlapdServer::Create(setup, &why);
  if (!server) {
    std::cerr << "LdapBenchServer: " << why << "\n";
    return 1;
  }
  std::cout << server->Uri() << std::endl;
  std::string line;
  while (std::getline(std::cin, line)) {
  }
  return 0;
}
