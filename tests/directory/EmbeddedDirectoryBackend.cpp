#include <QtGlobal>
#include <filesystem>

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
  DirResult<DirectoryClientPtr> Open(const std::string& fixture,
                                     const std::string& preferredTree) const override {
    qputenv("XDG_CACHE_HOME", "/dev/null/cache");
    return OpenDirectoryClient(FixtureFolder(fixture), preferredTree);
  }
};

// The folder answered from the index of each tree: every tree is opened once to build it, and the
// client handed out is a second one, which must find the indexes.
class IndexedBackend : public DirectoryBackendFactory {
 public:
  std::string Name() const override { return "IndexedFolder"; }
  DirResult<DirectoryClientPtr> Open(const std::string& fixture,
                                     const std::string& preferredTree) const override {
    static const struct Cache {  // one for the test program, removed when it ends
      Cache() {
        std::string pattern = (fs::temp_directory_path() / "cvx-index-XXXXXX").string();
        if (::mkdtemp(pattern.data())) path = pattern;
      }
      ~Cache() {
        std::error_code ec;
        fs::remove_all(path, ec);
      }
      std::string path;
    } cache;
    qputenv("XDG_CACHE_HOME", cache.path.c_str());
    const std::string folder = FixtureFolder(fixture);
    auto first = OpenDirectoryClient(folder, preferredTree);
    if (!first) return first;
    auto control = (*first)->CreateControl();
    for (const auto& f : fs::directory_iterator(folder)) {
      const std::string tree = f.path().stem().string();
      if (f.path().extension() != ".ldif" || !control->FindEntry(control->JoinTreePath(tree, "")))
        continue;  // not a tree, or a broken one
      if (!fs::exists(TreeIndexFile(f.path().string(), tree).value_or(""))) {
        return MakeDirError(kDirLost, "no index was written for tree " + tree);
      }
    }
    return OpenDirectoryClient(folder, preferredTree);
  }
};

const IndexedBackend kIndexed;

}  // namespace

const DirectoryBackendFactory& EmbeddedDirectoryBackend() {
  static const EmbeddedBackend backend;
  return backend;
}

CVX_DIRECTORY_CONFORMANCE(Embedded, &EmbeddedDirectoryBackend());
CVX_DIRECTORY_CONFORMANCE(Indexed, &kIndexed);

}  // namespace cvx::test
