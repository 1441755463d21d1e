#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cvx {

// The IPv4 address of a network address as the directory renders it: "TCP a.b.c.d" and
// "UDP a.b.c.d" (IP addresses render as TCP) give "a.b.c.d"; IPX, other types and anything that
// is not four numbers 0..255 give nothing.
std::optional<std::string> Ipv4OfAddress(std::string_view rendered);

}  // namespace cvx
