#include "wsdb/BuildContextCheck.h"

#include <array>
#include <string_view>

#include "core/PrintableText.h"

namespace cvx {

std::string BuildContextRefusal(const DirectoryControl& control, const std::string& context) {
  static constexpr std::array<std::string_view, 3> kLeafClasses = {"User", "Workstation", "Alias"};
  const auto entry = control.FindEntry(context);
  if (!entry) return {};
  const std::string className = entry.value()->Layout().Name;
  for (std::string_view leaf : kLeafClasses) {
    if (className == leaf) {
      return PrintableText(context) + " is a " + className + ", not a container";
    }
  }
  return {};
}

}  // namespace cvx
