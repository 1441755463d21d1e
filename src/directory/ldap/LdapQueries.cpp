#include "directory/ldap/LdapQueries.h"

#include <ldap.h>

#include <algorithm>

#include "core/FullName.h"
#include "core/LdapFilterText.h"
#include "core/TextUtil.h"

namespace cvx {

namespace {

// Alias chains are short; the bound stops a loop of aliases.
constexpr int kMaxAliasHops = 8;

DirError NotThere(const std::string& fullName) {
  return MakeDirError(kDirNoSuchObject, fullName + " does not exist");
}

// The names below the tree in a full name: NDS:\\TREE\A\B gives A, B.
std::vector<std::string> NamesBelowTree(const std::string& fullName) {
  std::string_view rest = fullName;
  if (rest.size() >= kFullNamePrefix.size() &&
      EqualsNoCase(rest.substr(0, kFullNamePrefix.size()), kFullNamePrefix)) {
    rest.remove_prefix(kFullNamePrefix.size());
  }
  std::vector<std::string> names;
  auto slash = rest.find('\\');
  while (slash != std::string_view::npos) {
    rest.remove_prefix(slash + 1);
    slash = rest.find('\\');
    names.emplace_back(rest.substr(0, slash));
  }
  return names;
}

bool InList(const std::vector<std::string>& list, std::string_view name) {
  return std::any_of(list.begin(), list.end(),
                     [&](const std::string& c) { return EqualsNoCase(c, name); });
}

}  // namespace

LdapQueries::LdapQueries(LdapConnection& connection, std::shared_ptr<const LdapTreeInfo> info,
                         LdapDnCache& dnCache, const std::atomic<bool>* cancel)
    : connection_(connection),
      info_(std::move(info)),
      dnCache_(dnCache),
      reader_(info_),
      cancel_(cancel) {}

LdapEntryDataPtr LdapQueries::TreeRoot() const {
  auto root = std::make_shared<LdapEntryData>();
  root->fullPath = info_->RootPath();
  root->relativeName = info_->TreeName();
  root->className = "Top";
  root->isContainer = true;
  root->isTreeRoot = true;
  return root;
}

DirResult<std::vector<LdapEntryData>> LdapQueries::Read(const LdapSearchRequest& request) {
  std::vector<LdapEntryData> entries;
  auto done = connection_.Search(
      request,
      [&](LDAP* ld, LDAPMessage* m) {
        if (auto e = reader_.Read(ld, m)) entries.push_back(std::move(*e));
      },
      cancel_);
  if (!done) return done.dirError();
  return entries;
}

DirResult<LdapEntryDataPtr> LdapQueries::ReadDn(const std::string& dn,
                                                const std::string& fullName) {
  LdapSearchRequest request{dn, LDAP_SCOPE_BASE, "(objectClass=*)",
                            LdapTreeInfo::EntryAttributes()};
  auto read = Read(request);
  if (!read) return read.error() == kDirNoSuchObject ? NotThere(fullName) : read.dirError();
  if (read->empty()) return NotThere(fullName);
  return LdapEntryDataPtr(std::make_shared<LdapEntryData>(std::move(read.value().front())));
}

DirResult<LdapEntryDataPtr> LdapQueries::ReadChild(const std::string& parentDn,
                                                   const std::string& name, bool container,
                                                   const std::string& fullName) {
  // A full name gives the RDN's value but not its type: the object is read by its DN with each
  // type that can name it, most likely first, so no container is ever searched through.
  for (const auto& type : info_->CandidateNaming(container)) {
    auto read = ReadDn(LdapTreeInfo::ChildDn(type, name, parentDn), fullName);
    if (!read && read.error() == kDirNoSuchObject) continue;
    if (!read) return read.dirError();
    // The server compares by its own rules; full names compare only ASCII letters by case.
    if (EqualsNoCase(read.value()->relativeName, name)) return read;
  }
  // "A+B" may be an RDN of two values, which only the server can tell apart.
  if (name.find('+') == std::string::npos) return NotThere(fullName);
  LdapSearchRequest request{parentDn, LDAP_SCOPE_ONELEVEL, info_->ExactNameFilter(name),
                            LdapTreeInfo::EntryAttributes()};
  auto read = Read(request);
  if (!read) return read.error() == kDirNoSuchObject ? NotThere(fullName) : read.dirError();
  for (auto& e : read.value()) {
    if (EqualsNoCase(e.relativeName, name)) {
      return LdapEntryDataPtr(std::make_shared<LdapEntryData>(std::move(e)));
    }
  }
  return NotThere(fullName);
}

DirResult<LdapEntryDataPtr> LdapQueries::Locate(const std::string& fullName, bool& usedCache) {
  const auto names = NamesBelowTree(fullName);
  if (names.empty()) return TreeRoot();
  const auto* top = info_->TopNamed(names.front());
  if (!top) return NotThere(fullName);

  std::string dn = top->dn;
  std::string upperPath = ToUpperAscii(info_->RootPath() + "\\" + names.front());
  for (std::size_t i = 1; i < names.size(); ++i) {
    upperPath += "\\" + ToUpperAscii(names[i]);
    const bool last = i + 1 == names.size();
    if (auto known = dnCache_.Find(upperPath)) {
      usedCache = true;
      dn = std::move(*known);
      continue;
    }
    auto child = ReadChild(dn, names[i], !last, fullName);
    if (!child) return child.dirError();
    if (last) return child;
    dn = child.value()->dn;
    dnCache_.Remember(upperPath, dn);
  }
  return ReadDn(dn, fullName);
}

DirResult<LdapEntryDataPtr> LdapQueries::Find(const std::string& fullName, bool resolveAlias) {
  bool usedCache = false;
  auto found = Locate(fullName, usedCache);
  // A container met earlier may have been moved or deleted since: ask afresh, once.
  if (!found && found.error() == kDirNoSuchObject && usedCache) {
    dnCache_.Clear();
    found = Locate(fullName, usedCache);
  }
  if (!found || !resolveAlias) return found;
  LdapEntryDataPtr entry = found.value();
  for (int hops = 0; entry->isAlias; ++hops) {
    if (hops == kMaxAliasHops || entry->aliasTargetDn.empty()) return NotThere(fullName);
    auto target = ReadDn(entry->aliasTargetDn, fullName);
    if (!target) return target.dirError();
    entry = target.value();
  }
  return entry;
}

DirResult<std::vector<LdapEntryDataPtr>> LdapQueries::Children(const LdapEntryData& parent,
                                                               const LdapClassFilter& filter) {
  const bool everything = !filter || filter->empty();
  auto passes = [&](const LdapEntryData& e) { return everything || InList(*filter, e.className); };
  std::vector<LdapEntryDataPtr> out;
  auto keep = [&](LdapEntryData&& e) {
    if (e.isContainer) dnCache_.Remember(ToUpperAscii(e.fullPath), e.dn);
    if (passes(e)) out.push_back(std::make_shared<LdapEntryData>(std::move(e)));
  };

  if (parent.isTreeRoot) {
    for (const auto& top : info_->Tops()) {
      LdapSearchRequest request{top.dn, LDAP_SCOPE_BASE, "(objectClass=*)",
                                LdapTreeInfo::EntryAttributes()};
      auto read = Read(request);
      if (!read && read.error() == kDirNoSuchObject) continue;  // a naming context left empty
      if (!read) return read.dirError();
      for (auto& e : read.value()) keep(std::move(e));
    }
    return out;
  }

  const std::string classFilter = everything ? "(objectClass=*)" : info_->ClassFilter(*filter);
  if (classFilter.empty()) return out;  // the schema knows none of the classes
  LdapSearchRequest request{parent.dn, LDAP_SCOPE_ONELEVEL, classFilter,
                            LdapTreeInfo::EntryAttributes()};
  auto read = Read(request);
  if (!read) return read.error() == kDirNoSuchObject ? NotThere(parent.fullPath) : read.dirError();
  for (auto& e : read.value()) keep(std::move(e));
  return out;
}

DirResult<bool> LdapQueries::HasChildren(const LdapEntryData& entry) {
  if (entry.isTreeRoot) return !info_->Tops().empty();
  if (entry.hasSubordinates) return *entry.hasSubordinates;
  LdapSearchRequest request{entry.dn, LDAP_SCOPE_ONELEVEL, "(objectClass=*)", {"1.1"}, 1};
  auto count = connection_.Search(
      request, [](LDAP*, LDAPMessage*) {}, cancel_);
  if (!count)
    return count.error() == kDirNoSuchObject ? NotThere(entry.fullPath) : count.dirError();
  return *count > 0;
}

DirResult<std::shared_ptr<LdapSearchHits>> LdapQueries::Search(
    const std::string& pattern, const std::string& classes, int scope, const std::string& context,
    const std::vector<std::string>& fields, const LdapSearchProgress& progress) {
  auto where = Find(context, true);
  if (!where) return where.dirError();
  const LdapEntryData& ctx = *where.value();
  auto hits = std::make_shared<LdapSearchHits>();
  const auto wanted = SplitCommaList(classes);
  const std::string filter = info_->SearchFilter(wanted, pattern);
  if (filter.empty() || pattern.empty()) return hits;
  const bool containerOnly = scope == kScopeContainerOnly;
  // A plain one-level search comes in another order than a paged one (slapd sorts a level's
  // entries by name length), while a subtree comes in the same order either way.
  const LdapPaging paging = containerOnly ? LdapPaging::kAlways : LdapPaging::kRestartable;

  // The fields asked for and the classes, when the schema knows every one of them.
  std::vector<std::string> attributes = LdapTreeInfo::HitAttributes();
  LdapReadTypes readTypes;
  if (!fields.empty()) {
    std::vector<const AttributeTypeInfo*> types;
    std::vector<std::string> names;
    for (const auto& f : fields) {
      const auto* type = info_->Schema().FindAttribute(f);
      if (!type || type->ldapNames.empty()) break;
      types.push_back(type);
      names.push_back(type->ldapNames.front());
    }
    if (types.size() == fields.size()) {
      if (const auto* classes = info_->Schema().FindAttribute("objectClass")) {
        types.push_back(classes);
      }
      names.emplace_back("objectClass");
      attributes = std::move(names);
      readTypes = std::make_shared<const std::vector<const AttributeTypeInfo*>>(std::move(types));
    }
  }

  auto visit = [&](LDAP* ld, LDAPMessage* m) {
    auto e = reader_.Read(ld, m);
    // The server's matching rules fold more than letter case; the names it sends back are held
    // to the same rule as everywhere else in the program.
    if (!e || !InList(wanted, e->className) || !WildcardMatchNoCase(pattern, e->relativeName)) {
      return;
    }
    if (!ctx.isTreeRoot && EqualsNoCase(e->fullPath, ctx.fullPath)) return;  // not the context
    e->readTypes = readTypes;
    const std::size_t found = hits->Add(std::move(*e));
    // The first at once, so that whoever handles them starts; then in batches.
    if (progress && (found == 1 || found % 1024 == 0)) progress(hits, false);
  };

  std::vector<LdapSearchRequest> requests;
  if (ctx.isTreeRoot) {
    for (const auto& top : info_->Tops()) {
      requests.push_back(LdapSearchRequest{top.dn,
                                           containerOnly ? LDAP_SCOPE_BASE : LDAP_SCOPE_SUBTREE,
                                           filter, attributes, 0, paging});
    }
  } else {
    requests.push_back(LdapSearchRequest{ctx.dn,
                                         containerOnly ? LDAP_SCOPE_ONELEVEL : LDAP_SCOPE_SUBTREE,
                                         filter, attributes, 0, paging});
  }
  for (const auto& request : requests) {
    const std::size_t before = hits->Size();
    auto done = connection_.Search(request, visit, cancel_, [&] {
      hits->Truncate(before);
      if (progress) progress(hits, true);
    });
    if (!done && !(ctx.isTreeRoot && done.error() == kDirNoSuchObject)) {
      return done.error() == kDirNoSuchObject ? NotThere(context) : done.dirError();
    }
  }
  return hits;
}

DirResult<std::vector<std::string>> LdapQueries::ServerNames() {
  std::vector<std::string> names;
  const std::string filter = info_->ClassFilter({"NCP Server"});
  if (filter.empty()) return names;
  for (const auto& top : info_->Tops()) {
    LdapSearchRequest request{top.dn, LDAP_SCOPE_SUBTREE, filter, {"objectClass"}};
    auto read = Read(request);
    if (!read && read.error() == kDirNoSuchObject) continue;
    if (!read) return read.dirError();
    for (const auto& e : *read) {
      if (e.className == "NCP Server") names.push_back(e.relativeName);
    }
  }
  return names;
}

}  // namespace cvx
