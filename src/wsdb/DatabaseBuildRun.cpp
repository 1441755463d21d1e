#include "wsdb/DatabaseBuildRun.h"

#include "core/PrintableText.h"
#include "core/WorkstationRecord.h"

namespace cvx {

namespace {

const std::string kAddressField(kRecordAddressField);

// Records wait in memory for the end of their batch, or until there are this many bytes. The
// new file is invisible until the commit, so writing each record on its own would buy nothing:
// it made a build of 100,000 workstations 1.7 times as slow as exporting them in one go.
constexpr std::size_t kFlushBytes = 1 << 20;

// Why a text cannot be a field of a record, as the administrator is told.
std::string WhyNotRecordField(std::string_view text) {
  if (std::string reason = UnprintableReason(text); !reason.empty()) return reason;
  if (text.find('"') != std::string_view::npos) return "a quotation mark";
  return "too long";
}

}  // namespace

DatabaseBuildRun::DatabaseBuildRun(DatabaseBuildFile file, const SearchResults& names,
                                   const DirectoryControl* lookups, bool complete)
    : file_(std::move(file)), lookups_(lookups) {
  Add(names, 0, complete);
}

void DatabaseBuildRun::Add(const SearchResults& names, std::size_t from, bool last) {
  std::size_t size = names_.size();
  for (std::size_t i = from; i < names.size(); ++i) size += names[i].size();
  names_.reserve(size);
  for (std::size_t i = from; i < names.size(); ++i) {
    names_ += names[i];
    nameEnds_.push_back(names_.size());
  }
  tally_.found = nameEnds_.size();
  complete_ = last;
}

void DatabaseBuildRun::Restart() {
  pending_.clear();
  if (!file_.Rewind()) return;  // the fault ends the build
  names_.clear();
  nameEnds_.clear();
  tally_ = {};
  lookupsTried_ = lookupsDone_ = 0;
}

bool DatabaseBuildRun::Waiting() const {
  return !complete_ && tally_.handled == nameEnds_.size() && file_.ok() && !released_ &&
         lost_.empty();
}

std::string DatabaseBuildRun::Abandon() {
  file_.Abandon();
  return file_.path();
}

bool DatabaseBuildRun::Step(std::chrono::steady_clock::duration budget) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + budget;
  // The clock is read after every workstation: one look-up of a server that stops answering
  // takes up to the network timeout, and the window must get its turn after it.
  while (Going()) {
    const std::size_t i = tally_.handled++;
    const std::size_t begin = i ? nameEnds_[i - 1] : 0;
    name_.assign(names_, begin, nameEnds_[i] - begin);
    Handle(name_);
    if (Clock::now() >= deadline) break;
  }
  Flush();
  return Going();
}

bool DatabaseBuildRun::Going() const {
  return tally_.handled < nameEnds_.size() && file_.ok() && !released_ && lost_.empty();
}

void DatabaseBuildRun::Handle(const std::string& name) {
  if (!IsWritableRecordField(name)) {
    tally_.leftOut.push_back({name, WhyNotRecordField(name)});
    return;
  }
  if (!lookups_) {
    released_ = true;
    return;
  }
  // Only "no such object" is an answer about this workstation (removed since the search); any
  // other failure is the directory going away, and the records still to come would be missing
  // without a reason.
  ++lookupsTried_;
  const auto read = lookups_->ReadField(name, kAddressField, values_);
  if (!read) {
    if (read.error() == kDirNoSuchObject) {
      ++tally_.deleted;
    } else {
      Lost(name, read.error(), read.message());
    }
    return;
  }
  ++lookupsDone_;
  if (values_.empty()) {
    ++tally_.withoutAddress;
    return;
  }
  const std::string& first = values_[0];
  const std::string_view second = values_.size() > 1 ? values_[1] : std::string_view();
  if (!AppendWorkstationRecord(pending_, name, first, second)) {
    const std::string why = !IsWritableRecordField(first)    ? WhyNotRecordField(first)
                            : !IsWritableRecordField(second) ? WhyNotRecordField(second)
                                                             : "too long";
    tally_.leftOut.push_back({name, why + (why == "too long" ? "" : " in an address")});
    return;
  }
  ++tally_.written;
  if (pending_.size() >= kFlushBytes) Flush();
}

void DatabaseBuildRun::Lost(const std::string& name, int error, const std::string& message) {
  lost_ = "the look-up of " + PrintableText(name) + " failed (error " + std::to_string(error) +
          (message.empty() ? "" : ": " + PrintableText(message)) + ")";
}

void DatabaseBuildRun::Flush() {
  if (!pending_.empty()) file_.Write(pending_);
  pending_.clear();
}

DatabaseBuildResult DatabaseBuildRun::Finish() {
  using Status = DatabaseBuildResult::Status;
  Flush();
  DatabaseBuildResult r;
  r.file = file_.path();
  if (released_) {
    file_.Abandon();
    r.status = Status::kLookupsFailed;
    r.reason = "the directory control reading the workstations was released";
  } else if (!lost_.empty()) {
    file_.Abandon();
    r.status = Status::kLookupsFailed;
    r.reason = lost_;
  } else if (lookupsTried_ > 0 && lookupsDone_ == 0) {
    // Each look-up failing is a directory that went away, not a tree of vanished workstations:
    // an empty database would replace a good one.
    file_.Abandon();
    r.status = Status::kLookupsFailed;
    r.reason =
        "not one workstation could be looked up (" + std::to_string(lookupsTried_) + " tried)";
  } else if (!file_.Commit(tally_.written > 0)) {
    r.status = Status::kWriteFailed;
    r.reason = file_.reason();
  }
  r.tally = tally_;
  return r;
}

}  // namespace cvx
