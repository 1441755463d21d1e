#include "DirectoryBackend.h"
#include "DirectoryConformance.h"

namespace cvx::test {

namespace {

class EmbeddedBackend : public DirectoryBackendFactory {
 public:
  std::string Name() const override { return "Folder"; }
  DirResult<DirectoryClientPtr> Open(const std::string& fixtureName,
                                     const std::string& preferredTree) const override {
    return OpenDirectoryClient(FixtureFolder(fixtureName), preferredTree);
  }
};

}  // namespace

const DirectoryBackendFactory& EmbeddedDirectoryBackend() {
  static const EmbeddedBackend backend;
  return backend;
}

CVX_DIRECTORY_CONFORMANCE(Embedded, &EmbeddedDirectoryBackend());

}  // namespace cvx::test
