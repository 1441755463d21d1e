#include "support/RecordAppender.h"

#include <cerrno>
#include <cstring>
#include <fstream>

#include "core/WorkstationRecord.h"
#include "wsdb/DatabasePath.h"

namespace cvx {

AppendResult AppendWorkstationRecord(const std::string& dbPath, const std::string& treeName,
                                     std::string_view fullName, std::string_view address1,
                                     std::string_view address2) {
  const auto path = DatabaseFilePath(dbPath, treeName);
  const auto line = FormatWorkstationRecord(fullName, address1, address2);
  if (!path || !line) return {"cannot append " + std::string(fullName) + " to " + dbPath};
  // Opened, appended to and closed for each record, as a tool that appends records does; the
  // record goes in one write, so it is never interleaved with another writer's.
  std::ofstream out(*path, std::ios::binary | std::ios::app);
  out << *line;
  out.close();
  return {out ? std::string() : *path + ": " + std::strerror(errno)};
}

}  // namespace cvx
