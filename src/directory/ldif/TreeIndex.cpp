#include "directory/ldif/TreeIndex.h"

#include <fcntl.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <QDebug>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <unordered_map>
#include <utility>

#include "core/TextUtil.h"

namespace cvx {

namespace {

namespace fs = std::filesystem;

// Changed whenever what is stored, or how the loader derives it, changes: an index of another
// format is rebuilt.
constexpr const char* kFormat = "corvexa tree index 1";

constexpr int kFlagContainer = 1;
constexpr int kFlagAlias = 2;

struct DbCloser {
  void operator()(sqlite3* db) const { sqlite3_close(db); }
};
using Db = std::unique_ptr<sqlite3, DbCloser>;
struct StatementFinalizer {
  void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

Statement Prepare(sqlite3* db, const char* sql) {
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &s, nullptr);
  return Statement(s);
}

std::string_view Text(sqlite3_stmt* s, int column) {
  const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(s, column));
  return p ? std::string_view(p, static_cast<std::size_t>(sqlite3_column_bytes(s, column)))
           : std::string_view();
}

void Bind(sqlite3_stmt* s, int at, std::string_view text) {
  sqlite3_bind_text(s, at, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

// Values of a node, kept as one blob: for each value its key and its text, each preceded by its
// length (4 bytes, host order: the file never leaves this machine's cache).
void AppendPiece(std::string& out, std::string_view piece) {
  const auto n = static_cast<std::uint32_t>(piece.size());
  out.append(reinterpret_cast<const char*>(&n), sizeof n);
  out.append(piece);
}

bool NextPiece(std::string_view& blob, std::string_view& piece) {
  std::uint32_t n = 0;
  if (blob.size() < sizeof n) return false;
  std::memcpy(&n, blob.data(), sizeof n);
  blob.remove_prefix(sizeof n);
  if (blob.size() < n) return false;
  piece = blob.substr(0, n);
  blob.remove_prefix(n);
  return true;
}

std::uint64_t Fnv1a(std::string_view text) {
  std::uint64_t h = 14695981039346656037ull;
  for (unsigned char c : text) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return h;
}

class IndexedTreeSource : public TreeSource {
 public:
  IndexedTreeSource(Db db, std::string file, std::shared_ptr<const SchemaModel> schema)
      : db_(std::move(db)), file_(std::move(file)), schema_(std::move(schema)) {}

  const SchemaModel& Schema() const override { return *schema_; }

  DirResult<std::optional<SourceNode>> Find(std::string_view fullPath,
                                            bool resolveAlias) const override {
    auto found = FindOne(fullPath);
    // Alias chains are short; the bound stops a loop of aliases.
    for (int hops = 0; resolveAlias && found && *found && (*found)->isAlias && hops < 8; ++hops) {
      found = FindOne((*found)->aliasTarget);
    }
    if (found && resolveAlias && *found && (*found)->isAlias) return std::optional<SourceNode>();
    return found;
  }

  DirResult<std::vector<SourceNode>> Children(std::int64_t id) const override {
    auto* s = Use(children_,
                  "SELECT id, name, path, class, alias, flags FROM node "
                  "WHERE parent = ?1 ORDER BY id");
    if (!s) return Failed();
    sqlite3_bind_int64(s, 1, id);
    std::vector<SourceNode> out;
    int rc;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) out.push_back(Row(s));
    return Done(s, rc, std::move(out));
  }

  DirResult<std::vector<std::string>> Values(std::int64_t id,
                                             std::string_view fieldName) const override {
    auto* s = Use(values_, "SELECT data FROM value WHERE id = ?1");
    if (!s) return Failed();
    sqlite3_bind_int64(s, 1, id);
    std::vector<std::string> out;
    const std::string key = ValueKey(*schema_, fieldName);
    int rc = sqlite3_step(s);
    if (rc == SQLITE_ROW) {
      const auto* p = static_cast<const char*>(sqlite3_column_blob(s, 0));
      std::string_view blob(p ? p : "", static_cast<std::size_t>(sqlite3_column_bytes(s, 0)));
      std::string_view k, text;
      while (NextPiece(blob, k) && NextPiece(blob, text)) {
        if (k == key) out.emplace_back(text);
      }
      rc = sqlite3_step(s);
    }
    return Done(s, rc, std::move(out));
  }

  DirResult<std::vector<std::string>> Search(std::int64_t context, std::string_view pattern,
                                             const std::vector<std::string>& classes,
                                             bool subtree) const override {
    // Candidates come from an index: the names that begin with the pattern's fixed start, the
    // objects below the context by full name, or the context's own children; the pattern and
    // classes then decide.
    std::string low(pattern.substr(0, pattern.find('*')));
    for (auto& c : low) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    std::string high = low;
    while (!high.empty() && static_cast<unsigned char>(high.back()) == 0xFF) high.pop_back();
    if (!high.empty()) high.back() = static_cast<char>(high.back() + 1);

    std::string below;  // the context's full name and a backslash, for a subtree
    if (subtree && context != 0) {
      auto* s = Use(pathOf_, "SELECT path FROM node WHERE id = ?1");
      if (!s) return Failed();
      sqlite3_bind_int64(s, 1, context);
      int rc = sqlite3_step(s);
      if (rc == SQLITE_ROW) {
        below = std::string(Text(s, 0)) + "\\";
        rc = sqlite3_step(s);
      }
      if (auto done = Done(s, rc, 0); !done) return done.dirError();
    }
    sqlite3_stmt* s = nullptr;
    if (!subtree) {
      s = Use(levelSearch_, "SELECT name, path, class FROM node WHERE parent = ?1 ORDER BY id");
      if (s) sqlite3_bind_int64(s, 1, context);
    } else if (!high.empty()) {
      s = Use(nameSearch_,
              "SELECT name, path, class FROM node WHERE name >= ?1 AND name < ?2 AND id > 0 "
              "ORDER BY id");
      if (s) {
        Bind(s, 1, low);
        Bind(s, 2, high);
      }
    } else if (!below.empty()) {
      s = Use(pathSearch_,
              "SELECT name, path, class FROM node WHERE path > ?1 AND path < ?2 ORDER BY id");
      if (s) {
        Bind(s, 1, below);
        Bind(s, 2, below.substr(0, below.size() - 1) + "]");  // ']' follows '\'
      }
    } else {
      s = Use(allSearch_, "SELECT name, path, class FROM node WHERE id > 0 ORDER BY id");
    }
    if (!s) return Failed();
    std::vector<std::string> out;
    int rc;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
      const auto path = Text(s, 1);
      if (!below.empty() &&
          (path.size() <= below.size() || !EqualsNoCase(path.substr(0, below.size()), below))) {
        continue;
      }
      const auto cls = Text(s, 2);
      if (std::none_of(classes.begin(), classes.end(),
                       [&](const std::string& c) { return EqualsNoCase(c, cls); })) {
        continue;
      }
      if (WildcardMatchNoCase(pattern, Text(s, 0))) out.emplace_back(path);
    }
    return Done(s, rc, std::move(out));
  }

  DirResult<std::vector<std::string>> NamesOfClass(std::string_view className) const override {
    auto* s = Use(ofClass_, "SELECT name FROM node WHERE class = ?1 ORDER BY id");
    if (!s) return Failed();
    Bind(s, 1, className);
    std::vector<std::string> out;
    int rc;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) out.emplace_back(Text(s, 0));
    return Done(s, rc, std::move(out));
  }

