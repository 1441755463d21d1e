#pragma once

#include <string>

namespace cvx {

// Where the store lives: $XDG_CONFIG_HOME/corvexa/settings.sqlite3, or ~/.config/corvexa/… when
// that is unset, empty or not absolute (as the XDG rules ask). Empty when neither the variable nor
// a home folder is known.
std::string SettingsStorePath(const char* xdgConfigHome, const char* home);

// The same from this process's environment; without HOME the account's home folder is used.
std::string DefaultSettingsStorePath();

// The administrator's own actions live beside the store: actions.ini in its folder. Empty for an
// empty store path.
std::string OwnActionsPathBeside(const std::string& storePath);

}  // namespace cvx
