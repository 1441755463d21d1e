#include "directory/ldap/LdapOptions.h"

#include <sys/stat.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "core/Environment.h"
#include "core/TextUtil.h"

namespace cvx {

namespace {

DirError Refuse(const std::string& why) {
  return MakeDirError(kDirClientMissing, why);
}

// Overwrites a secret before its memory is given back.
void Wipe(std::string& secret) {
  volatile char* p = secret.data();
  for (std::size_t i = 0; i < secret.size(); ++i) p[i] = 0;
  secret.clear();
}

}  // namespace

LdapOptions::~LdapOptions() {
  Wipe(password);
}

DirResult<std::string> ReadLdapPasswordFile(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    return Refuse("password file " + path + ": " + std::strerror(errno));
  }
  if (!S_ISREG(st.st_mode)) return Refuse("password file " + path + " is no regular file");
  if ((st.st_mode & 077) != 0) {
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(st.st_mode & 07777));
    return Refuse("password file " + path + " is open to group or others (mode " + mode +
                  "); it is not used until only its owner can read it: chmod 600 " + path);
  }
  std::ifstream in(path, std::ios::binary);
  std::string password;
  if (!in || !std::getline(in, password)) {
    return Refuse("password file " + path + " cannot be read or is empty");
  }
  if (!password.empty() && password.back() == '\r') password.pop_back();
  // A simple bind with a name and no password is an unauthenticated bind (RFC 4513): never
  // what was meant.
  if (password.empty()) return Refuse("password file " + path + " holds no password");
  return password;
}

DirResult<LdapOptions> LdapOptionsFromEnvironment(const PasswordPrompt& askPassword,
                                                  const std::string& server) {
  LdapOptions options;
  if (const auto timeout = EnvironmentValue("CVX_LDAP_TIMEOUT"); !timeout.empty()) {
    char* end = nullptr;
    const double seconds = std::strtod(timeout.c_str(), &end);
    if (end == timeout.c_str() || *end != '\0' || !std::isfinite(seconds) || seconds <= 0 ||
        seconds > 86400) {
      return Refuse("CVX_LDAP_TIMEOUT=" + timeout + " is not a number of seconds");
    }
    options.timeoutMs = static_cast<int>(std::ceil(seconds * 1000));
  }
  const auto startTls = ToUpperAscii(EnvironmentValue("CVX_LDAP_STARTTLS"));
  if (startTls == "1" || startTls == "YES" || startTls == "TRUE" || startTls == "ON") {
    options.startTls = true;
  } else if (!(startTls.empty() || startTls == "0" || startTls == "NO" || startTls == "FALSE" ||
               startTls == "OFF")) {
    return Refuse("CVX_LDAP_STARTTLS=" + EnvironmentValue("CVX_LDAP_STARTTLS") +
                  " is neither on (1, yes, true, on) nor off (0, no, false, off)");
  }
  options.treeName = EnvironmentValue("CVX_TREE_NAME");
  options.bindDn = EnvironmentValue("CVX_LDAP_BINDDN");
  if (options.bindDn.empty()) return options;

  if (const auto file = EnvironmentValue("CVX_LDAP_PASSWORD_FILE"); !file.empty()) {
    auto password = ReadLdapPasswordFile(file);
    if (!password) return password.dirError();
    options.password = std::move(password).value();
    return options;
  }
  std::optional<std::string> typed;
  if (askPassword) typed = askPassword(options.bindDn, server);
  if (!typed || typed->empty()) {
    return Refuse("no password for " + options.bindDn +
                  " (CVX_LDAP_PASSWORD_FILE names a file holding it for unattended runs)");
  }
  options.password = std::move(*typed);
  Wipe(*typed);
  return options;
}

}  // namespace cvx