 private:
  DirResult<std::optional<SourceNode>> FindOne(std::string_view fullPath) const {
    auto* s = Use(find_, "SELECT id, name, path, class, alias, flags FROM node WHERE path = ?1");
    if (!s) return Failed();
    Bind(s, 1, fullPath);
    std::optional<SourceNode> out;
    int rc = sqlite3_step(s);
    if (rc == SQLITE_ROW) {
      out = Row(s);
      rc = sqlite3_step(s);
    }
    return Done(s, rc, std::move(out));
  }

  static SourceNode Row(sqlite3_stmt* s) {
    const int flags = sqlite3_column_int(s, 5);
    return SourceNode{sqlite3_column_int64(s, 0), std::string(Text(s, 1)),
                      std::string(Text(s, 2)),    std::string(Text(s, 3)),
                      std::string(Text(s, 4)),    (flags & kFlagContainer) != 0,
                      (flags & kFlagAlias) != 0};
  }

  // A statement ready to bind, prepared on first use.
  sqlite3_stmt* Use(Statement& slot, const char* sql) const {
    if (!slot) slot = Prepare(db_.get(), sql);
    if (slot) {
      sqlite3_reset(slot.get());
      sqlite3_clear_bindings(slot.get());
    }
    return slot.get();
  }

  DirError Failed() const {
    return DirError{kDirLost,
                    "the index " + file_ + " cannot be read: " + sqlite3_errmsg(db_.get())};
  }

