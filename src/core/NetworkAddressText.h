#pragma once

#include <string>
#include <string_view>

namespace cvx {

// Renders a network address stored as tagged data ("type#bytes": the type in decimal digits, then
// the raw address bytes) as the text the rest of the program reads:
//   type 0 (IPX)           -> "IPX nnnnnnnn:hhhhhhhhhhhh:ssss" (network, node, socket; upper-case
//   hex) type 1 (IP)            -> "TCP a.b.c.d" type 8 (UDP), 9 (TCP)  -> "UDP a.b.c.d" / "TCP
//   a.b.c.d" (the port is left out, so a login
//                             address and a workstation's stored address give the same text)
//   anything else          -> the type number, a blank and the bytes in hex
// A value that is too short for its type, or has no tag, is rendered as hex and never read past
// its end. An empty value stays empty (a user who is not logged in).
std::string RenderNetworkAddress(std::string_view raw);
// The same, appended to `out` (a large result renders 100,000 addresses into one text).
void AppendNetworkAddress(std::string& out, std::string_view raw);

// Upper-case hex of the bytes, two digits each, no separators.
std::string HexBytes(std::string_view bytes);

}  // namespace cvx
