// The folder backend's tree reader: the input is one tree's LDIF file, read against the demo
// directory's schemas, as a tree folder someone hands the program would be.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "ScratchFolder.h"
#include "directory/SchemaFileReader.h"
#include "directory/SchemaModel.h"
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
  return 0;
}
