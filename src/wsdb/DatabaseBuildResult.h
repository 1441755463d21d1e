#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace cvx {

// A workstation whose record the file cannot hold (it has no escaping, so the name would read
// back as another one), and why: "a quotation mark", "a control character", "invalid UTF-8",
// "too long".
struct LeftOutName {
  std::string name;
  std::string reason;
  bool operator==(const LeftOutName&) const = default;
};

// What became of the workstations a build's search found. Every one is written or counted here
// with a reason the directory or the file gave.
struct DatabaseBuildTally {
  std::size_t found = 0;           // delivered by the search
  std::size_t handled = 0;         // looked at so far
  std::size_t written = 0;         // records written
  std::size_t deleted = 0;         // the look-up said "no such object": removed meanwhile
  std::size_t withoutAddress = 0;  // no "WM:Network Address" value (left out)
  std::vector<LeftOutName> leftOut;
};

// How a build ended.
struct DatabaseBuildResult {
  enum class Status {
    kBuilt,          // the database holds what the search found
    kSearchFailed,   // the directory reported an error instead of results
    kLookupsFailed,  // a look-up lost the directory, or not one workstation could be looked up
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
