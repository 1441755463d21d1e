// The workstation database reader: the input's first line is the key looked up, the rest is the
// tree's database file. The block-wise search must give what a plain line-by-line reading gives,
// and every record it accepts must survive being written and read again.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "ScratchFolder.h"
#include "core/AddressKeyMatch.h"
#include "core/WorkstationRecord.h"
#include "wsdb/Windows1252.h"
#include "wsdb/WorkstationDatabaseFile.h"

namespace {

std::optional<std::string> FirstMatchLineByLine(std::string_view file, std::string_view key) {
  if (!cvx::IsMatchableKey(key)) return std::nullopt;
  // Lines that are not UTF-8 are read as Windows-1252, for the ASCII keys addresses give.
  const bool ascii = std::all_of(key.begin(), key.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  while (!file.empty()) {
    const auto lf = file.find('\n');
    std::string converted;
    const auto record = ascii ? cvx::ParseDatabaseLine(file.substr(0, lf), converted)
                              : cvx::ParseWorkstationRecord(file.substr(0, lf));
    if (record && cvx::RecordMatchesKey(*record, key)) return std::string(record->fullName);
    file.remove_prefix(lf == std::string_view::npos ? file.size() : lf + 1);
  }
  return std::nullopt;
}

void CheckRecordsRoundTrip(std::string_view file) {
  while (!file.empty()) {
    const auto lf = file.find('\n');
    if (const auto record = cvx::ParseWorkstationRecord(file.substr(0, lf))) {
      const auto line =
          cvx::FormatWorkstationRecord(record->fullName, record->address1, record->address2);
      CVX_FUZZ_CHECK(line.has_value() && line->ends_with("\r\n"));
      const auto again =
          cvx::ParseWorkstationRecord(std::string_view(*line).substr(0, line->size() - 1));
      CVX_FUZZ_CHECK(again && again->fullName == record->fullName &&
                     again->address1 == record->address1 && again->address2 == record->address2);
    }
    file.remove_prefix(lf == std::string_view::npos ? file.size() : lf + 1);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const cvx::ScratchFolder folder;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const auto lf = input.find('\n');
  const std::string key(input.substr(0, lf));
  const std::string_view file =
      lf == std::string_view::npos ? std::string_view() : input.substr(lf + 1);
  folder.Write("FUZZ.lst", std::string(file));

  const cvx::DatabaseLookup found = cvx::LookupWorkstation(folder.path(), "FUZZ", key);
  CVX_FUZZ_CHECK(found.fault == cvx::DatabaseFault::kNone);
  CVX_FUZZ_CHECK(found.fullName == FirstMatchLineByLine(file, key));
  CheckRecordsRoundTrip(file);
  return 0;
}
