#include "wsdb/DatabaseBuildTexts.h"

#include <algorithm>
#include <cstdio>

#include "core/PrintableText.h"

namespace cvx {

namespace {

// "a quotation mark, a control character": each reason once, in the order first met.
std::string Reasons(const std::vector<LeftOutName>& leftOut) {
  std::vector<std::string> seen;
  std::string text;
  for (const LeftOutName& n : leftOut) {
    if (std::find(seen.begin(), seen.end(), n.reason) != seen.end()) continue;
    seen.push_back(n.reason);
    text += (text.empty() ? "" : ", ") + n.reason;
  }
  return text;
}

}  // namespace

std::string GroupThousands(std::size_t n) {
  const std::string digits = std::to_string(n);
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped;
}

std::string BuildPathMissingMessage() {
  return "The path specified for using the Workstation \r\n"
         "Database could not be found!\r\n"
         "\r\n"
         "Please check your command line settings\r\n"
         "and restart Corvexa!\r\n"
         "\r\n"
         "Corvexa will now be closed!";
}

std::string BuildWriteRightsMessage(const std::string& dbPath) {
  return "You don't have sufficient write rights\r\nto the directory:\r\n\r\n" + dbPath;
}

std::string BuildTreeNameMessage(const std::string& treeName) {
  return "The tree name\r\n\r\n" + PrintableText(treeName) +
         "\r\n\r\ncannot name a Workstation Database File!";
}

std::string BuildNotKeptMessage(const std::string& reason) {
  return "The Workstation Database File cannot be replaced as it is:\r\n\r\n" +
         PrintableText(reason);
}

std::string BuildProgressText(std::size_t handled, std::size_t found) {
  return "Writing ... " + std::to_string(handled) + " of " + std::to_string(found) +
         " Workstation(s)";
}

std::string BuildFinishedText(const DatabaseBuildResult& r) {
  std::string text = "Found: " + std::to_string(r.tally.found) + " Workstation(s)";
  if (!r.tally.leftOut.empty()) {
    text +=
        " - " + std::to_string(r.tally.leftOut.size()) + " left out: " + Reasons(r.tally.leftOut);
  }
  return text;
}

std::string BuildFailedText(const DatabaseBuildResult& r) {
  using Status = DatabaseBuildResult::Status;
  std::string what;
  switch (r.status) {
    case Status::kBuilt:
      return BuildFinishedText(r);
    case Status::kSearchFailed:
      what = "Workstation search failed (error " + std::to_string(r.searchError) + ")";
      break;
    case Status::kLookupsFailed:
      what = "Workstation Database not built";
      break;
    case Status::kWriteFailed:
      what = "Workstation Database could not be written";
      break;
  }
  if (!r.reason.empty()) what += ": " + PrintableText(r.reason);
  return what + " - the previous Workstation Database was kept";
}

std::string BuildSummaryLine(const DatabaseBuildResult& r) {
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.2f", r.seconds);
  std::string line = "Workstation Database: " + std::to_string(r.tally.written) + " records in " +
                     seconds + " s, " + r.file + " (" + std::to_string(r.tally.found) + " found";
  if (!r.tally.leftOut.empty()) line += ", " + std::to_string(r.tally.leftOut.size()) + " left out";
  if (r.tally.deleted > 0) line += ", " + std::to_string(r.tally.deleted) + " removed meanwhile";
  if (r.tally.withoutAddress > 0)
    line += ", " + std::to_string(r.tally.withoutAddress) + " without an address";
  return line + ")";
}

std::vector<std::string> LeftOutLines(const DatabaseBuildResult& r) {
  std::vector<std::string> lines;
  if (r.tally.leftOut.empty()) return lines;
  lines.push_back(std::to_string(r.tally.leftOut.size()) +
                  " workstation(s) left out of the Workstation Database:");
  for (const LeftOutName& n : r.tally.leftOut)
    lines.push_back("  " + PrintableText(n.name) + " (" + n.reason + ")");
  return lines;
}

}  // namespace cvx
