#pragma once

#include <string>
#include <string_view>

#include "settings/HistoryEntry.h"
#include "settings/SettingsStore.h"

namespace cvx {

// The stored name of an entry: the full name, ";" and the class name; its data is empty.
std::string HistoryValueName(std::string_view fullName, std::string_view className);

// The tree's history in stored order. A value whose name has no ";", whose class has no picture
// or whose full name came already is skipped and stays in the store. The name is split at its
// last ";", so a full name holding ";" survives.
HistoryItems LoadHistory(const SettingsStore& store, std::string_view tree);

// Appends the target to entries (text: the dotted form of name) and stores it. Nothing happens
// when the key is already there or the class has no picture; the result says whether the entry
// was added, so the caller can add it to the box too. A failing store write keeps the entry.
// The value stored is named after name as given (the caller passes the full name as key and name).
bool AddHistory(HistoryItems& entries, SettingsStore& store, std::string_view tree,
                const std::string& key, const std::string& name, const std::string& className);

// Empties entries and deletes the tree's history section; other trees' histories stay.
StoreStatus PurgeHistory(HistoryItems& entries, SettingsStore& store, std::string_view tree);

}  // namespace cvx
