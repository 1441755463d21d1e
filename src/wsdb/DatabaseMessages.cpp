#include "wsdb/DatabaseMessages.h"

#include "core/PrintableText.h"
#include "wsdb/DatabaseFolder.h"

namespace cvx {

std::string DatabaseMessageText(DatabaseFault fault, DatabaseMessageWording wording,
                                std::string_view reason) {
  const bool search = wording == DatabaseMessageWording::kTargetSearch;
  const std::string advice =
      std::string("The Workstation Database File needs to be placed in\r\n") +
      (search ? "the same directory as the application's executable.\r\n"
              : "the same directory as the application's executable!\r\n") +
      "\r\n" +
      (search ? "Please create a new Workstation Database File!"
              : "Please create a new Workstation Database File");
  switch (fault) {
    case DatabaseFault::kNone:
      return {};
    case DatabaseFault::kDirectoryMissing:
      return "Could not find path of Workstation Database File!\r\n\r\n" + advice;
    case DatabaseFault::kFileMissing:
      return "Could not find Workstation Database File!\r\n\r\n" + advice;
    case DatabaseFault::kUnreadable:
      return "Could not read Workstation Database File!\r\n\r\n" + std::string(reason);
  }
  return {};
}

}  // namespace cvx

namespace cvx {

std::string NameDatabaseFolder(std::string message, const std::string& dbPath,
                               const std::string& programDir) {
  static const std::string kProgramFolder = "the same directory as the application's executable";
  if (dbPath.empty() || SameFolder(dbPath, programDir)) return message;
  const auto at = message.find(kProgramFolder);
  if (at == std::string::npos) return message;
  return message.replace(at, kProgramFolder.size(), "the directory " + PrintableText(dbPath));
}

}  // namespace cvx
