#include "wsdb/DatabaseMessages.h"

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
