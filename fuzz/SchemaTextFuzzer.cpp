// The schema reader: the input is one schema file. What it defines is also resolved into a
// schema model after the demo's standard definitions, as a tree's own schema file would be.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "directory/SchemaFileReader.h"
#include "directory/SchemaModel.h"

namespace {

cvx::SchemaDefinitions StandardDefinitions() {
  auto read = cvx::ReadSchemaFile(std::string(CVX_DEMO_DIR) + "/core.schema");
  CVX_FUZZ_CHECK(read.ok());
  return *std::move(read);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const cvx::SchemaDefinitions standard = StandardDefinitions();
  const std::string text(reinterpret_cast<const char*>(data), size);
  const auto parsed = cvx::ParseSchemaText(text, "fuzz.schema");
  if (!parsed) {
    CVX_FUZZ_CHECK(parsed.message().rfind("fuzz.schema:", 0) == 0);
    return 0;
  }
  const cvx::SchemaModel model({&standard, &*parsed});
  // Each definition is found by its first name, and a class's layout lists each field once.
  for (const auto& a : parsed->attributeTypes) {
    CVX_FUZZ_CHECK(a.names.empty() || model.FindAttribute(a.names.front()) != nullptr);
  }
  for (const auto& c : parsed->objectClasses) {
    if (c.names.empty()) continue;
    const cvx::ObjectClassInfo* info = model.FindClass(c.names.front());
    CVX_FUZZ_CHECK(info != nullptr);
    for (std::size_t i = 0; i < info->fields.size(); ++i) {
      for (std::size_t j = i + 1; j < info->fields.size(); ++j) {
        CVX_FUZZ_CHECK(info->fields[i] != info->fields[j]);
      }
    }
  }
  return 0;
}
