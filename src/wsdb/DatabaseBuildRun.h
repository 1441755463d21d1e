#pragma once

#include <QPointer>
#include <chrono>
#include <string_view>

#include "directory/DirectoryControl.h"
#include "wsdb/DatabaseBuildFile.h"
#include "wsdb/DatabaseBuildResult.h"

namespace cvx {

// The field whose first two values make a workstation's record.
inline constexpr std::string_view kRecordAddressField = "WM:Network Address";

// The records of one build, written workstation by workstation in search order: each name is
// looked up, its first two "WM:Network Address" values make its record. A workstation removed
// since the search (601) or without an address is counted and left out, and so is a name the
// file cannot hold; any other failed look-up ends the build with the previous file kept.
// The records of a batch reach the file at its end, in one write.
class DatabaseBuildRun {
 public:
  // `lookups` reads the workstations; a control released meanwhile ends the build as failed.
  // Without `complete`, more names follow (Add) while the search goes on.
  DatabaseBuildRun(DatabaseBuildFile file, const SearchResults& names,
                   const DirectoryControl* lookups, bool complete = true);

  // More names, from the one at `from` on; with `last`, the search is done.
  void Add(const SearchResults& names, std::size_t from, bool last);
  std::size_t Received() const { return nameEnds_.size(); }
  // The names so far are void (the search started over): so is what was written of them.
  void Restart();
  // Every name given is handled and more are to come.
  bool Waiting() const;
  // Drops the new file (the search failed); gives the database's path.
  std::string Abandon();

  // Handles workstations until all are done, a write fails or `budget` has passed (always at
  // least one). True while some are left.
  bool Step(std::chrono::steady_clock::duration budget);

  const DatabaseBuildTally& tally() const { return tally_; }

  // Ends the build: puts the file in place, or keeps the previous one when the build failed.
  DatabaseBuildResult Finish();

 private:
  bool Going() const;
  void Handle(const std::string& name);
  void Lost(const std::string& name, int error, const std::string& message);
  void Flush();

  DatabaseBuildFile file_;
  // The names, one after another in one text: a string each cost 100,000 allocations.
  std::string names_;
  std::vector<std::size_t> nameEnds_;
  std::string name_;  // the one at hand
  QPointer<const DirectoryControl> lookups_;
  DatabaseBuildTally tally_;
  std::vector<std::string> values_;  // of the workstation at hand
  std::string pending_;              // records not yet written
  bool complete_ = true;             // no more names come
  bool released_ = false;            // the look-up control went away
  std::string lost_;                 // why a look-up failed other than with "no such object"
  std::size_t lookupsTried_ = 0;
  std::size_t lookupsDone_ = 0;
};

}  // namespace cvx
