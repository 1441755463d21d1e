#include "directory/ldif/TreeIndex.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <QDebug>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <unordered_map>
#include <utility>

#include "directory/ldif/IndexedTreeSource.h"
#include "directory/ldif/TreeIndexFormat.h"

namespace cvx {

namespace {

namespace fs = std::filesystem;

std::uint64_t Fnv1a(std::string_view text) {
  std::uint64_t h = 14695981039346656037ull;
  for (unsigned char c : text) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return h;
}

// One file's line of an identity.
std::string IdentityLine(const std::string& absolutePath, const struct stat& st) {
  return absolutePath + '\n' + std::to_string(st.st_size) + ' ' +
         std::to_string(st.st_mtim.tv_sec) + '.' + std::to_string(st.st_mtim.tv_nsec) + ' ' +
         std::to_string(st.st_dev) + ':' + std::to_string(st.st_ino) + '\n';
}

bool ReadAt(int fd, void* to, std::size_t size, std::uint64_t& at) {
  auto* p = static_cast<char*>(to);
  for (std::size_t got = 0; got < size;) {
    const ssize_t n = ::pread(fd, p + got, size - got, static_cast<off_t>(at + got));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    got += static_cast<std::size_t>(n);
  }
  at += size;
  return true;
}

bool WriteAll(int fd, const void* from, std::size_t size) {
  const auto* p = static_cast<const char*>(from);
  while (size > 0) {
    const ssize_t n = ::write(fd, p, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

// Reads a section of `count` items into `out`, refusing counts the file cannot hold.
template <typename T>
bool ReadSection(int fd, std::uint64_t count, std::uint64_t fileSize, std::uint64_t& at,
                 std::vector<T>& out) {
  if (count > fileSize / sizeof(T)) return false;
  out.resize(count);
  return ReadAt(fd, out.data(), count * sizeof(T), at);
}

// The sections of the index in `fd`, whole and built from `identity`; nothing otherwise.
std::optional<TreeIndexData> ReadIndex(int fd, const std::string& identity) {
  struct stat st {};
  TreeIndexHeader header{};
  std::uint64_t at = 0;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || !ReadAt(fd, &header, sizeof header, at) ||
      std::memcmp(header.magic, kTreeIndexMagic, sizeof header.magic) != 0 ||
      header.identitySize != identity.size()) {
    return std::nullopt;
  }
  const auto fileSize = static_cast<std::uint64_t>(st.st_size);
  TreeIndexData d;
  d.identity.resize(identity.size());
  if (!ReadAt(fd, d.identity.data(), d.identity.size(), at) || d.identity != identity) {
    return std::nullopt;  // the index of other files, or of these before they changed
  }
  at += IdentityPadding(identity.size());
  if (!ReadSection(fd, header.nodeCount, fileSize, at, d.nodes) ||
      !ReadSection(fd, header.classCount, fileSize, at, d.classes) ||
      !ReadSection(fd, header.aliasCount, fileSize, at, d.aliases) ||
      !ReadSection(fd, header.slotCount, fileSize, at, d.table) || header.textSize > fileSize) {
    return std::nullopt;
  }
  d.text.resize(header.textSize);
  if (!ReadAt(fd, d.text.data(), d.text.size(), at) || at != fileSize ||
      TreeIndexChecksum(d) != header.checksum || !CheckTreeIndex(d)) {
    return std::nullopt;
  }
  return d;
}

// The sections of a tree's index; nothing for a tree beyond what they can hold.
std::optional<TreeIndexData> IndexOf(const TreeModel& model, const std::string& identity) {
  TreeIndexData d;
  d.identity = identity;
  const std::size_t count = model.Size();
  if (count >= UINT32_MAX / 2) return std::nullopt;
  d.nodes.resize(count);
  std::unordered_map<std::string_view, std::uint16_t> classIds;
  auto keep = [&](std::string_view text) {
    const TreeIndexText kept{static_cast<std::uint32_t>(d.text.size()),
                             static_cast<std::uint32_t>(text.size())};
    d.text.append(text);
    return kept;
  };
  for (std::size_t i = 0; i < count; ++i) {
    const TreeNode& n = model.Node(static_cast<NodeIndex>(i));
    TreeIndexNode& out = d.nodes[i];
    if (n.relativeName.size() > UINT16_MAX || n.recordSize == UINT32_MAX) return std::nullopt;
    out.parent = n.parent;
    const auto name = keep(n.relativeName);
    out.name = name.offset;
    out.nameSize = static_cast<std::uint16_t>(name.size);
    const auto [cls, added] =
        classIds.try_emplace(n.className, static_cast<std::uint16_t>(classIds.size()));
    if (added) {
      if (classIds.size() > kIndexClassMask) return std::nullopt;
      d.classes.push_back(keep(n.className));
    }
    out.classAndFlags = static_cast<std::uint16_t>(
        cls->second | (n.isContainer ? kIndexContainer : 0) | (n.isAlias ? kIndexAlias : 0));
    if (n.isAlias) d.aliases.push_back({static_cast<std::uint32_t>(i), keep(n.aliasTarget)});
    out.record = n.recordOffset;
    out.recordSize = n.recordSize;
    if (d.text.size() > UINT32_MAX) return std::nullopt;
  }
  std::size_t tableSize = 16;
  while (tableSize < count * 2) tableSize *= 2;
  d.table.resize(tableSize);
  for (std::size_t i = 0; i < count; ++i) {
    const auto upper = model.UpperPath(static_cast<NodeIndex>(i));
    std::size_t at = HashBytes(upper.data(), upper.size()) & (tableSize - 1);
    while (d.table[at]) at = (at + 1) & (tableSize - 1);
    d.table[at] = static_cast<std::uint32_t>(i + 1);
  }
  return d;
}

// A tree file that turns out changed while its index is used (it matched when it was opened) is
// not fatal either: from then on the tree file is read into memory and answers instead.
class ReadOnDamage : public TreeSource {
 public:
  ReadOnDamage(std::shared_ptr<const TreeSource> index, TreeReader reread)
      : index_(std::move(index)), reread_(std::move(reread)) {}

  const SchemaModel& Schema() const override { return index_->Schema(); }
  DirResult<std::optional<SourceNode>> Find(std::string_view fullPath,
                                            bool resolveAlias) const override {
    return Ask([&](const TreeSource& t) { return t.Find(fullPath, resolveAlias); });
  }
  DirResult<std::vector<SourceNode>> Children(std::int64_t id) const override {
    return Ask([&](const TreeSource& t) { return t.Children(id); });
  }
  DirResult<std::vector<std::string>> Values(std::int64_t id,
                                             std::string_view fieldName) const override {
    return Ask([&](const TreeSource& t) { return t.Values(id, fieldName); });
  }
  DirResult<std::vector<std::string>> Search(std::int64_t context, std::string_view pattern,
                                             const std::vector<std::string>& classes,
                                             bool subtree) const override {
    return Ask([&](const TreeSource& t) { return t.Search(context, pattern, classes, subtree); });
  }
  DirResult<std::vector<std::string>> NamesOfClass(std::string_view className) const override {
    return Ask([&](const TreeSource& t) { return t.NamesOfClass(className); });
  }

 private:
  template <typename Question>
  auto Ask(Question question) const -> decltype(question(std::declval<const TreeSource&>())) {
    if (!memory_) {
      auto answer = question(*index_);
      if (answer) return answer;
      qWarning().noquote() << "cvx:" << QString::fromStdString(answer.message())
                           << "- reading the tree file instead";
      auto read = reread_();
      if (!read) return read.dirError();
      memory_ = std::move(read).value();
    }
    return question(*memory_);
  }

  std::shared_ptr<const TreeSource> index_;
  TreeReader reread_;
  mutable std::shared_ptr<const TreeSource> memory_;
};

// Staging files of this index whose writer is gone (a crash, a kill): nobody else removes them.
void RemoveStaleStaging(const fs::path& file) {
  std::error_code ec;
  const std::string prefix = file.filename().string() + ".";
  for (const auto& e : fs::directory_iterator(file.parent_path(), ec)) {
    const std::string name = e.path().filename().string();
    if (name.size() <= prefix.size() + 4 || name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - 4, 4, ".new") != 0) {
      continue;
    }
    const long pid = std::strtol(name.c_str() + prefix.size(), nullptr, 10);
    if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
      fs::remove(e.path(), ec);
    }
  }
}

}  // namespace

std::optional<std::string> TreeIndexFile(const std::string& ldifPath, const std::string& treeName) {
  fs::path base;
  const char* cache = std::getenv("XDG_CACHE_HOME");
  const char* home = std::getenv("HOME");
  if (cache && cache[0] == '/') {
    base = cache;
  } else if (home && home[0] == '/') {
    base = fs::path(home) / ".cache";
  } else {
    return std::nullopt;
  }
  std::error_code ec;
  const auto absolute = fs::absolute(ldifPath, ec);
  if (ec) return std::nullopt;
  char hash[17];
  std::snprintf(hash, sizeof hash, "%016llx",
                static_cast<unsigned long long>(Fnv1a(absolute.string())));
  return (base / "corvexa" / (treeName + "-" + hash + ".index")).string();
}

std::optional<std::string> TreeFilesIdentity(const std::string& ldifPath,
                                             const std::vector<std::string>& schemaPaths) {
  // A file written within the last moments may be written again within the same tick of the
  // file system's clock, at the same size, and still look the same: such files get no index yet.
  constexpr long kSettleSeconds = 2;
  struct timespec now {};
  ::clock_gettime(CLOCK_REALTIME, &now);
  std::string identity;
  std::vector<std::string> files{ldifPath};
  files.insert(files.end(), schemaPaths.begin(), schemaPaths.end());
  for (const auto& f : files) {
    std::error_code ec;
    const auto absolute = fs::absolute(f, ec);
    struct stat st {};
    if (ec || ::stat(absolute.c_str(), &st) != 0) return std::nullopt;
    if (st.st_mtim.tv_sec + kSettleSeconds > now.tv_sec) return std::nullopt;
    identity += IdentityLine(absolute.string(), st);
  }
  return identity;
}

std::shared_ptr<const TreeSource> OpenTreeIndex(const std::string& file,
                                                const std::string& identity,
                                                const std::string& ldifPath,
                                                std::shared_ptr<const SchemaModel> schema,
                                                TreeReader reread) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  auto index = ReadIndex(fd, identity);
  ::close(fd);
  if (!index) return nullptr;
  // The tree file, open from now on, must be the one the identity names: values are read from it.
  std::error_code ec;
  const auto absolute = fs::absolute(ldifPath, ec);
  const int ldif = ec ? -1 : ::open(absolute.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat st {};
  if (ldif < 0 || ::fstat(ldif, &st) != 0 ||
      identity.rfind(IdentityLine(absolute.string(), st), 0) != 0) {
    if (ldif >= 0) ::close(ldif);
    return nullptr;
  }
  return std::make_shared<ReadOnDamage>(
      std::make_shared<IndexedTreeSource>(std::move(*index), file, ldif, absolute.string(),
                                          std::move(schema)),
      std::move(reread));
}

std::optional<std::string> WriteTreeIndex(const std::string& file, const std::string& identity,
                                          const TreeModel& model) {
  std::error_code ec;
  const fs::path target(file);
  auto fail = [&](const std::string& why) { return target.parent_path().string() + ": " + why; };
  // The cache folder is the user's own: made for the owner alone. It comes first, so that a
  // cache that cannot be had costs no index.
  bool madeFolder = false;
  if (fs::create_directories(target.parent_path(), ec)) {
    madeFolder = true;
    fs::permissions(target.parent_path(), fs::perms::owner_all, ec);
  }
  if (ec) return fail(ec.message());
  const auto index = IndexOf(model, identity);
  if (!index) {
    if (madeFolder) fs::remove(target.parent_path(), ec);
    return fail("the tree is too large for an index");
  }
  RemoveStaleStaging(target);
  // A name no other process uses: each writes its own file, and the last rename wins.
  static std::atomic<unsigned> counter{0};
  const std::string staging =
      file + "." + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".new";
  fs::remove(staging, ec);  // left by a crashed process of the same number
  TreeIndexHeader header{};
  std::memcpy(header.magic, kTreeIndexMagic, sizeof header.magic);
  header.checksum = TreeIndexChecksum(*index);
  header.identitySize = index->identity.size();
  header.nodeCount = index->nodes.size();
  header.classCount = index->classes.size();
  header.aliasCount = index->aliases.size();
  header.slotCount = index->table.size();
  header.textSize = index->text.size();
  const char padding[8] = {};
  // Not synced: an index cut short by a crash fails its checksum and is built again, which
  // costs less than a sync at every first start.
  const int fd = ::open(staging.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  std::string error;
  if (fd < 0 || !WriteAll(fd, &header, sizeof header) ||
      !WriteAll(fd, index->identity.data(), index->identity.size()) ||
      !WriteAll(fd, padding, IdentityPadding(index->identity.size())) ||
      !WriteAll(fd, index->nodes.data(), index->nodes.size() * sizeof(TreeIndexNode)) ||
      !WriteAll(fd, index->classes.data(), index->classes.size() * sizeof(TreeIndexText)) ||
      !WriteAll(fd, index->aliases.data(), index->aliases.size() * sizeof(TreeIndexAlias)) ||
      !WriteAll(fd, index->table.data(), index->table.size() * sizeof(std::uint32_t)) ||
      !WriteAll(fd, index->text.data(), index->text.size())) {
    error = std::strerror(errno);
  }
  if (fd >= 0 && ::close(fd) != 0 && error.empty()) error = std::strerror(errno);
  if (error.empty() && ::rename(staging.c_str(), file.c_str()) != 0) error = std::strerror(errno);
  if (error.empty()) return std::nullopt;
  // No file is left behind, nor a cache folder made for it.
  fs::remove(staging, ec);
  if (madeFolder) fs::remove(target.parent_path(), ec);  // only while it is empty
  return fail(error);
}

}  // namespace cvx
