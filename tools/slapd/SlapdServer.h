#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "WorkFolder.h"

namespace cvx::test {

// What one server holds.
struct SlapdSetup {
  std::string treeName;         // published in the root entry as directoryTreeName ...
  bool publishTreeName = true;  // ... unless this is unset
  std::string ldifPath;         // the tree, as a directory folder holds it (DNs without the tree)
  // Schema files of a directory folder, rewritten for slapd (see ConvertSchemaForSlapd).
  std::vector<std::string> folderSchemas;
  // Schema files in slapd's own form, taken as they are (stock and project files).
  std::vector<std::string> slapdSchemas;
  bool checkSchema = false;  // load the tree with slapd's schema checks (folder trees skip them)
  int sizeLimit = 50;        // entries per search without paging; 0: no limit
  int pagedLimit = 0;        // entries per paged search in all; 0: no limit; -1: no paging
  int pageSizeLimit = 0;     // entries per page at most (larger pages are refused); 0: any
  bool indexNames = false;   // an equality and substring index of cn, as sites have
  struct Tls {
    std::string caFile, certFile, keyFile;
  };
  std::optional<Tls> tls;  // also listen for ldaps:// and offer StartTLS
};

// A real slapd (back_mdb) in a folder of its own, listening on free ports of 127.0.0.1 only,
// reading no configuration of the machine (LDAPNOINIT). It is stopped when this object goes and
// killed by the kernel if the program that made it dies first.
class SlapdServer {
 public:
  // Writes the configuration, loads the tree (slapadd) and starts the server. Null with the
  // reason in `why` when any step fails.
  static std::unique_ptr<SlapdServer> Create(const SlapdSetup& setup, std::string* why);
  ~SlapdServer();

  // Starts the server again after Stop, on the same ports.
  bool Start(std::string* why);
  void Stop();
  // Keeps the server from answering (SIGSTOP) while the kernel still accepts connections for it,
  // and lets it go on.
  void Pause();
  void Resume();
  bool Running() const { return process_ != nullptr; }

  std::string Uri() const;       // ldap://127.0.0.1:port
  std::string LdapsUri() const;  // empty without TLS
  std::string LdapiUri() const;  // its socket in its folder
  int Port() const { return port_; }
  std::string LogTail() const;

 private:
  explicit SlapdServer(const SlapdSetup& setup);
  bool Configure(std::string* why);
  bool WaitUntilListening(Deadline until);

  SlapdSetup setup_;
  WorkFolder folder_;
  int port_ = 0;
  int tlsPort_ = 0;
  bool portsFixed_ = false;
  std::unique_ptr<ChildProcess> process_;
};

// A port of 127.0.0.1 that nothing listens on at the moment.
int FreeLoopbackPort();
// Whether something accepts connections on a port of 127.0.0.1.
bool AcceptsConnections(int port);

}  // namespace cvx::test
