#include "SlapdServer.h"

#include <arpa/inet.h>
#include <ldap.h>
#include <ldif.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "SlapdSchema.h"

namespace cvx::test {

namespace {

using namespace std::chrono_literals;

// Where the project's schema files for OpenLDAP servers live.
const std::string kProjectSchemas = CVX_LDAP_SCHEMA_DIR;

sockaddr_in Loopback(int port) {
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(static_cast<uint16_t>(port));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return a;
}

// One part of a tree: a top object (one RDN) with everything below it, which slapd keeps in a
// database of its own (back_mdb holds one suffix per database).
struct TreePart {
  std::string topDn;
  std::string ldifPath;
};

// The DN's last RDN, as the server's suffix for it; empty for a DN that does not parse.
std::string TopOf(const berval& text) {
  LDAPDN dn = nullptr;
  std::string top;
  if (ldap_bv2dn(const_cast<berval*>(&text), &dn, LDAP_DN_FORMAT_LDAPV3) == LDAP_SUCCESS && dn &&
      dn[0]) {
    int last = 0;
    while (dn[last + 1]) ++last;
    LDAPRDN rdn = dn[last];
    char* rdnText = nullptr;
    if (ldap_rdn2str(rdn, &rdnText, LDAP_DN_FORMAT_LDAPV3) == LDAP_SUCCESS) top = rdnText;
    ldap_memfree(rdnText);
  }
  ldap_dnfree(dn);
  return top;
}

// Splits a tree file into one file per top object, records in the order of the file.
std::vector<TreePart> SplitTree(const std::string& ldifPath, const WorkFolder& folder,
                                std::string* why) {
  std::vector<TreePart> parts;
  std::vector<std::unique_ptr<std::ofstream>> files;
  LDIFFP* fp = ldif_open(ldifPath.c_str(), "r");
  if (!fp) {
    *why = ldifPath + ": cannot be read";
    return parts;
  }
  unsigned long line = 0;
  char* buffer = nullptr;
  int size = 0;
  while (ldif_read_record(fp, &line, &buffer, &size) > 0) {
    std::string record(buffer);
    berval text{record.size(), record.data()};
    LDIFRecord lr{};
    if (ldap_parse_ldif_record(&text, line, &lr, "slapd-fixture",
                               LDIF_DEFAULT_ADD | LDIF_ENTRIES_ONLY | LDIF_NO_CONTROLS) ==
            LDAP_SUCCESS &&
        lr.lr_dn.bv_val) {
      const std::string top = TopOf(lr.lr_dn);
      auto it = std::find_if(parts.begin(), parts.end(),
                             [&](const TreePart& p) { return p.topDn == top; });
      if (it == parts.end() && !top.empty()) {
        parts.push_back(TreePart{top, folder / ("part" + std::to_string(parts.size()) + ".ldif")});
        files.push_back(std::make_unique<std::ofstream>(parts.back().ldifPath));
        it = parts.end() - 1;
      }
      if (it != parts.end()) *files[static_cast<std::size_t>(it - parts.begin())] << buffer << "\n";
    }
    ldap_ldif_record_done(&lr);
  }
  ber_memfree(buffer);
  ldif_close(fp);
  if (parts.empty()) *why = ldifPath + " holds no object";
  return parts;
}

}  // namespace

int FreeLoopbackPort() {
  const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in a = Loopback(0);
  socklen_t length = sizeof a;
  int port = 0;
  if (::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
      ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &length) == 0) {
    port = ntohs(a.sin_port);
  }
  ::close(s);
  return port;
}

namespace {

// Whether something accepts connections on a local (unix) socket.
bool AcceptsLocalConnections(const std::string& path) {
  const int s = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_un a{};
  a.sun_family = AF_UNIX;
  std::strncpy(a.sun_path, path.c_str(), sizeof a.sun_path - 1);
  const bool ok = ::connect(s, reinterpret_cast<const sockaddr*>(&a), sizeof a) == 0;
  ::close(s);
  return ok;
}

}  // namespace

bool AcceptsConnections(int port) {
  const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const sockaddr_in a = Loopback(port);
  const bool ok = ::connect(s, reinterpret_cast<const sockaddr*>(&a), sizeof a) == 0;
  ::close(s);
  return ok;
}

SlapdServer::SlapdServer(const SlapdSetup& setup) : setup_(setup), folder_("cvx-slapd") {}

std::unique_ptr<SlapdServer> SlapdServer::Create(const SlapdSetup& setup, std::string* why) {
  std::unique_ptr<SlapdServer> server(new SlapdServer(setup));
  if (!server->Configure(why) || !server->Start(why)) return nullptr;
  return server;
}

