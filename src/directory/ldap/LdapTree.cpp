#include "directory/ldap/LdapTree.h"

#include <ldap.h>

#include <QDebug>
#include <algorithm>

#include "core/TextUtil.h"
#include "directory/SchemaFileReader.h"

namespace cvx {

namespace {

// Idle connections kept per tree: one per control that searches, one for look-ups.
constexpr std::size_t kMaxIdle = 4;

// The values of each attribute of one entry, by upper-case type.
using RawEntry = std::vector<std::pair<std::string, std::vector<std::string>>>;

RawEntry RawValues(LDAP* ld, LDAPMessage* m) {
  RawEntry out;
  BerElement* ber = nullptr;
  berval dn{};
  if (ldap_get_dn_ber(ld, m, &ber, &dn) != LDAP_SUCCESS) {
    if (ber) ber_free(ber, 0);
    return out;
  }
  berval name{};
  berval* values = nullptr;
  while (ldap_get_attribute_ber(ld, m, ber, &name, &values) == LDAP_SUCCESS && name.bv_val) {
    std::vector<std::string> texts;
    for (berval* v = values; v && v->bv_val; ++v) texts.emplace_back(v->bv_val, v->bv_len);
    ber_memfree(values);
    values = nullptr;
    out.emplace_back(ToUpperAscii(std::string_view(name.bv_val, name.bv_len)), std::move(texts));
  }
  ber_free(ber, 0);
  return out;
}

std::vector<std::string> ValuesOf(const RawEntry& entry, std::string_view upperType) {
  for (const auto& [type, values] : entry) {
    if (type == upperType) return values;
  }
  return {};
}

// The DN part of an LDAP URI, when it has one.
std::string DnOfUri(const std::string& uri) {
  LDAPURLDesc* url = nullptr;
  if (ldap_url_parse(uri.c_str(), &url) != LDAP_URL_SUCCESS) return {};
  std::string dn = url->lud_dn ? url->lud_dn : "";
  ldap_free_urldesc(url);
  return dn;
}

std::optional<LdapTopEntry> TopEntryOf(const std::string& dn) {
  auto rdns = ParseDn(dn);
  if (!rdns || rdns->empty()) return std::nullopt;
  LdapTopEntry top;
  top.dn = dn;
  top.name = rdns->front().Value();
  top.rdns = std::move(*rdns);
  return top;
}

// A naming context below another one is reached through it, not from the root.
bool IsBelowAnother(const LdapTopEntry& top, const std::vector<LdapTopEntry>& all) {
  return std::any_of(all.begin(), all.end(), [&](const LdapTopEntry& other) {
    if (&other == &top || other.rdns.size() >= top.rdns.size()) return false;
    const std::size_t offset = top.rdns.size() - other.rdns.size();
    for (std::size_t i = 0; i < other.rdns.size(); ++i) {
      if (!EqualsNoCase(top.rdns[offset + i].Value(), other.rdns[i].Value())) return false;
    }
    return true;
  });
}

}  // namespace
LdapTree::LdapTree(std::string name, std::string uri, std::shared_ptr<const LdapOptions> options,
                   std::string fault)
    : name_(std::move(name)),
      uri_(std::move(uri)),
      options_(std::move(options)),
      fault_(std::move(fault)) {}

DirResult<std::unique_ptr<LdapConnection>> LdapTree::Acquire(bool fresh) {
  {
    std::lock_guard lock(mutex_);
    if (fresh) {
      idle_.clear();  // a lost connection's siblings went the same way
    } else if (!idle_.empty()) {
      auto c = std::move(idle_.back());
      idle_.pop_back();
      return c;
    }
  }
  return LdapConnection::Open(uri_, *options_);
}

void LdapTree::Release(std::unique_ptr<LdapConnection> connection) {
  if (!connection || connection->Broken()) return;
  std::lock_guard lock(mutex_);
  if (idle_.size() < kMaxIdle) idle_.push_back(std::move(connection));
}

DirResult<std::shared_ptr<const LdapTreeInfo>> LdapTree::Info() {
  if (!fault_.empty()) return MakeDirError(kDirLost, "tree " + name_ + ": " + fault_);
  {
    std::lock_guard lock(mutex_);
    if (info_) return info_;
  }
  auto connection = Acquire(true);
  if (!connection) return connection.dirError();
  auto info = ReadInfo(**connection);
  if (!info) return info.dirError();
  {
    std::lock_guard lock(mutex_);
    if (!info_) info_ = info.value();  // another thread may have been first
    // Only a tree named by its server has no name yet, and the directory asks it while it opens,
    // before any other thread can read the name.
    if (name_.empty()) name_ = info_->TreeName();
  }
  Release(std::move(connection).value());
  std::lock_guard lock(mutex_);
  return info_;
}

DirResult<std::shared_ptr<const LdapTreeInfo>> LdapTree::ReadInfo(LdapConnection& connection) {
  RawEntry rootDse;
  auto root = connection.Search(
      LdapSearchRequest{"",
                        LDAP_SCOPE_BASE,
                        "(objectClass=*)",
                        {"namingContexts", "subschemaSubentry", "directoryTreeName"}},
      [&](LDAP* ld, LDAPMessage* m) { rootDse = RawValues(ld, m); });
  if (!root) return root.dirError();

  // The schema: each definition parsed on its own, so that one the reader cannot take costs
  // that definition only.
  auto subschemaDns = ValuesOf(rootDse, "SUBSCHEMASUBENTRY");
  const std::string subschemaDn = subschemaDns.empty() ? "cn=Subschema" : subschemaDns.front();
  RawEntry subschema;
  auto read = connection.Search(
      LdapSearchRequest{
          subschemaDn, LDAP_SCOPE_BASE, "(objectClass=*)", {"attributeTypes", "objectClasses"}},
      [&](LDAP* ld, LDAPMessage* m) { subschema = RawValues(ld, m); });
  if (!read) return read.dirError();
  SchemaDefinitions definitions;
  const std::string origin = uri_ + " " + subschemaDn;
  for (const char* kind : {"ATTRIBUTETYPES", "OBJECTCLASSES"}) {
    for (const auto& value : ValuesOf(subschema, kind)) {
      auto parsed = ParseSchemaText(std::string(kind) + ": " + value, origin);
      if (!parsed) {
        qWarning().noquote() << "cvx: skipped a schema definition:"
                             << QString::fromStdString(parsed.message());
        continue;
      }
      auto& d = parsed.value();
      definitions.attributeTypes.insert(definitions.attributeTypes.end(), d.attributeTypes.begin(),
                                        d.attributeTypes.end());
      definitions.objectClasses.insert(definitions.objectClasses.end(), d.objectClasses.begin(),
                                       d.objectClasses.end());
    }
  }
  if (definitions.objectClasses.empty()) {
    return MakeDirError(kDirLost, uri_ + ": the server publishes no schema at " + subschemaDn);
  }
  auto schema =
      std::make_shared<const SchemaModel>(std::vector<const SchemaDefinitions*>{&definitions});

  // The objects below the root: the URI's DN; else what a one-level search below the empty DN
  // finds (eDirectory answers it); else the naming contexts.
  std::vector<LdapTopEntry> tops;
  if (const auto dn = DnOfUri(uri_); !dn.empty()) {
    if (auto top = TopEntryOf(dn)) tops.push_back(std::move(*top));
  } else {
    auto below =
        connection.Search(LdapSearchRequest{"", LDAP_SCOPE_ONELEVEL, "(objectClass=*)", {"1.1"}},
                          [&](LDAP* ld, LDAPMessage* m) {
                            char* text = ldap_get_dn(ld, m);
                            if (!text) return;
                            if (auto top = TopEntryOf(text)) tops.push_back(std::move(*top));
                            ldap_memfree(text);
                          });
    if (!below && connection.Broken()) return below.dirError();
    if (tops.empty()) {
      std::vector<LdapTopEntry> contexts;
      for (const auto& dn : ValuesOf(rootDse, "NAMINGCONTEXTS")) {
        if (auto top = TopEntryOf(dn)) contexts.push_back(std::move(*top));
      }
      for (const auto& top : contexts) {
        if (!IsBelowAnother(top, contexts)) tops.push_back(top);
      }
    }
  }

  std::string name = name_;
  if (name.empty()) {
    const auto published = ValuesOf(rootDse, "DIRECTORYTREENAME");
    if (!published.empty() && !published.front().empty()) {
      name = published.front();
    } else if (!options_->treeName.empty()) {
      name = options_->treeName;
    } else if (!tops.empty()) {
      name = ToUpperAscii(tops.front().name);
    } else {
      return MakeDirError(kDirLost, uri_ + ": the server names no tree (set CVX_TREE_NAME)");
    }
  }
  return std::make_shared<const LdapTreeInfo>(std::move(name), std::move(schema), std::move(tops));
}

template <class T>
DirResult<T> LdapTree::WithQueries(const std::function<DirResult<T>(LdapQueries&)>& op,
                                   const std::atomic<bool>* cancel) {
  auto info = Info();
  if (!info) return info.dirError();
  auto acquired = Acquire(false);
  if (!acquired) return acquired.dirError();
  std::unique_ptr<LdapConnection> connection = std::move(acquired).value();
  auto attempt = [&] {
    LdapQueries queries(*connection, info.value(), dnCache_, cancel);
    return op(queries);
  };
  DirResult<T> result = attempt();
  if (!result && connection->Lost() && !(cancel && cancel->load())) {
    auto again = Acquire(true);
    if (!again) {
      return MakeDirError(kDirLost,
                          result.message() + "; connecting again failed: " + again.message());
    }
    connection = std::move(again).value();
    result = attempt();
  }
  Release(std::move(connection));
  return result;
}

DirResult<LdapEntryDataPtr> LdapTree::Find(const std::string& fullName, bool resolveAlias) {
  if (auto hit = DeliveredHit(fullName); hit && !hit->isAlias) return hit;
  return WithQueries<LdapEntryDataPtr>(
      [&](LdapQueries& q) { return q.Find(fullName, resolveAlias); });
}

DirResult<std::vector<LdapEntryDataPtr>> LdapTree::Children(const LdapEntryData& parent,
                                                            const LdapClassFilter& filter) {
  return WithQueries<std::vector<LdapEntryDataPtr>>(
      [&](LdapQueries& q) { return q.Children(parent, filter); });
}

DirResult<bool> LdapTree::HasChildren(const LdapEntryData& entry) {
  return WithQueries<bool>([&](LdapQueries& q) { return q.HasChildren(entry); });
}

DirResult<std::shared_ptr<LdapSearchHits>> LdapTree::Search(const std::string& pattern,
                                                            const std::string& classes, int scope,
                                                            const std::string& context,
                                                            const std::vector<std::string>& fields,
                                                            const std::atomic<bool>* cancel,
                                                            const LdapSearchProgress& progress) {
  return WithQueries<std::shared_ptr<LdapSearchHits>>(
      [&](LdapQueries& q) { return q.Search(pattern, classes, scope, context, fields, progress); },
      cancel);
}

DirResult<LdapEntryDataPtr> LdapTree::ReadWhole(const std::string& fullName) {
  return WithQueries<LdapEntryDataPtr>([&](LdapQueries& q) { return q.Find(fullName, false); });
}

DirResult<std::vector<std::string>> LdapTree::ServerNames() {
  return WithQueries<std::vector<std::string>>([](LdapQueries& q) { return q.ServerNames(); });
}

LdapEntryDataPtr LdapTree::DeliveredHit(const std::string& fullName) const {
  std::lock_guard lock(mutex_);
  if (delivering_.empty()) return nullptr;
  const auto now = std::chrono::steady_clock::now();
  for (auto it = delivering_.rbegin(); it != delivering_.rend(); ++it) {
    if (now >= it->freshUntil) continue;
    if (auto found = it->hits->Find(fullName)) return found;
  }
  return nullptr;
}

LdapTree::Delivery::Delivery(std::shared_ptr<LdapTree> tree,
                             std::shared_ptr<const LdapSearchHits> hits)
    : tree_(std::move(tree)), hits_(std::move(hits)) {
  std::lock_guard lock(tree_->mutex_);
  tree_->delivering_.push_back(Delivered{hits_, std::chrono::steady_clock::now() + kFreshFor});
}

void LdapTree::Delivery::Renew() {
  std::lock_guard lock(tree_->mutex_);
  for (auto& d : tree_->delivering_) {
    if (d.hits == hits_) d.freshUntil = std::chrono::steady_clock::now() + kFreshFor;
  }
}

LdapTree::Delivery::~Delivery() {
  std::lock_guard lock(tree_->mutex_);
  auto& list = tree_->delivering_;
  list.erase(
      std::find_if(list.begin(), list.end(), [&](const Delivered& d) { return d.hits == hits_; }));
}

}  // namespace cvx
