#include "core/WorkstationRecord.h"

namespace cvx {

namespace {

bool IsControl(unsigned char c) {
  return c < 0x20 || c == 0x7F;
}

// Well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF) without control
// characters.
bool IsCleanUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      if (IsControl(c)) return false;
      ++i;
      continue;
    }
    std::size_t len = 0;
    unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
      len = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
      len = 3;
      if (c == 0xE0) lo = 0xA0;
      if (c == 0xED) hi = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      len = 4;
      if (c == 0xF0) lo = 0x90;
      if (c == 0xF4) hi = 0x8F;
    } else {
      return false;
    }
    if (s.size() - i < len) return false;
    const auto second = static_cast<unsigned char>(s[i + 1]);
    if (second < lo || second > hi) return false;
    for (std::size_t k = 2; k < len; ++k) {
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    }
    i += len;
  }
  return true;
}

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
  if (line.size() > kMaxRecordLength || !IsCleanUtf8(line)) return std::nullopt;
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
  return field.find('"') == std::string_view::npos && IsCleanUtf8(field);
}

std::optional<std::string> FormatWorkstationRecord(std::string_view fullName,
                                                   std::string_view address1,
                                                   std::string_view address2) {
  if (!IsWritableRecordField(fullName) || !IsWritableRecordField(address1) ||
      !IsWritableRecordField(address2)) {
    return std::nullopt;
  }
  std::string line;
  line.reserve(fullName.size() + address1.size() + address2.size() + 10);
  line += '"';
  line += fullName;
  line += "\",\"";
  line += address1;
  line += "\",\"";
  line += address2;
  line += '"';
  if (line.size() > kMaxRecordLength) return std::nullopt;
  line += "\r\n";
  return line;
}

}  // namespace cvx
