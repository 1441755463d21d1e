#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cvx {

// A login address that decodes to this key is a connection through a server, not a workstation.
inline constexpr std::string_view kIgnoredAddressKey = "000000000001";

// The address key of a login address read as IPX, without looking at its type tag: the text
// after the first blank, then after the first ":", then up to the next ":". For
// "IPX nnnnnnnn:hhhhhhhhhhhh:ssss" that is the node; for "TCP a.b.c.d" the address itself.
std::string IpxAddressKey(std::string_view address);

// The address key of a login address by its type tag (the first three characters once blanks
// around the value are removed, case sensitive): "IPX" as above, "TCP" and "UDP" the text after
// the first blank. Any other tag gives nothing: the address cannot be looked up.
std::optional<std::string> DecodeAddressKey(std::string_view address);

}  // namespace cvx
