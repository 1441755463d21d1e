#include "directory/ldif/IndexedTreeSource.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "core/NetworkAddressText.h"
#include "core/TextUtil.h"
#include "directory/ldif/LdifRecordEntry.h"
#include "directory/ldif/LdifRecords.h"

namespace cvx {

bool CheckTreeIndex(const TreeIndexData& index) {
  const std::uint64_t text = index.text.size();
  auto inText = [&](std::uint64_t offset, std::uint64_t size) {
    return offset <= text && size <= text - offset;
  };
  const auto& nodes = index.nodes;
  const std::size_t slots = index.table.size();
  if (nodes.empty() || nodes[0].parent != -1 || slots <= nodes.size() || (slots & (slots - 1))) {
    return false;
  }
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    const auto& n = nodes[i];
    if ((i > 0 && (n.parent < 0 || static_cast<std::size_t>(n.parent) >= i)) ||
        !inText(n.name, n.nameSize) ||
        (n.classAndFlags & kIndexClassMask) >= index.classes.size()) {
      return false;
    }
  }
  std::uint32_t previous = 0;
  for (const auto& a : index.aliases) {
    if (a.node <= previous || a.node >= nodes.size() || !inText(a.target.offset, a.target.size)) {
      return false;
    }
    previous = a.node;
  }
  return std::all_of(index.classes.begin(), index.classes.end(),
                     [&](const TreeIndexText& c) { return inText(c.offset, c.size); }) &&
         std::all_of(index.table.begin(), index.table.end(),
                     [&](std::uint32_t node) { return node <= nodes.size(); });
}

IndexedTreeSource::IndexedTreeSource(TreeIndexData index, std::string file, int ldif,
                                     std::string ldifPath,
                                     std::shared_ptr<const SchemaModel> schema)
    : index_(std::move(index)),
      file_(std::move(file)),
      ldif_(ldif),
      ldifPath_(std::move(ldifPath)),
      schema_(std::move(schema)),
      root_("NDS:\\\\" + std::string(Name(0))) {}

IndexedTreeSource::~IndexedTreeSource() {
  ::close(ldif_);
}

std::string_view IndexedTreeSource::Name(std::size_t i) const {
  return index_.Text(index_.nodes[i].name, index_.nodes[i].nameSize);
}

std::string_view IndexedTreeSource::ClassName(std::size_t i) const {
  const auto& c = index_.classes[index_.nodes[i].classAndFlags & kIndexClassMask];
  return index_.Text(c.offset, c.size);
}

std::string_view IndexedTreeSource::AliasTarget(std::size_t i) const {
  if (!(index_.nodes[i].classAndFlags & kIndexAlias)) return {};
  const auto it =
      std::lower_bound(index_.aliases.begin(), index_.aliases.end(), i,
                       [](const TreeIndexAlias& a, std::size_t node) { return a.node < node; });
  if (it == index_.aliases.end() || it->node != i) return {};
  return index_.Text(it->target.offset, it->target.size);
}

std::string IndexedTreeSource::PathOf(std::size_t i) const {
  std::vector<std::string_view> parts;
  for (; i > 0; i = static_cast<std::size_t>(index_.nodes[i].parent)) parts.push_back(Name(i));
  std::string path = root_;
  for (auto part = parts.rbegin(); part != parts.rend(); ++part) path.append(1, '\\').append(*part);
  return path;
}

// Compared from the end up, name by name, without building the node's full name.
bool IndexedTreeSource::PathIs(std::size_t i, std::string_view fullPath) const {
  for (; i > 0; i = static_cast<std::size_t>(index_.nodes[i].parent)) {
    const auto name = Name(i);
    if (fullPath.size() <= name.size() ||
        !EqualsNoCase(fullPath.substr(fullPath.size() - name.size()), name) ||
        fullPath[fullPath.size() - name.size() - 1] != '\\') {
      return false;
    }
    fullPath.remove_suffix(name.size() + 1);
  }
  return EqualsNoCase(fullPath, root_);
}

std::int64_t IndexedTreeSource::FindPath(std::string_view fullPath) const {
  const std::string upper = ToUpperAscii(fullPath);
  const std::uint64_t hash = HashBytes(upper.data(), upper.size());
  const std::size_t mask = index_.table.size() - 1;
  // The table always has empty table; the bound only guards against a table that would not.
  for (std::size_t at = hash & mask, probes = 0; probes <= mask; at = (at + 1) & mask, ++probes) {
    const std::uint32_t node = index_.table[at];
    if (node == 0) break;
    if (PathIs(node - 1, fullPath)) return node - 1;
  }
  return -1;
}

SourceNode IndexedTreeSource::Describe(std::size_t i, const std::string& parentPath) const {
  const auto& n = index_.nodes[i];
  const auto name = Name(i);
  std::string path;
  if (i == 0) {
    path = root_;
  } else {
    path.reserve(parentPath.size() + 1 + name.size());
    path.append(parentPath).append(1, '\\').append(name);
  }
  return SourceNode{static_cast<std::int64_t>(i),
                    std::string(name),
                    std::move(path),
                    std::string(ClassName(i)),
                    std::string(AliasTarget(i)),
                    (n.classAndFlags & kIndexContainer) != 0,
                    (n.classAndFlags & kIndexAlias) != 0};
}

