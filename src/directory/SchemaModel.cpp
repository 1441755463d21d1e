#include "directory/SchemaModel.h"

#include <algorithm>
#include <functional>

#include "core/TextUtil.h"
#include "directory/NdsStandardNames.h"

namespace cvx {

namespace {

constexpr std::string_view kTaggedDataSyntax = "2.16.840.1.113719.1.1.5.1.12";

std::string StripLength(const std::string& syntax) {
  // "1.3.6.1.4.1.1466.115.121.1.15{64}" names the syntax before the brace.
  return syntax.substr(0, syntax.find('{'));
}

}  // namespace

SchemaModel::SchemaModel(const std::vector<const SchemaDefinitions*>& files) {
  // Attribute types first: address syntax may be inherited through SUP.
  std::vector<std::pair<AttributeTypeInfo*, const AttributeTypeDefinition*>> pendingAttributes;
  for (const auto* file : files) {
    for (const auto& d : file->attributeTypes) {
      auto info = std::make_unique<AttributeTypeInfo>();
      info->ldapNames = d.names;
      info->ndsName = !d.ndsName.empty() ? d.ndsName : NdsStandardAttributeName(d.names.front());
      if (info->ndsName.empty()) info->ndsName = d.names.front();
      info->isNetworkAddress = StripLength(d.syntaxOid) == kTaggedDataSyntax || d.ndsSyntax == "12";
      for (const auto& n : d.names) attributeIndex_[ToUpperAscii(n)] = info.get();
      if (!d.oid.empty()) attributeIndex_[ToUpperAscii(d.oid)] = info.get();
      attributeIndex_.try_emplace(ToUpperAscii(info->ndsName), info.get());
      pendingAttributes.emplace_back(info.get(), &d);
      attributes_.push_back(std::move(info));
    }
  }
  for (auto [info, def] : pendingAttributes) {
    // Follow SUP chains for the syntax, bounded against cycles.
    const AttributeTypeDefinition* d = def;
    for (int depth = 0; !info->isNetworkAddress && d && !d->supName.empty() && depth < 16;
         ++depth) {
      const auto* sup = FindAttribute(d->supName);
      if (!sup) break;
      if (sup->isNetworkAddress) info->isNetworkAddress = true;
      const auto it = std::find_if(pendingAttributes.begin(), pendingAttributes.end(),
                                   [sup](const auto& p) { return p.first == sup; });
      d = it == pendingAttributes.end() ? nullptr : it->second;
    }
  }

  std::vector<std::pair<ObjectClassInfo*, const ObjectClassDefinition*>> pendingClasses;
  for (const auto* file : files) {
    for (const auto& d : file->objectClasses) {
      auto info = std::make_unique<ObjectClassInfo>();
      info->ldapNames = d.names;
      info->ndsName = !d.ndsName.empty() ? d.ndsName : NdsStandardClassName(d.names.front());
      if (info->ndsName.empty()) info->ndsName = d.names.front();
      info->kind = d.kind;
      info->isContainer = d.containerMark || IsStandardContainerClass(d.names.front());
      info->isAlias = info->ndsName == "Alias";
      info->naming = !d.naming.empty() ? d.naming : StandardNamingAttributes(d.names.front());
      for (const auto& n : d.names) classIndex_[ToUpperAscii(n)] = info.get();
      if (!d.oid.empty()) classIndex_[ToUpperAscii(d.oid)] = info.get();
      classIndex_.try_emplace(ToUpperAscii(info->ndsName), info.get());
      pendingClasses.emplace_back(info.get(), &d);
      classes_.push_back(std::move(info));
    }
  }
  for (auto [info, def] : pendingClasses) {
    for (const auto& s : def->supNames) {
      if (const auto* sup = FindClass(s); sup && sup != info) info->superclasses.push_back(sup);
    }
  }

  // Fields: superclasses' fields first, then own MUST and MAY, each NDS name once.
  std::function<void(const ObjectClassInfo*, const ObjectClassDefinition*,
                     std::vector<std::string>&, int)>
      collect = [&](const ObjectClassInfo* c, const ObjectClassDefinition* d,
                    std::vector<std::string>& out, int depth) {
        if (depth > 32) return;
        for (const auto* sup : c->superclasses) {
          const auto it = std::find_if(pendingClasses.begin(), pendingClasses.end(),
                                       [sup](const auto& p) { return p.first == sup; });
          if (it != pendingClasses.end()) collect(sup, it->second, out, depth + 1);
        }
        auto add = [&](const std::string& ldapName) {
          const auto* a = FindAttribute(ldapName);
          std::string name = a ? a->ndsName : ldapName;
          if (std::find(out.begin(), out.end(), name) == out.end()) out.push_back(std::move(name));
        };
        for (const auto& m : d->must) add(m);
        for (const auto& m : d->may) add(m);
      };
  auto layouts = std::make_shared<std::vector<SchemaLayout>>();
  for (auto [info, def] : pendingClasses) {
    collect(info, def, info->fields, 0);
    SchemaLayout layout{info->ndsName, {}};
    for (const auto& f : info->fields) layout.Fields.push_back(FieldDef{f});
    layouts->push_back(std::move(layout));
  }
  layouts_ = LayoutCollection(std::move(layouts));

  auto types = std::make_shared<std::vector<FieldDef>>();
  for (const auto& a : attributes_) types->push_back(FieldDef{a->ndsName});
  fieldTypes_ = FieldTypeCollection(std::move(types));
}

const AttributeTypeInfo* SchemaModel::FindAttribute(std::string_view name) const {
  const auto it = attributeIndex_.find(ToUpperAscii(name));
  return it == attributeIndex_.end() ? nullptr : it->second;
}

const ObjectClassInfo* SchemaModel::FindClass(std::string_view name) const {
  const auto it = classIndex_.find(ToUpperAscii(name));
  return it == classIndex_.end() ? nullptr : it->second;
}

bool SchemaModel::IsSubclassOf(const ObjectClassInfo* c, const ObjectClassInfo* ancestor) {
  std::vector<const ObjectClassInfo*> stack{c};
  for (int steps = 0; !stack.empty() && steps < 256; ++steps) {
    const auto* x = stack.back();
    stack.pop_back();
    for (const auto* s : x->superclasses) {
      if (s == ancestor) return true;
      stack.push_back(s);
    }
  }
  return false;
}

const ObjectClassInfo* SchemaModel::MostSpecificClass(
    const std::vector<const ObjectClassInfo*>& classes) const {
  auto pick = [&](bool structuralOnly) -> const ObjectClassInfo* {
    const ObjectClassInfo* best = nullptr;
    for (const auto* c : classes) {
      if (structuralOnly && c->kind != ClassKind::kStructural) continue;
      if (!best || IsSubclassOf(c, best)) best = c;
    }
    return best;
  };
  const auto* structural = pick(true);
  return structural ? structural : pick(false);
}

}  // namespace cvx
