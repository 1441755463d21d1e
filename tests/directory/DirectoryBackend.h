#pragma once

#include <ostream>
#include <string>

#include "directory/DirectoryClient.h"

namespace cvx::test {

// Opens the test directories for one directory backend. A fixture is named after a folder under
// tests/data/dirs/; each backend decides how it serves that folder's trees (read in place, or
// loaded into a server), so the same tests run against every backend.
class DirectoryBackendFactory {
 public:
  virtual ~DirectoryBackendFactory() = default;

  // Short name for test names: letters and digits only.
  virtual std::string Name() const = 0;
  virtual DirResult<DirectoryClientPtr> Open(const std::string& fixtureName,
                                             const std::string& preferredTree) const = 0;
};

// Test output names the backend rather than printing a pointer.
inline void PrintTo(const DirectoryBackendFactory* backend, std::ostream* os) {
  *os << (backend ? backend->Name() : "no backend");
}

// The folder backend: fixture folders read in place into memory.
const DirectoryBackendFactory& EmbeddedDirectoryBackend();
// The folder backend answering from the index it keeps of each tree.
const DirectoryBackendFactory& IndexedDirectoryBackend();

// Where a fixture folder lives.
std::string FixtureFolder(const std::string& fixtureName);

}  // namespace cvx::test