  template <typename T>
  DirResult<T> Done(sqlite3_stmt* s, int rc, T value) const {
    if (rc != SQLITE_DONE) {
      auto error = Failed();
      sqlite3_reset(s);
      return error;
    }
    sqlite3_reset(s);
    return value;
  }

  Db db_;
  std::string file_;
  std::shared_ptr<const SchemaModel> schema_;
  mutable Statement find_, children_, values_, pathOf_, levelSearch_, nameSearch_, pathSearch_,
      allSearch_, ofClass_;
};

// An index that turns out damaged while it is read (it matched the files when it was opened) is
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

std::optional<std::string> Exec(sqlite3* db, const char* sql) {
  char* message = nullptr;
  if (sqlite3_exec(db, sql, nullptr, nullptr, &message) == SQLITE_OK) return std::nullopt;
  std::string why = message ? message : sqlite3_errmsg(db);
  sqlite3_free(message);
  return why;
}

// Fills a new index file; the caller renames it into place.
std::optional<std::string> Fill(sqlite3* db, const std::string& identity, const TreeModel& model) {
  // Nothing here needs a journal or syncs: a file that is not complete is never renamed into
  // place, and the finished file is synced once before that.
  if (auto e = Exec(db,
                    "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; "
                    "PRAGMA locking_mode=EXCLUSIVE; PRAGMA cache_size=-32768; "
                    "BEGIN; "
                    "CREATE TABLE meta(key TEXT PRIMARY KEY, value TEXT) WITHOUT ROWID; "
                    "CREATE TABLE node(id INTEGER PRIMARY KEY, parent INTEGER, "
                    "name TEXT COLLATE NOCASE, path TEXT COLLATE NOCASE, class TEXT, "
                    "alias TEXT, flags INTEGER); "
                    "CREATE TABLE value(id INTEGER PRIMARY KEY, data BLOB);")) {
    return e;
  }
  Statement node = Prepare(db, "INSERT INTO node VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7)");
  Statement value = Prepare(db, "INSERT INTO value VALUES(?1, ?2)");
  if (!node || !value) return std::string(sqlite3_errmsg(db));
  std::unordered_map<const AttributeTypeInfo*, std::string> keys;
  std::string blob;
  for (std::size_t i = 0; i < model.Size(); ++i) {
    const TreeNode& n = model.Node(static_cast<NodeIndex>(i));
    auto* s = node.get();
    sqlite3_bind_int64(s, 1, static_cast<sqlite3_int64>(i));
    if (n.parent == kNoNode) {
      sqlite3_bind_null(s, 2);
    } else {
      sqlite3_bind_int64(s, 2, n.parent);
    }
    sqlite3_bind_text(s, 3, n.relativeName.data(), static_cast<int>(n.relativeName.size()),
                      SQLITE_STATIC);
    sqlite3_bind_text(s, 4, n.fullPath.data(), static_cast<int>(n.fullPath.size()), SQLITE_STATIC);
    sqlite3_bind_text(s, 5, n.className.data(), static_cast<int>(n.className.size()),
                      SQLITE_STATIC);
    sqlite3_bind_text(s, 6, n.aliasTarget.data(), static_cast<int>(n.aliasTarget.size()),
                      SQLITE_STATIC);
    sqlite3_bind_int(s, 7, (n.isContainer ? kFlagContainer : 0) | (n.isAlias ? kFlagAlias : 0));
    if (sqlite3_step(s) != SQLITE_DONE) return std::string(sqlite3_errmsg(db));
    sqlite3_reset(s);
    if (n.values.empty()) continue;
    blob.clear();
    for (const auto& v : n.values) {
      if (v.type) {
        auto [it, added] = keys.try_emplace(v.type);
        if (added) it->second = ToUpperAscii(v.type->ldapNames.front());
        AppendPiece(blob, it->second);
      } else {
        AppendPiece(blob, v.unknownTypeUpper);
      }
      AppendPiece(blob, v.text);
    }
    sqlite3_bind_int64(value.get(), 1, static_cast<sqlite3_int64>(i));
    sqlite3_bind_blob(value.get(), 2, blob.data(), static_cast<int>(blob.size()), SQLITE_STATIC);
    if (sqlite3_step(value.get()) != SQLITE_DONE) return std::string(sqlite3_errmsg(db));
    sqlite3_reset(value.get());
  }
  Statement meta = Prepare(db, "INSERT INTO meta VALUES(?1, ?2)");
  if (!meta) return std::string(sqlite3_errmsg(db));
  for (const auto& [key, text] : {std::pair<const char*, std::string>{"format", kFormat},
                                  std::pair<const char*, std::string>{"identity", identity}}) {
    Bind(meta.get(), 1, key);
    Bind(meta.get(), 2, text);
    if (sqlite3_step(meta.get()) != SQLITE_DONE) return std::string(sqlite3_errmsg(db));
    sqlite3_reset(meta.get());
  }
  return Exec(db,
              "CREATE UNIQUE INDEX node_path ON node(path); "
              "CREATE INDEX node_parent ON node(parent); "
              "CREATE INDEX node_name ON node(name); "
              "CREATE INDEX node_class ON node(class); "
              "COMMIT;");
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
    identity += absolute.string() + '\n' + std::to_string(st.st_size) + ' ' +
                std::to_string(st.st_mtim.tv_sec) + '.' + std::to_string(st.st_mtim.tv_nsec) + ' ' +
                std::to_string(st.st_dev) + ':' + std::to_string(st.st_ino) + '\n';
  }
  return identity;
}

