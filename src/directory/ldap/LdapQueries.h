#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "directory/DirectoryControl.h"
#include "directory/ldap/LdapConnection.h"
#include "directory/ldap/LdapDnCache.h"
#include "directory/ldap/LdapEntryData.h"
#include "directory/ldap/LdapEntryReader.h"
#include "directory/ldap/LdapSearchHits.h"
#include "directory/ldap/LdapTreeInfo.h"

namespace cvx {

// Told on the searching thread as hits arrive (all so far, each time), and with `restarted` when
// those told of before are void: the search started over.
using LdapSearchProgress =
    std::function<void(const std::shared_ptr<LdapSearchHits>& hits, bool restarted)>;

// Class names (NDS) an enumeration keeps; empty: every class.
using LdapClassFilter = std::shared_ptr<const std::vector<std::string>>;

// The questions the backend asks a server about one tree, on one connection. Levels and
// look-ups ask for what they need; nothing reads the whole tree.
class LdapQueries {
 public:
  LdapQueries(LdapConnection& connection, std::shared_ptr<const LdapTreeInfo> info,
              LdapDnCache& dnCache, const std::atomic<bool>* cancel = nullptr);

  // The tree object itself (class "Top").
  LdapEntryDataPtr TreeRoot() const;
  // The object with this full name of the tree; an alias gives its object when `resolveAlias`.
  DirResult<LdapEntryDataPtr> Find(const std::string& fullName, bool resolveAlias);
  // The objects directly below `parent` whose class passes the filter, in the server's order.
  DirResult<std::vector<LdapEntryDataPtr>> Children(const LdapEntryData& parent,
                                                    const LdapClassFilter& filter);
  // Whether anything at all is below an object.
  DirResult<bool> HasChildren(const LdapEntryData& entry);
  DirResult<std::shared_ptr<LdapSearchHits>> Search(const std::string& pattern,
                                                    const std::string& classes, int scope,
                                                    const std::string& context,
                                                    const std::vector<std::string>& fields,
                                                    const LdapSearchProgress& progress = {});
  // Relative names of the tree's objects of class "NCP Server", in the server's order.
  DirResult<std::vector<std::string>> ServerNames();

 private:
  DirResult<LdapEntryDataPtr> Locate(const std::string& fullName, bool& usedCache);
  DirResult<LdapEntryDataPtr> ReadDn(const std::string& dn, const std::string& fullName);
  // The object `name` directly below `parentDn`, likely a container when `container`.
  DirResult<LdapEntryDataPtr> ReadChild(const std::string& parentDn, const std::string& name,
                                        bool container, const std::string& fullName);
  DirResult<std::vector<LdapEntryData>> Read(const LdapSearchRequest& request);

  LdapConnection& connection_;
  std::shared_ptr<const LdapTreeInfo> info_;
  LdapDnCache& dnCache_;
  LdapEntryReader reader_;
  const std::atomic<bool>* cancel_;
};

}  // namespace cvx
