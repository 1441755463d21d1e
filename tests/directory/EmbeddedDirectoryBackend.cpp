#include <QtGlobal>
#include <filesystem>

#include "DirectoryBackend.h"
#include "DirectoryConformance.h"
#include "directory/ldif/TreeIndex.h"

namespace cvx::test {

namespace {

namespace fs = std::filesystem;

// The folder read into memory on every open: its cache folder cannot be made, so no index is
// ever found or kept (which is also how an unusable cache must behave).
class EmbeddedBackend : public DirectoryBackendFactory {
 public:
  std::string Name() const override { return "Folder"; }
  DirResult<DirectoryClientPtr> Open(const std::string& fixtureName,
                                     const std::string& preferredTree) const override {
    qputenv("XDG_CACHE_HOME", "/dev/null/cache");
    return OpenDirectoryClient(FixtureFolder(fixtureName), preferredTree);
  }
};

// The folder answered from the index of each tree: every tree is opened once to build it, and the
// client handed out is a second one, which must find the indexes.
class IndexedBackend : public DirectoryBackendFactory {
 public:
  std::string Name() const override { return "IndexedFolder"; }
  DirResult<DirectoryClientPtr> Open(const std::string& fixtureName,
                                     const std::string& preferredTree) const override {
    // One cache folder for the test program, removed when it ends.
    static const struct Cache {
      Cache() {
        std::string pattern = (fs::temp_directory_path() / "cvx-index-XXXXXX").string();
        if (::mkdtemp(pattern.data())) path = pattern;
      }
      ~Cache() {
        std::error_code ec;
        if (!path.empty()) fs::remove_all(path, ec);
      }
      std::string path;
    } cache;
    qputenv("XDG_CACHE_HOME", cache.path.c_str());
    const std::string folder = FixtureFolder(fixtureName);
    auto first = OpenDirectoryClient(folder, preferredTree);
    if (!first) return first;
    auto control = (*first)->CreateControl();
    std::error_code ec;
    for (const auto& f : fs::directory_iterator(folder, ec)) {
      if (f.path().extension() != ".ldif") continue;
      const std::string tree = f.path().stem().string();
      if (!control->FindEntry(control->JoinTreePath(tree, ""))) continue;  // a broken tree
      const auto index = TreeIndexFile(f.path().string(), tree);
      if (!index || !fs::exists(*index)) {
        return MakeDirError(kDirLost, "no index was written for tree " + tree);
      }
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
