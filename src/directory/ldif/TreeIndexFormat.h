#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace cvx {

// The index file of a tree file: a header, then its sections one after another, each a plain
// array in this machine's byte order (the cache is the machine's own):
//   identity   the files it was built from (TreeFilesIdentity), padded to 8 bytes
//   nodes      one per object in file order; node 0 is the tree object
//   classes    the class names, as places in the text
//   aliases    the aliased objects' full names, by alias
//   slots      an open-addressing table of the objects by upper-case full name
//   text       relative names, alias targets and class names
// Values are not kept: each object keeps where its record is in the tree file, which the
// identity proves unchanged, and its values are read again from there. That keeps the index a
// small part of the tree file, written in one go.

// Changed whenever what is stored, or how the loader derives it, changes.
constexpr char kTreeIndexMagic[24] = "corvexa tree index 3";

struct TreeIndexHeader {
  char magic[24];
  std::uint64_t checksum;  // of every section (TreeIndexChecksum)
  std::uint64_t identitySize, nodeCount, classCount, aliasCount, slotCount, textSize;
};

// Kept small: the nodes are most of an index, and every start reads them all.
struct TreeIndexNode {
  std::int32_t parent;  // -1 for the tree object, else an earlier node
  std::uint32_t name;
  std::uint16_t nameSize;
  std::uint16_t classAndFlags;  // the class's number, and the flags below
  std::uint32_t recordSize;     // 0 for the tree object
  std::uint64_t record;         // where the record starts in the tree file
};
static_assert(sizeof(TreeIndexNode) == 24, "no padding: every byte is checksummed");

constexpr std::uint16_t kIndexContainer = 1 << 14;
constexpr std::uint16_t kIndexAlias = 1 << 15;
constexpr std::uint16_t kIndexClassMask = kIndexContainer - 1;

struct TreeIndexText {
  std::uint32_t offset, size;
};

struct TreeIndexAlias {
  std::uint32_t node;  // in node order
  TreeIndexText target;
};

// A fast 64-bit hash, eight bytes at a time: the slots' hash of full names, and the checksum
// that tells a whole index from one cut short or overwritten.
inline std::uint64_t HashBytes(const void* data, std::size_t size, std::uint64_t h = 0) {
  constexpr std::uint64_t kMul = 0x9E3779B97F4A7C15ull;
  const auto* p = static_cast<const unsigned char*>(data);
  for (; size >= 8; p += 8, size -= 8) {
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    h = (h ^ w) * kMul;
    h ^= h >> 29;
  }
  std::uint64_t w = 0;
  if (size) std::memcpy(&w, p, size);  // an empty section may have no data at all
  h = (h ^ w ^ (static_cast<std::uint64_t>(size) << 56)) * kMul;
  return h ^ (h >> 32);
}

// HashBytes over four lanes at once, four times as fast on long sections: the checksum of a whole
// index is taken at every start.
inline std::uint64_t ChecksumBytes(const void* data, std::size_t size, std::uint64_t h) {
  constexpr std::uint64_t kMul = 0x9E3779B97F4A7C15ull;
  std::uint64_t lanes[4] = {h, h ^ 1, h ^ 2, h ^ 3};
  const auto* p = static_cast<const unsigned char*>(data);
  for (; size >= 32; p += 32, size -= 32) {
    for (int i = 0; i < 4; ++i) {
      std::uint64_t w;
      std::memcpy(&w, p + 8 * i, 8);
      lanes[i] = (lanes[i] ^ w) * kMul;
      lanes[i] ^= lanes[i] >> 29;
    }
  }
  return HashBytes(p, size, HashBytes(lanes, sizeof lanes));
}

// The sections of an index, as read or about to be written.
struct TreeIndexData {
  std::string identity;
  std::vector<TreeIndexNode> nodes;
  std::vector<TreeIndexText> classes;
  std::vector<TreeIndexAlias> aliases;
  std::vector<std::uint32_t> table;  // node + 1; 0 for an empty slot
  std::string text;

  std::string_view Text(std::uint32_t offset, std::uint32_t size) const {
    return std::string_view(text).substr(offset, size);
  }
};

inline std::size_t IdentityPadding(std::size_t size) {
  return (8 - size % 8) % 8;
}

inline std::uint64_t TreeIndexChecksum(const TreeIndexData& d) {
  const char padding[8] = {};
  std::uint64_t h = ChecksumBytes(d.identity.data(), d.identity.size(), 0);
  h = ChecksumBytes(padding, IdentityPadding(d.identity.size()), h);
  h = ChecksumBytes(d.nodes.data(), d.nodes.size() * sizeof(TreeIndexNode), h);
  h = ChecksumBytes(d.classes.data(), d.classes.size() * sizeof(TreeIndexText), h);
  h = ChecksumBytes(d.aliases.data(), d.aliases.size() * sizeof(TreeIndexAlias), h);
  h = ChecksumBytes(d.table.data(), d.table.size() * sizeof(std::uint32_t), h);
  return ChecksumBytes(d.text.data(), d.text.size(), h);
}

}  // namespace cvx
