#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "settings/SettingsStore.h"
#include "settings/StoredSettings.h"

namespace cvx {

// Which stored "Remote Action" values the caller can perform (catalogue codes, own actions).
using RemoteActionCheck = std::function<bool(std::string_view)>;

// Reads the tree's "Settings" section in one go. A missing key gives its default. A stored number
// that is not a number, or an option index out of range, also gives the default and is listed in
// `bad` (so the caller can name it on stderr); the save at exit writes it over. A "Remote Action"
// that usableAction refuses gives "RC". CurrentContext is left empty: see ReadCurrentContext.
LoadedSettings LoadStoredSettings(const SettingsStore& store, std::string_view tree,
                                  const RemoteActionCheck& usableAction);

// The stored "Current Context", or treeRoot when there is none.
std::string ReadCurrentContext(const SettingsStore& store, std::string_view tree,
                               std::string_view treeRoot);

// Writes the values in one transaction, in this order: (unless minimized) Left, Top, Height,
// Width, SplitV, SplitH, NDSColumn1, NDSColumn2; then ZW Server, Search for Aliases, Search
// Subordinates, Append to Existing DB, Remote Action, Current Context, SearchAnchor, Inventory
// Server. A failing write does not stop the others; the result is the first failure.
//
// Minimized keeps the stored geometry, except that a stored geometry value that is not a number
// is replaced by its default (the value the window used).
//
// A number whose stored text already reads as the value keeps that text, so a run that moves
// nothing leaves the section byte for byte as it was.
//
// The values are written as given: for a "ZW Server" or "Current Context" the window could not
// take at start-up, the caller passes the value it read, so a server that was down or a context
// that could not be opened is not replaced by an empty one.
StoreStatus SaveStoredSettings(SettingsStore& store, std::string_view tree,
                               const StoredSettings& values, bool minimized);

// One line for stderr naming the key whose stored value was not used.
std::string DescribeBadSetting(std::string_view tree, const BadSetting& bad);

}  // namespace cvx
