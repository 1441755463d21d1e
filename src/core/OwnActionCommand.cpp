#include "core/OwnActionCommand.h"

#include <algorithm>

#include "core/BuildRCCommand.h"
#include "core/ExecFieldCodes.h"
#include "core/TextUtil.h"
#include "core/UNCtoDOTConversion.h"

namespace cvx {

namespace {

struct FieldValue {
  char code;
  std::string value;
  const char* what;  // for the refusal
};

bool HoldsControl(std::string_view value) {
  return std::any_of(value.begin(), value.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7f;
  });
}

OwnActionCommand Refused(std::string text) {
  return {{}, std::move(text)};
}

}  // namespace

OwnActionCommand FormOwnActionCommand(const OwnAction& action, const OwnActionTarget& target) {
  const FullNameParts parts = SplitFullName(target.workstation);
  if (parts.componentsBottomUp.empty()) return Refused(std::string(kRefusedNoWorkstation));
  const std::string dotted(TrimBlanks(JoinDotted(parts.componentsBottomUp)));
  if (action.usesAddress && !target.ipv4) {
    return Refused("Not started: no IPv4 address is known for " + dotted + "!");
  }
  const std::string user =
      target.user.empty() ? std::string() : DottedName(std::string(target.user));
  const FieldValue values[] = {
      {'w', dotted, "the workstation name"},
      {'f', std::string(target.workstation), "the workstation's full name"},
      {'n', std::string(TrimBlanks(parts.tree)), "the tree name"},
      {'a', target.ipv4.value_or(std::string()), "the address"},
      {'u', user, "the user name"},
  };

  const auto valueOf = [&](char code) -> const FieldValue* {
    for (const FieldValue& v : values) {
      if (v.code == code) return &v;
    }
    return nullptr;
  };
  const auto text = [&](char code) -> std::string_view {
    const FieldValue* v = valueOf(code);
    return v ? std::string_view(v->value) : std::string_view();
  };

  OwnActionCommand command;
  for (const std::string& arg : action.arguments) {
    for (const FieldValue& v : values) {
      if (HoldsFieldCode(arg, v.code) && HoldsControl(v.value)) {
        return Refused(std::string("Not started: ") + v.what + " holds a control character!");
      }
    }
    // Judged on the argument as the program gets it: a "-" the administrator wrote is an option
    // meant, one that a value brings to the front (also behind empty values, as in "%u%w" for a
    // workstation) would let a name from the directory choose an option.
    const FieldValue* leading = valueOf(LeadingFieldCode(arg, text));
    if (leading && leading->value.starts_with('-')) {
      return Refused(std::string("Not started: ") + leading->what +
                     " starts with \"-\" and would be read as an option!");
    }
    std::string expanded = ExpandFieldCodes(arg, text);
    if (expanded.empty() && IsLoneFieldCode(arg)) continue;
    command.arguments.push_back(std::move(expanded));
  }
  return command;
}

}  // namespace cvx