bool SlapdServer::Configure(std::string* why) {
  const auto parts = SplitTree(setup_.ldifPath, folder_, why);
  if (parts.empty()) return false;

  std::ostringstream conf;
  conf << "# A test server: " << setup_.treeName << "\n";
  for (const auto& s : setup_.slapdSchemas) conf << "include " << s << "\n";
  conf << "include " << kProjectSchemas << "/tree-name.schema\n";
  if (!setup_.folderSchemas.empty()) {
    const std::string converted = folder_ / "folder.schema";
    if (auto error = ConvertSchemasForSlapd(setup_.folderSchemas, converted); !error.empty()) {
      *why = error;
      return false;
    }
    conf << "include " << converted << "\n";
  }
  const std::string rootEntry =
      setup_.publishTreeName ? "dn:\ndirectoryTreeName: " + setup_.treeName + "\n" : "dn:\n";
  if (!WriteTextFile(folder_ / "rootdse.ldif", rootEntry)) {
    *why = "cannot write " + folder_.Path();
    return false;
  }
  conf << "modulepath /usr/lib/ldap\n"
       << "moduleload back_mdb\n"
       << "pidfile " << folder_ / "slapd.pid"
       << "\n"
       << "rootDSE " << folder_ / "rootdse.ldif"
       << "\n";
  // A paged search may go past the limit; a plain one may not.
  if (setup_.sizeLimit > 0) {
    conf << "sizelimit size.soft=" << setup_.sizeLimit << " size.hard=" << setup_.sizeLimit
         << " size.prtotal="
         << (setup_.pagedLimit > 0   ? std::to_string(setup_.pagedLimit)
             : setup_.pagedLimit < 0 ? "disabled"
                                     : "unlimited");
    if (setup_.pageSizeLimit > 0) conf << " size.pr=" << setup_.pageSizeLimit;
    conf << "\n";
  } else {
    conf << "sizelimit unlimited\n";
  }
  if (setup_.tls) {
    conf << "TLSCACertificateFile " << setup_.tls->caFile << "\n"
         << "TLSCertificateFile " << setup_.tls->certFile << "\n"
         << "TLSCertificateKeyFile " << setup_.tls->keyFile << "\n";
  }
  conf << "access to attrs=userPassword by anonymous auth by self read by * none\n"
       << "access to * by * read\n";
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const std::string db = folder_ / ("db" + std::to_string(i));
    std::filesystem::create_directory(db);
    conf << "database mdb\n"
         << "maxsize 4294967296\n"
         << "suffix \"" << parts[i].topDn << "\"\n"
         << "directory " << db << "\n"
         << "index objectClass eq\n";
    if (setup_.indexNames) conf << "index cn eq,sub\n";
  }
  if (!WriteTextFile(folder_ / "slapd.conf", conf.str())) {
    *why = "cannot write " + folder_.Path();
    return false;
  }
  for (const auto& part : parts) {
    std::vector<std::string> load{"slapadd",  "-f", folder_ / "slapd.conf", "-q", "-b",
                                  part.topDn, "-l", part.ldifPath};
    if (!setup_.checkSchema) load.push_back("-s");
    if (RunProgram(load, folder_ / "slapadd.log", {"LDAPNOINIT=1"}, 600s, why) != 0) return false;
  }
  return true;
}

bool SlapdServer::Start(std::string* why) {
  if (process_) return true;
  for (int attempt = 0; attempt < 5; ++attempt) {
    if (!portsFixed_) {
      port_ = FreeLoopbackPort();
      tlsPort_ = setup_.tls ? FreeLoopbackPort() : 0;
    }
    std::string listen = "ldap://127.0.0.1:" + std::to_string(port_) + "/ " + LdapiUri() + "/";
    if (setup_.tls) listen += " ldaps://127.0.0.1:" + std::to_string(tlsPort_) + "/";
    // "-d conns" keeps slapd in the foreground and writes a line when it starts listening; each
    // line is a moment to try a connection, so readiness needs no timer.
    process_ =
        ChildProcess::Start({"slapd", "-f", folder_ / "slapd.conf", "-h", listen, "-d", "conns"},
                            folder_ / "slapd.log", {"LDAPNOINIT=1"}, why);
    if (!process_) return false;
    if (WaitUntilListening(DeadlineIn(20s))) {
      portsFixed_ = true;
      return true;
    }
    const std::string tail = process_->Tail();
    process_.reset();
    if (portsFixed_ || tail.find("already in use") == std::string::npos) {
      *why = "slapd did not start:\n" + tail;
      return false;
    }
  }
  *why = "slapd found no free port";
  return false;
}

bool SlapdServer::WaitUntilListening(Deadline until) {
  std::size_t seen = 0;
  while (std::chrono::steady_clock::now() < until) {
    if (AcceptsConnections(port_) && (!setup_.tls || AcceptsConnections(tlsPort_)) &&
        AcceptsLocalConnections(folder_ / "ldapi")) {
      return true;
    }
    if (process_->Ended()) return false;
    seen = process_->WaitForOutput(seen, until);
  }
  return false;
}

void SlapdServer::Stop() {
  if (!process_) return;
  process_->Stop(SIGTERM, 10s);
  process_.reset();
}

void SlapdServer::Pause() {
  if (process_) process_->Signal(SIGSTOP);
}

void SlapdServer::Resume() {
  if (process_) process_->Signal(SIGCONT);
}

SlapdServer::~SlapdServer() {
  Stop();
}

std::string SlapdServer::Uri() const {
  return "ldap://127.0.0.1:" + std::to_string(port_);
}

std::string SlapdServer::LdapsUri() const {
  return setup_.tls ? "ldaps://127.0.0.1:" + std::to_string(tlsPort_) : "";
}

std::string SlapdServer::LdapiUri() const {
  std::string uri = "ldapi://";
  for (const char c : folder_ / "ldapi") {
    if (c == '/') {
      uri += "%2F";
    } else {
      uri += c;
    }
  }
  return uri;
}

std::string SlapdServer::LogTail() const {
  return process_ ? process_->Tail() : "";
}

}  // namespace cvx::test
