#include "directory/SchemaCollections.h"

#include "core/TextUtil.h"

namespace cvx {

namespace {
template <class T>
const std::vector<T>& OrEmpty(const std::shared_ptr<const std::vector<T>>& p) {
  static const std::vector<T> kEmpty;
  return p ? *p : kEmpty;
}
}  // namespace

DirResult<SchemaLayout> LayoutCollection::Item(const std::string& name) const {
  for (const auto& l : All()) {
    if (EqualsNoCase(l.Name, name)) return l;
  }
  return MakeDirError(kDirNoSuchObject, "no layout \"" + name + "\" in the schema");
}

const std::vector<SchemaLayout>& LayoutCollection::All() const {
  return OrEmpty(layouts_);
}

DirResult<FieldDef> FieldTypeCollection::Item(const std::string& name) const {
  for (const auto& f : All()) {
    if (EqualsNoCase(f.Name, name)) return f;
  }
  return MakeDirError(kDirNoFieldType, "no field type \"" + name + "\" in the schema");
}

const std::vector<FieldDef>& FieldTypeCollection::All() const {
  return OrEmpty(types_);
}

}  // namespace cvx
