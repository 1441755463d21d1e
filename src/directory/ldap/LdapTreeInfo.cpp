#include "directory/ldap/LdapTreeInfo.h"

#include <ldap.h>

#include <algorithm>

#include "core/FullName.h"
#include "core/LdapFilterText.h"
#include "core/TextUtil.h"

namespace cvx {

namespace {

// Attribute types that name objects in eDirectory and in the usual LDAP trees. An object named
// by another type is found only when a top entry uses that type too.
constexpr const char* kNamingAttributes[] = {"cn", "ou", "o", "c", "l", "dc", "uid", "st"};

std::string_view View(const berval& b) {
  return {b.bv_val ? b.bv_val : "", b.bv_len};
}

bool SameRdn(LDAPRDN a, const LdapRdn& b) {
  std::size_t n = 0;
  while (a[n]) ++n;
  if (n != b.types.size()) return false;
  for (std::size_t i = 0; i < n; ++i) {
    if (!EqualsNoCase(View(a[i]->la_attr), b.types[i]) ||
        !EqualsNoCase(View(a[i]->la_value), b.values[i])) {
      return false;
    }
  }
  return true;
}

void AppendValue(std::string& out, LDAPRDN rdn) {
  for (int j = 0; rdn[j]; ++j) {
    if (j) out += '+';
    out += View(rdn[j]->la_value);
  }
}

}  // namespace

std::string LdapRdn::Value() const {
  std::string out;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i) out += '+';
    out += values[i];
  }
  return out;
}

std::optional<std::vector<LdapRdn>> ParseDn(const std::string& dn) {
  LDAPDN parsed = nullptr;
  if (ldap_str2dn(dn.c_str(), &parsed, LDAP_DN_FORMAT_LDAPV3) != LDAP_SUCCESS) return std::nullopt;
  std::vector<LdapRdn> rdns;
  for (int i = 0; parsed && parsed[i]; ++i) {
    LdapRdn rdn;
    for (int j = 0; parsed[i][j]; ++j) {
      const auto* ava = parsed[i][j];
      rdn.types.emplace_back(ava->la_attr.bv_val, ava->la_attr.bv_len);
      rdn.values.emplace_back(ava->la_value.bv_val ? ava->la_value.bv_val : "",
                              ava->la_value.bv_len);
    }
    rdns.push_back(std::move(rdn));
  }
  ldap_dnfree(parsed);
  return rdns;
}

LdapTreeInfo::LdapTreeInfo(std::string treeName, std::shared_ptr<const SchemaModel> schema,
                           std::vector<LdapTopEntry> tops)
    : treeName_(std::move(treeName)), schema_(std::move(schema)), tops_(std::move(tops)) {
  std::vector<const AttributeTypeInfo*> seen;
  auto add = [&](const std::string& name) {
    const auto* type = schema_->FindAttribute(name);
    if (!type || std::find(seen.begin(), seen.end(), type) != seen.end()) return;
    seen.push_back(type);
    namingAttributes_.push_back(name);
  };
  for (const char* name : kNamingAttributes) add(name);
  for (const auto& top : tops_) {
    for (const auto& t : top.rdns.front().types) add(t);
  }
  if (namingAttributes_.empty()) namingAttributes_.push_back("cn");
  containerNaming_ = namingAttributes_;
  std::stable_partition(containerNaming_.begin(), containerNaming_.end(),
                        [](const std::string& a) { return !EqualsNoCase(a, "cn"); });
}

std::string LdapTreeInfo::RootPath() const {
  return JoinFullName(treeName_, "");
}

const LdapTopEntry* LdapTreeInfo::TopNamed(const std::string& name) const {
  for (const auto& top : tops_) {
    if (EqualsNoCase(top.name, name)) return &top;
  }
  return nullptr;
}

std::optional<std::string> LdapTreeInfo::FullPathOf(LDAPDN dn, std::string* relativeName) const {
  std::size_t n = 0;
  while (dn && dn[n]) ++n;
  for (const auto& top : tops_) {
    const std::size_t k = top.rdns.size();
    if (n < k) continue;
    bool under = true;
    for (std::size_t i = 0; i < k && under; ++i) under = SameRdn(dn[n - k + i], top.rdns[i]);
    if (!under) continue;
    std::string path = RootPath() + "\\" + top.name;
    for (std::size_t i = n - k; i-- > 0;) {
      path += '\\';
      AppendValue(path, dn[i]);
    }
    if (relativeName) {
      relativeName->clear();
      if (n > k) {
        AppendValue(*relativeName, dn[0]);
      } else {
        *relativeName = top.name;
      }
    }
    return path;
  }
  return std::nullopt;
}

std::optional<std::string> LdapTreeInfo::ChildPathOf(const std::string& parentPath,
                                                     std::size_t parentRdns,
                                                     std::string_view rdnValue,
                                                     std::string* relativeName) const {
  for (const auto& top : tops_) {
    if (top.rdns.size() == parentRdns + 1) return std::nullopt;
  }
  std::string path;
  path.reserve(parentPath.size() + 1 + rdnValue.size());
  path.append(parentPath).append(1, '\\').append(rdnValue);
  if (relativeName) relativeName->assign(rdnValue);
  return path;
}

