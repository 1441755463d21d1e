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
// The texts name the executable's directory even when another one was chosen, as administrators
// know them. `reason` is shown for kUnreadable.
std::string DatabaseMessageText(DatabaseFault fault,
                                DatabaseMessageWording wording = DatabaseMessageWording::kUsual,
                                std::string_view reason = {});

}  // namespace cvx
