#pragma once

#include <functional>
#include <optional>
#include <string>

#include "directory/DirResult.h"

namespace cvx {

// Asks the person at the screen for the password of `bindDn` on `server`; nothing when they
// decline. The window shows a dialog that never echoes what is typed.
using PasswordPrompt =
    std::function<std::optional<std::string>(const std::string& bindDn, const std::string& server)>;

// How every live tree of a directory is reached.
struct LdapOptions {
  int timeoutMs = 10000;  // bound of every wait on the network
  std::string bindDn;     // empty: anonymous
  std::string password;   // for bindDn; kept in memory only, for reconnecting
  bool startTls = false;  // on ldap:// URIs
  std::string treeName;   // name of a single live tree whose server does not publish one
  int pageSize = 4000;    // entries per page of a paged search

  LdapOptions() = default;
  LdapOptions(const LdapOptions&) = default;
  LdapOptions& operator=(const LdapOptions&) = default;
  LdapOptions(LdapOptions&&) = default;
  LdapOptions& operator=(LdapOptions&&) = default;
  ~LdapOptions();  // wipes the password
};

// The options from the environment: CVX_LDAP_TIMEOUT (seconds, default 10), CVX_LDAP_BINDDN,
// CVX_LDAP_PASSWORD_FILE, CVX_LDAP_STARTTLS (1/yes/true/on or 0/no/false/off, any case),
// CVX_TREE_NAME. With a bind DN the password comes
// from the password file, else from `askPassword`. Failure is kDirClientMissing saying why.
DirResult<LdapOptions> LdapOptionsFromEnvironment(const PasswordPrompt& askPassword,
                                                  const std::string& server);

// The password kept in `path`: its first line. Refused when the file is open to group or others
// (as ssh refuses such keys), is no regular file, or holds no password.
DirResult<std::string> ReadLdapPasswordFile(const std::string& path);

}  // namespace cvx