std::string LdapTreeInfo::ClassFilter(const std::vector<std::string>& ndsClasses) const {
  std::vector<const ObjectClassInfo*> known;
  for (const auto& name : ndsClasses) {
    const auto* c = schema_->FindClass(name);
    if (c && std::find(known.begin(), known.end(), c) == known.end()) known.push_back(c);
  }
  if (known.empty()) return {};
  std::string filter;
  for (const auto* c : known) {
    filter += "(objectClass=" + EscapeLdapFilterValue(c->ldapNames.front()) + ")";
  }
  return known.size() == 1 ? filter : "(|" + filter + ")";
}

std::string LdapTreeInfo::AnyNameFilter(const std::string& value) const {
  std::string filter;
  for (const auto& a : namingAttributes_) filter += "(" + a + "=" + value + ")";
  return namingAttributes_.size() == 1 ? filter : "(|" + filter + ")";
}

std::vector<std::string> LdapTreeInfo::Naming(const ObjectClassInfo& c) const {
  // Breadth first up the superclasses, each class once: the nearest naming wins.
  std::vector<const ObjectClassInfo*> queue{&c};
  for (std::size_t i = 0; i < queue.size(); ++i) {
    const auto* k = queue[i];
    if (!k->naming.empty()) {
      std::vector<std::string> known;
      for (const auto& a : k->naming) {
        // A type the server does not know cannot be asked for; nor can the class be found by it.
        if (!schema_->FindAttribute(a)) return {};
        known.push_back(a);
      }
      return known;
    }
    for (const auto* sup : k->superclasses) {
      if (std::find(queue.begin(), queue.end(), sup) == queue.end()) queue.push_back(sup);
    }
  }
  return {};
}

std::string LdapTreeInfo::SearchFilter(const std::vector<std::string>& ndsClasses,
                                       const std::string& pattern) const {
  // Classes with the same naming share one term, so that the usual case (User, Alias and
  // Workstation, all named by cn) is one equality/substring test the server's index answers.
  struct Group {
    std::vector<std::string> naming;  // empty: not known
    std::vector<const ObjectClassInfo*> classes;
  };
  std::vector<Group> groups;
  std::vector<const ObjectClassInfo*> known;
  for (const auto& name : ndsClasses) {
    const auto* c = schema_->FindClass(name);
    if (!c || std::find(known.begin(), known.end(), c) != known.end()) continue;
    known.push_back(c);
    auto naming = Naming(*c);
    auto it = std::find_if(groups.begin(), groups.end(), [&](const Group& g) {
      return std::equal(
          g.naming.begin(), g.naming.end(), naming.begin(), naming.end(),
          [](const std::string& a, const std::string& b) { return EqualsNoCase(a, b); });
    });
    if (it == groups.end()) it = groups.insert(groups.end(), Group{std::move(naming), {}});
    it->classes.push_back(c);
  }
  if (groups.empty()) return {};
  const bool all = IsMatchAllPattern(pattern);
  const std::string value = LdapWildcardFilterValue(pattern);
  std::string filter;
  for (const auto& g : groups) {
    std::string classes;
    for (const auto* c : g.classes) {
      classes += "(objectClass=" + EscapeLdapFilterValue(c->ldapNames.front()) + ")";
    }
    if (g.classes.size() > 1) classes = "(|" + classes + ")";
    std::string names;
    if (g.naming.empty()) {
      names = AnyNameFilter(value);
    } else {
      for (const auto& a : g.naming) names += "(" + a + "=" + value + ")";
      if (g.naming.size() > 1) names = "(|" + names + ")";
    }
    filter += all ? classes : "(&" + classes + names + ")";
  }
  return groups.size() == 1 ? filter : "(|" + filter + ")";
}

std::string LdapTreeInfo::ChildDn(const std::string& type, const std::string& value,
                                  const std::string& parentDn) {
  // RFC 4514: the characters that mean something in a DN, and leading and trailing spaces
  // and a leading '#', as hex pairs.
  std::string rdn = type + "=";
  for (std::size_t i = 0; i < value.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(value[i]);
    const bool special =
        std::string_view("\"+,;<>\\=").find(static_cast<char>(c)) != std::string_view::npos ||
        c == 0 || (c == ' ' && (i == 0 || i + 1 == value.size())) || (c == '#' && i == 0);
    if (special) {
      static constexpr char kHex[] = "0123456789ABCDEF";
      rdn += '\\';
      rdn += kHex[c >> 4];
      rdn += kHex[c & 15];
    } else {
      rdn += static_cast<char>(c);
    }
  }
  return parentDn.empty() ? rdn : rdn + "," + parentDn;
}

const std::vector<std::string>& LdapTreeInfo::HitAttributes() {
  static const std::vector<std::string> kAttributes{"*"};
  return kAttributes;
}

const std::vector<std::string>& LdapTreeInfo::EntryAttributes() {
  static const std::vector<std::string> kAttributes{"*", "hasSubordinates"};
  return kAttributes;
}

}  // namespace cvx
