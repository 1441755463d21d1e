#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace cvx {

// What became of the workstations a build's search found.
struct DatabaseBuildTally {
  std::size_t found = 0;           // delivered by the search
  std::size_t handled = 0;         // looked at so far
  std::size_t written = 0;         // records written
  std::size_t notLookedUp = 0;     // the look-up failed (left out, as the directory asks)
  std::size_t withoutAddress = 0;  // no "WM:Network Address" value (left out)
  // Left out because the file has no escaping: a quotation mark or line break in the name (or
  // anything else a record cannot hold) would read back as another name.
  std::vector<std::string> leftOut;
};

// How a build ended.
struct DatabaseBuildResult {
  enum class Status {
    kBuilt,          // the database holds what the search found
    kSearchFailed,   // the directory reported an error instead of results
    kLookupsFailed,  // not one workstation found could be looked up: the directory is gone
    kWriteFailed,    // a record or the finished file could not be written
  };
  Status status = Status::kBuilt;
  DatabaseBuildTally tally;
  int searchError = 0;  // the directory's number, for kSearchFailed
  std::string reason;   // what went wrong, for people
  std::string file;     // the database file
  double seconds = 0;   // from the start of the build to its end

  bool built() const { return status == Status::kBuilt; }
};

}  // namespace cvx
