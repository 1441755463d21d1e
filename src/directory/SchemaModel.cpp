#include "directory/SchemaModel.h"

#include <algorithm>
#include <unordered_set>

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
  const std::unordered_map<const AttributeTypeInfo*, const AttributeTypeDefinition*> definitionOf(
      pendingAttributes.begin(), pendingAttributes.end());
  for (auto [info, def] : pendingAttributes) {
    // Follow SUP chains for the syntax, bounded against cycles.
    const AttributeTypeDefinition* d = def;
    for (int depth = 0; !info->isNetworkAddress && d && !d->supName.empty() && depth < 16;
         ++depth) {
      const auto* sup = FindAttribute(d->supName);
      if (!sup) break;
      if (sup->isNetworkAddress) info->isNetworkAddress = true;
      const auto it = definitionOf.find(sup);
      d = it == definitionOf.end() ? nullptr : it->second;
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
      if (const auto* sup = FindClass(s)) info->superclasses.push_back(sup);
    }
  }
  ResolveClasses(pendingClasses);

  auto layouts = std::make_shared<std::vector<SchemaLayout>>();
  for (auto [info, def] : pendingClasses) {
    SchemaLayout layout{info->ndsName, {}};
    for (const auto& f : info->fields) layout.Fields.push_back(FieldDef{f});
    layouts->push_back(std::move(layout));
  }
  layouts_ = LayoutCollection(std::move(layouts));

  auto types = std::make_shared<std::vector<FieldDef>>();
  for (const auto& a : attributes_) types->push_back(FieldDef{a->ndsName});
  fieldTypes_ = FieldTypeCollection(std::move(types));
}

void SchemaModel::ResolveClasses(
    const std::vector<std::pair<ObjectClassInfo*, const ObjectClassDefinition*>>& classes) {
  // Each class is finished once, after its superclasses (depth first, without recursion, so a
  // deep chain cannot exhaust the stack): deep diamonds cost what their edges cost, and an edge
  // back to a class still open is a cycle, which is reported and cut so the model stays usable.
  std::unordered_map<const ObjectClassInfo*, std::size_t> position;
  for (std::size_t i = 0; i < classes.size(); ++i) position.emplace(classes[i].first, i);
  enum class Mark { kNew, kOpen, kDone };
  std::vector<Mark> mark(classes.size(), Mark::kNew);
  struct Frame {
    std::size_t cls;
    std::size_t nextSup;
  };
  for (std::size_t root = 0; root < classes.size(); ++root) {
    if (mark[root] != Mark::kNew) continue;
    std::vector<Frame> stack{{root, 0}};
    mark[root] = Mark::kOpen;
    while (!stack.empty()) {
      Frame& top = stack.back();
      ObjectClassInfo* info = classes[top.cls].first;
      if (top.nextSup < info->superclasses.size()) {
        const std::size_t at = top.nextSup;
        const std::size_t sup = position.at(info->superclasses[at]);
        if (mark[sup] == Mark::kOpen) {
          if (cycleError_.empty()) {
            auto quoted = [&](std::size_t i) {
              return "'" + classes[i].first->ldapNames.front() + "'";
            };
            std::string names = quoted(sup);
            bool inCycle = false;
            for (const auto& f : stack) {
              inCycle = inCycle || f.cls == sup;
              if (inCycle && f.cls != sup) names += " -> " + quoted(f.cls);
            }
            cycleError_ =
                "object classes are their own superclasses: " + names + " -> " + quoted(sup);
          }
          info->superclasses.erase(info->superclasses.begin() + static_cast<std::ptrdiff_t>(at));
          continue;
        }
        ++top.nextSup;
        if (mark[sup] == Mark::kNew) {
          mark[sup] = Mark::kOpen;
          stack.push_back({sup, 0});
        }
        continue;
      }
      // Every superclass is finished: inherit their fields and ancestors, then add its own.
      const ObjectClassDefinition* def = classes[top.cls].second;
      std::unordered_set<std::string> seen;
      auto add = [&](const std::string& name) {
        if (seen.insert(name).second) info->fields.push_back(name);
      };
      std::vector<const ObjectClassInfo*> ancestors;
      for (const auto* sup : info->superclasses) {
        for (const auto& f : sup->fields) add(f);
        ancestors.push_back(sup);
        ancestors.insert(ancestors.end(), sup->ancestors.begin(), sup->ancestors.end());
      }
      for (const auto* list : {&def->must, &def->may}) {
        for (const auto& m : *list) {
          const auto* a = FindAttribute(m);
          add(a ? a->ndsName : m);
        }
      }
      std::sort(ancestors.begin(), ancestors.end());
      ancestors.erase(std::unique(ancestors.begin(), ancestors.end()), ancestors.end());
      info->ancestors = std::move(ancestors);
      mark[top.cls] = Mark::kDone;
      stack.pop_back();
    }
  }
}

const AttributeTypeInfo* SchemaModel::FindAttribute(std::string_view name) const {
  const auto it = attributeIndex_.find(name);
  return it == attributeIndex_.end() ? nullptr : it->second;
}

const ObjectClassInfo* SchemaModel::FindClass(std::string_view name) const {
  const auto it = classIndex_.find(name);
  return it == classIndex_.end() ? nullptr : it->second;
}

bool SchemaModel::IsSubclassOf(const ObjectClassInfo* c, const ObjectClassInfo* ancestor) {
  return std::binary_search(c->ancestors.begin(), c->ancestors.end(), ancestor);
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
