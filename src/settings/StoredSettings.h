#pragma once

#include <string>
#include <vector>

namespace cvx {

// The values of a tree's "Settings" section, with the defaults a first start uses. Geometry is in
// twips.
struct StoredSettings {
  float Left = 1000;
  float Top = 1000;
  float Height = 7000;
  float Width = 8000;
  float SplitV = 3000;  // left edge of the vertical splitter
  float SplitH = 5000;  // top edge of the horizontal splitter
  float NDSColumn1 = 500;
  float NDSColumn2 = 500;
  int SearchSubordinates = 0;  // optSubOrdTree: 0 context and all subcontainers, 1 container only
  int SearchForAliases = 1;    // CheckAlias: 0 unchecked, 1 checked
  int AppendToExistingDB = 1;  // optDBfile: 0 append, 1 overwrite
  std::string SearchAnchor;    // full name; empty = none
  std::string InventoryServer;
  std::string RemoteAction = "RC";
  std::string ZWServer;
  // Read on its own (ReadCurrentContext), because its default is the browser's root.
  std::string CurrentContext;

  bool operator==(const StoredSettings&) const = default;
};

// A stored value that could not be used: its default was taken instead.
struct BadSetting {
  std::string key;
  std::string storedText;
};

struct LoadedSettings {
  StoredSettings values;
  std::vector<BadSetting> bad;
};

}  // namespace cvx
