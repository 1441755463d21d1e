// The folder backend's tree reader: the input is one tree's LDIF file, read against the demo
// directory's schemas, as a tree folder someone hands the program would be. The tree's index is
// then written and read back, and must answer exactly as the tree in memory does.
#include <fcntl.h>
#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "ScratchFolder.h"
#include "directory/SchemaFileReader.h"
#include "directory/SchemaModel.h"
#include "directory/ldif/MemoryTreeSource.h"
#include "directory/ldif/TreeIndex.h"
#include "directory/ldif/TreeLoader.h"

namespace {

std::shared_ptr<const cvx::SchemaModel> DemoSchema() {
  std::vector<cvx::SchemaDefinitions> files;
  for (const char* name : {"core.schema", "workstation.schema", "CORP.schema"}) {
    auto read = cvx::ReadSchemaFile(std::string(CVX_DEMO_DIR) + "/" + name);
    CVX_FUZZ_CHECK(read.ok());
    files.push_back(*std::move(read));
  }
  std::vector<const cvx::SchemaDefinitions*> pointers;
  for (const auto& f : files) pointers.push_back(&f);
  return std::make_shared<const cvx::SchemaModel>(pointers);
}

template <typename T>
T Answer(cvx::DirResult<T> result) {
  CVX_FUZZ_CHECK(result.ok());
  return *std::move(result);
}

bool Same(const std::optional<cvx::SourceNode>& a, const std::optional<cvx::SourceNode>& b) {
  if (!a || !b) return !a && !b;
  return a->id == b->id && a->relativeName == b->relativeName && a->fullPath == b->fullPath &&
         a->className == b->className && a->aliasTarget == b->aliasTarget &&
         a->isContainer == b->isContainer && a->isAlias == b->isAlias;
}

// Every question the folder backend asks, put to the tree in memory and to its index.
void CompareWithIndex(const std::shared_ptr<const cvx::TreeModel>& model,
                      const cvx::ScratchFolder& folder, const std::string& ldif) {
  // Files written within the last two seconds get no index: this one is made older.
  struct timespec old[2] = {{1000000000, 0}, {1000000000, 0}};
  CVX_FUZZ_CHECK(::utimensat(AT_FDCWD, ldif.c_str(), old, 0) == 0);
  const auto identity = cvx::TreeFilesIdentity(ldif, {});
  CVX_FUZZ_CHECK(identity.has_value());
  const std::string file = folder.path() + "/cache/FUZZ.index";
  CVX_FUZZ_CHECK(!cvx::WriteTreeIndex(file, *identity, *model));
  const auto index = cvx::OpenTreeIndex(file, *identity, ldif, model->SchemaPtr(), [] {
    CVX_FUZZ_CHECK(!"the tree file changed");
    return cvx::DirResult<std::shared_ptr<const cvx::TreeSource>>(nullptr);
  });
  CVX_FUZZ_CHECK(index != nullptr);
  const cvx::MemoryTreeSource memory(model);
  std::vector<std::string> classes;
  for (std::size_t i = 0; i < model->Size(); ++i) {
    const auto id = static_cast<cvx::NodeIndex>(i);
    const cvx::TreeNode& node = model->Node(id);
    classes.emplace_back(node.className);
    for (bool resolve : {false, true}) {
      CVX_FUZZ_CHECK(Same(Answer(memory.Find(node.fullPath, resolve)),
                          Answer(index->Find(node.fullPath, resolve))));
    }
    const auto a = Answer(memory.Children(id)), b = Answer(index->Children(id));
    CVX_FUZZ_CHECK(a.size() == b.size());
    for (std::size_t c = 0; c < a.size(); ++c) CVX_FUZZ_CHECK(Same(a[c], b[c]));
    for (const auto& v : model->Values(id)) {
      const std::string type = v.type ? v.type->ldapNames.front() : std::string(v.unknownTypeUpper);
      CVX_FUZZ_CHECK(Answer(memory.Values(id, type)) == Answer(index->Values(id, type)));
    }
  }
  for (const char* pattern : {"*", "A*", "*1"}) {
    for (bool subtree : {false, true}) {
      CVX_FUZZ_CHECK(Answer(memory.Search(0, pattern, classes, subtree)) ==
                     Answer(index->Search(0, pattern, classes, subtree)));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const cvx::ScratchFolder folder;
  static const auto schema = DemoSchema();
  folder.Write("FUZZ.ldif", std::string(reinterpret_cast<const char*>(data), size));

  const auto tree = cvx::LoadTree(folder.path() + "/FUZZ.ldif", "FUZZ", schema);
  if (!tree) {
    CVX_FUZZ_CHECK(tree.error() == cvx::kDirLost && !tree.message().empty());
    return 0;
  }
  // Every node is found again by its full name, hangs below its parent, and an alias resolves to
  // a node or to nothing, never out of range.
  const cvx::TreeModel& model = **tree;
  for (std::size_t i = 1; i < model.Size(); ++i) {
    const cvx::TreeNode& node = model.Node(static_cast<cvx::NodeIndex>(i));
    CVX_FUZZ_CHECK(model.Find(node.fullPath) == static_cast<cvx::NodeIndex>(i));
    CVX_FUZZ_CHECK(node.parent >= 0 && static_cast<std::size_t>(node.parent) < i);
    const cvx::NodeIndex resolved = model.Resolve(node.fullPath);
    CVX_FUZZ_CHECK(resolved == cvx::kNoNode ||
                   (resolved >= 0 && static_cast<std::size_t>(resolved) < model.Size()));
  }
  CompareWithIndex(*tree, folder, folder.path() + "/FUZZ.ldif");
  return 0;
}
