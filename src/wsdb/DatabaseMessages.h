#pragma once

#include <string>
#include <string_view>

#include "wsdb/DatabaseFault.h"

namespace cvx {

// Title of every workstation database message box.
inline constexpr std::string_view kDatabaseMessageTitle = "Warning!";

// The usual wording, and the one reading of the target search that ends two lines with "." and
// "!" instead.
enum class DatabaseMessageWording { kUsual, kTargetSearch };

// The message for a database that cannot be read, lines joined with CR LF; empty for kNone.
// The texts name the executable's directory, as administrators know them; see
// NameDatabaseFolder. `reason` is shown for kUnreadable.
std::string DatabaseMessageText(DatabaseFault fault,
                                DatabaseMessageWording wording = DatabaseMessageWording::kUsual,
                                std::string_view reason = {});

}  // namespace cvx

namespace cvx {

// A database message as shown: where DBPath is not the program's folder, the line naming "the
// same directory as the application's executable" names the folder actually used instead; where
// it is, the text stays word for word.
std::string NameDatabaseFolder(std::string message, const std::string& dbPath,
                               const std::string& programDir);

}  // namespace cvx
