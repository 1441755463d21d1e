#include <QtGlobal>
#include <filesystem>

#include "DirectoryConformance.h"
#include "support/TempFolder.h"

namespace cvx::test {

namespace {

// The folder read into memory on every open: its cache folder cannot be made, so no index is
// ever found or kept (which is also how an unusable cache must behave).
class EmbeddedBackend : public DirectoryBackendFactory {
 public:
  std::string Name() const override { return "Folder"; }
  DirResult<DirectoryClientPtr> Open(const std::string& fixture,
                                     const std::string& preferredTree) const override {
    qputenv("XDG_CACHE_HOME", "/dev/null/cache");
    return OpenDirectoryClient(FixtureFolder(fixture), preferredTree);
  }
};

// Answered from each tree's index: a first client builds them, the second one handed out finds
// them (the tree index tests see that it does).
class IndexedBackend : public DirectoryBackendFactory {
 public:
  std::string Name() const override { return "IndexedFolder"; }
  DirResult<DirectoryClientPtr> Open(const std::string& fixture,
                                     const std::string& preferredTree) const override {
    static const TempFolder cache;  // one for the test program, removed when it ends
    qputenv("XDG_CACHE_HOME", cache.path().c_str());
    const std::string folder = FixtureFolder(fixture);
    auto first = OpenDirectoryClient(folder, preferredTree);
    if (!first) return first;
    auto control = (*first)->CreateControl();
    for (const auto& f : std::filesystem::directory_iterator(folder)) {
      control->FindEntry(control->JoinTreePath(f.path().stem().string(), ""));
    }
    return OpenDirectoryClient(folder, preferredTree);
  }
};

}  // namespace

const DirectoryBackendFactory& EmbeddedDirectoryBackend() {
  static const EmbeddedBackend backend;
  return backend;
}

const DirectoryBackendFactory& IndexedDirectoryBackend() {
  static const IndexedBackend backend;
  return backend;
}

CVX_DIRECTORY_CONFORMANCE(Embedded, &EmbeddedDirectoryBackend());
CVX_DIRECTORY_CONFORMANCE(Indexed, &IndexedDirectoryBackend());

}  // namespace cvx::test