std::shared_ptr<const TreeSource> OpenTreeIndex(const std::string& file,
                                                const std::string& identity,
                                                std::shared_ptr<const SchemaModel> schema,
                                                TreeReader reread) {
  sqlite3* raw = nullptr;
  const int rc =
      sqlite3_open_v2(file.c_str(), &raw, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
  Db db(raw);
  if (rc != SQLITE_OK) return nullptr;
  Statement meta = Prepare(db.get(), "SELECT key, value FROM meta");
  if (!meta) return nullptr;
  bool formatOk = false, identityOk = false;
  int step;
  while ((step = sqlite3_step(meta.get())) == SQLITE_ROW) {
    const auto key = Text(meta.get(), 0);
    const auto value = Text(meta.get(), 1);
    if (key == "format") formatOk = value == kFormat;
    if (key == "identity") identityOk = value == identity;
  }
  if (step != SQLITE_DONE || !formatOk || !identityOk) return nullptr;
  meta.reset();
  return std::make_shared<ReadOnDamage>(
      std::make_shared<IndexedTreeSource>(std::move(db), file, std::move(schema)),
      std::move(reread));
}

std::optional<std::string> WriteTreeIndex(const std::string& file, const std::string& identity,
                                          const TreeModel& model) {
  std::error_code ec;
  const fs::path target(file);
  // The cache folder is the user's own: made for the owner alone.
  if (fs::create_directories(target.parent_path(), ec)) {
    fs::permissions(target.parent_path(), fs::perms::owner_all, ec);
  }
  if (ec) return target.parent_path().string() + ": " + ec.message();
  RemoveStaleStaging(target);
  // A name no other process uses: each writes its own file, and the last rename wins.
  static std::atomic<unsigned> counter{0};
  const std::string staging =
      file + "." + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".new";
  auto failed = [&](const std::string& why) -> std::optional<std::string> {
    fs::remove(staging, ec);
    return target.parent_path().string() + ": " + why;
  };
  fs::remove(staging, ec);  // left by a crashed process of the same number
  {
    sqlite3* raw = nullptr;
    const int rc =
        sqlite3_open_v2(staging.c_str(), &raw,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    Db db(raw);
    if (rc != SQLITE_OK) return failed(raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc));
    if (auto why = Fill(db.get(), identity, model)) return failed(*why);
    if (sqlite3_close(db.release()) != SQLITE_OK) return failed("the index cannot be closed");
  }
  const int fd = ::open(staging.c_str(), O_RDONLY | O_CLOEXEC);
  const bool synced = fd >= 0 && ::fsync(fd) == 0;
  if (fd >= 0) ::close(fd);
  if (!synced) return failed(std::strerror(errno));
  if (::rename(staging.c_str(), file.c_str()) != 0) return failed(std::strerror(errno));
  return std::nullopt;
}

}  // namespace cvx