DirResult<std::optional<SourceNode>> IndexedTreeSource::Find(std::string_view fullPath,
                                                             bool resolveAlias) const {
  std::int64_t i = FindPath(fullPath);
  // Alias chains are short; the bound stops a loop of aliases.
  auto isAlias = [&](std::int64_t at) {
    return (index_.nodes[at].classAndFlags & kIndexAlias) != 0;
  };
  for (int hops = 0; resolveAlias && i >= 0 && isAlias(i) && hops < 8; ++hops) {
    i = FindPath(AliasTarget(static_cast<std::size_t>(i)));
  }
  if (i < 0 || (resolveAlias && isAlias(i))) {
    return std::optional<SourceNode>();
  }
  const auto at = static_cast<std::size_t>(i);
  return std::optional<SourceNode>(
      Describe(at, at ? PathOf(static_cast<std::size_t>(index_.nodes[at].parent)) : ""));
}

DirResult<std::vector<SourceNode>> IndexedTreeSource::Children(std::int64_t id) const {
  std::vector<SourceNode> out;
  if (id < 0 || static_cast<std::size_t>(id) >= index_.nodes.size()) return out;
  const std::string parentPath = PathOf(static_cast<std::size_t>(id));
  // Children come after their parent; a scan of the nodes is cheaper than keeping child lists.
  for (std::size_t i = static_cast<std::size_t>(id) + 1; i < index_.nodes.size(); ++i) {
    if (index_.nodes[i].parent == id) out.push_back(Describe(i, parentPath));
  }
  return out;
}

DirResult<std::vector<std::string>> IndexedTreeSource::Values(std::int64_t id,
                                                              std::string_view fieldName) const {
  std::vector<std::string> values;
  if (id <= 0 || static_cast<std::size_t>(id) >= index_.nodes.size()) return values;
  const auto& n = index_.nodes[static_cast<std::size_t>(id)];
  // Made only when it happens: a database build asks for 100,000 objects' values.
  auto changed = [this] {
    return DirError{kDirLost, "the tree file " + ldifPath_ + " no longer holds what its index " +
                                  file_ + " says"};
  };
  // The record as it is in the file, with the room after it the record reader needs.
  std::string text;
  try {
    text.resize(n.recordSize + 2);
  } catch (const std::exception&) {
    return changed();
  }
  for (std::size_t got = 0; got < n.recordSize;) {
    const ssize_t r =
        ::pread(ldif_, text.data() + got, n.recordSize - got, static_cast<off_t>(n.record + got));
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) return changed();
    got += static_cast<std::size_t>(r);
  }
  LdifRecords records(text.data(), n.recordSize);
  if (records.Count() != 1 || records.Refused()) return changed();
  const LdifRecordText record = records.Take(0);
  LdifRecordEntry entry;
  std::vector<std::string_view> rdns;
  std::vector<std::string> parsedRdns;
  if (entry.Read(record.text, record.size, record.firstLine) || !entry.IsEntry() ||
      !RdnValuesTopDown(entry.Dn(), rdns, parsedRdns) || rdns.empty() ||
      rdns.back() != Name(static_cast<std::size_t>(id))) {
    return changed();
  }
  // As the loader keeps them: a type by the schema's definition, else by its spelling in any case.
  const auto* type = schema_->FindAttribute(fieldName);
  for (const auto& attribute : entry.Attributes()) {
    const auto* found = schema_->FindAttribute(attribute.type);
    if (found != type || (!type && !EqualsNoCase(attribute.type, fieldName))) continue;
    for (const auto value : attribute.values) {
      values.push_back(type && type->isNetworkAddress ? RenderNetworkAddress(value)
                                                      : std::string(value));
    }
  }
  return values;
}

DirResult<std::vector<std::string>> IndexedTreeSource::Search(
    std::int64_t context, std::string_view pattern, const std::vector<std::string>& classes,
    bool subtree) const {
  std::vector<std::string> names;
  const auto& nodes = index_.nodes;
  if (context < 0 || static_cast<std::size_t>(context) >= nodes.size()) return names;
  std::vector<bool> classAsked(index_.classes.size());
  for (std::size_t c = 0; c < classAsked.size(); ++c) {
    const auto name = index_.Text(index_.classes[c].offset, index_.classes[c].size);
    classAsked[c] = std::any_of(classes.begin(), classes.end(), [&](const std::string& asked) {
      return EqualsNoCase(asked, name);
    });
  }
  // Parents come before their children: one pass in file order marks what lies below.
  const auto top = static_cast<std::size_t>(context);
  std::vector<bool> below(subtree ? nodes.size() - top : 0);
  if (subtree) below[0] = true;
  for (std::size_t i = top + 1; i < nodes.size(); ++i) {
    const auto parent = static_cast<std::size_t>(nodes[i].parent);
    if (subtree) {
      if (parent < top || !below[parent - top]) continue;
      below[i - top] = true;
    } else if (parent != top) {
      continue;
    }
    if (classAsked[nodes[i].classAndFlags & kIndexClassMask] &&
        WildcardMatchNoCase(pattern, Name(i))) {
      names.push_back(PathOf(i));
    }
  }
  return names;
}

DirResult<std::vector<std::string>> IndexedTreeSource::NamesOfClass(
    std::string_view className) const {
  std::vector<std::string> names;
  for (std::size_t i = 1; i < index_.nodes.size(); ++i) {
    if (ClassName(i) == className) names.emplace_back(Name(i));
  }
  return names;
}

}  // namespace cvx
