#include "core/WorkstationRecord.h"

#include "core/PrintableText.h"

namespace cvx {

namespace {

// Takes one quoted field off the front of s.
std::optional<std::string_view> TakeField(std::string_view& s) {
  if (s.empty() || s.front() != '"') return std::nullopt;
  const auto close = s.find('"', 1);
  if (close == std::string_view::npos) return std::nullopt;
  const std::string_view field = s.substr(1, close - 1);
  s.remove_prefix(close + 1);
  return field;
}

}  // namespace

std::optional<WorkstationRecord> ParseWorkstationRecord(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (line.size() > kMaxRecordLength || !UnprintableReason(line).empty()) return std::nullopt;
  std::string_view rest = line;
  std::optional<std::string_view> fields[3];
  for (int i = 0; i < 3; ++i) {
    if (i > 0) {
      if (rest.empty() || rest.front() != ',') return std::nullopt;
      rest.remove_prefix(1);
    }
    fields[i] = TakeField(rest);
    if (!fields[i]) return std::nullopt;
  }
  if (!rest.empty()) return std::nullopt;
  return WorkstationRecord{*fields[0], *fields[1], *fields[2]};
}

bool IsWritableRecordField(std::string_view field) {
  // Printable ASCII, which names and addresses are, is settled in one pass of its own.
  for (const char ch : field) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x20 || c >= 0x7F || c == '"') {
      return field.find('"') == std::string_view::npos && UnprintableReason(field).empty();
    }
  }
  return true;
}

std::optional<std::string> FormatWorkstationRecord(std::string_view fullName,
                                                   std::string_view address1,
                                                   std::string_view address2) {
  std::string line;
  if (!AppendWorkstationRecord(line, fullName, address1, address2)) return std::nullopt;
  return line;
}

bool AppendWorkstationRecord(std::string& out, std::string_view fullName, std::string_view address1,
                             std::string_view address2) {
  const std::size_t length = fullName.size() + address1.size() + address2.size() + 8;
  if (length > kMaxRecordLength || !IsWritableRecordField(fullName) ||
      !IsWritableRecordField(address1) || !IsWritableRecordField(address2)) {
    return false;
  }
  out += '"';
  out += fullName;
  out += "\",\"";
  out += address1;
  out += "\",\"";
  out += address2;
  out += "\"\r\n";
  return true;
}

}  // namespace cvx
