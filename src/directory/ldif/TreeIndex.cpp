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
#include <system_error>
#include <unordered_map>
#include <utility>

#include "core/TextUtil.h"

namespace cvx {

namespace {

namespace fs = std::filesystem;

// Changed whenever what is stored, or how the loader derives it, changes: an index of another
// format is rebuilt.
constexpr const char* kFormat = "corvexa tree index 2";

constexpr int kFlagContainer = 1;
constexpr int kFlagAlias = 2;

// close_v2: a connection closed while statements are still alive goes once they are finalized,
// instead of staying open for good.
struct DbCloser {
  void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
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

// Values of a node, kept as one blob: for each value the number of its key (see the table "key")
// and its text, each number a varint (the text preceded by its length).
void AppendNumber(std::string& out, std::uint64_t n) {
  while (n >= 0x80) {
    out += static_cast<char>((n & 0x7F) | 0x80);
    n >>= 7;
  }
  out += static_cast<char>(n);
}

bool NextNumber(std::string_view& blob, std::uint64_t& n) {
  n = 0;
  for (int shift = 0; shift < 64 && !blob.empty(); shift += 7) {
    const auto byte = static_cast<unsigned char>(blob.front());
    blob.remove_prefix(1);
    n |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
    if (!(byte & 0x80)) return true;
  }
  return false;
}

std::uint64_t Fnv1a(std::string_view text) {
  std::uint64_t h = 14695981039346656037ull;
  for (unsigned char c : text) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return h;
}

// Rows of the table "node": the object's number (file order), its parent's, its relative name,
// class, alias target and flags. Full names are not stored: they are the parent's and the name.
class IndexedTreeSource : public TreeSource {
 public:
  IndexedTreeSource(Db db, std::string file, std::shared_ptr<const SchemaModel> schema,
                    std::string treeName, std::unordered_map<std::string, std::uint64_t> keys)
      : db_(std::move(db)),
        file_(std::move(file)),
        schema_(std::move(schema)),
        keys_(std::move(keys)) {
    paths_.emplace(0, Place{-1, "NDS:\\\\" + treeName});
  }

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
    auto parent = PathOf(id);
    if (!parent) return parent.dirError();
    auto* s = Use(children_,
                  "SELECT id, name, class, alias, flags FROM node "
                  "WHERE parent = ?1 ORDER BY id");
    if (!s) return Failed();
    sqlite3_bind_int64(s, 1, id);
    std::vector<SourceNode> out;
    int rc;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) out.push_back(Row(s, *parent));
    return Done(s, rc, std::move(out));
  }

  DirResult<std::vector<std::string>> Values(std::int64_t id,
                                             std::string_view fieldName) const override {
    const auto key = keys_.find(ValueKey(*schema_, fieldName));
    if (key == keys_.end()) return std::vector<std::string>();  // no object has such a value
    auto* s = Use(values_, "SELECT data FROM value WHERE id = ?1");
    if (!s) return Failed();
    sqlite3_bind_int64(s, 1, id);
    std::vector<std::string> out;
    int rc = sqlite3_step(s);
    if (rc == SQLITE_ROW) {
      const auto* p = static_cast<const char*>(sqlite3_column_blob(s, 0));
      std::string_view blob(p ? p : "", static_cast<std::size_t>(sqlite3_column_bytes(s, 0)));
      std::uint64_t k = 0, length = 0;
      while (NextNumber(blob, k) && NextNumber(blob, length) && length <= blob.size()) {
        if (k == key->second) out.emplace_back(blob.substr(0, length));
        blob.remove_prefix(length);
      }
      rc = sqlite3_step(s);
    }
    return Done(s, rc, std::move(out));
  }

  DirResult<std::vector<std::string>> Search(std::int64_t context, std::string_view pattern,
                                             const std::vector<std::string>& classes,
                                             bool subtree) const override {
    // Candidates come from an index: the names that begin with the pattern's fixed start, every
    // object below the context, or the context's own children; the pattern, the classes and
    // (for names) the place below the context then decide.
    std::string low(pattern.substr(0, pattern.find('*')));
    for (auto& c : low) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    std::string high = low;
    while (!high.empty() && static_cast<unsigned char>(high.back()) == 0xFF) high.pop_back();
    if (!high.empty()) high.back() = static_cast<char>(high.back() + 1);

    sqlite3_stmt* s = nullptr;
    bool checkPlace = false;
    if (!subtree) {
      s = Use(levelSearch_,
              "SELECT id, parent, name, class FROM node WHERE parent = ?1 ORDER BY id");
      if (s) sqlite3_bind_int64(s, 1, context);
    } else if (!high.empty()) {
      s = Use(nameSearch_,
              "SELECT id, parent, name, class FROM node INDEXED BY node_name "
              "WHERE name >= ?1 AND name < ?2 AND id > 0");
      if (s) {
        Bind(s, 1, low);
        Bind(s, 2, high);
      }
      checkPlace = context != 0;
    } else {
      s = Use(treeSearch_,
              "WITH RECURSIVE below(id) AS (SELECT ?1 UNION ALL "
              "SELECT node.id FROM node JOIN below ON node.parent = below.id) "
              "SELECT id, parent, name, class FROM node WHERE id IN below AND id != ?1 "
              "ORDER BY id");
      if (s) sqlite3_bind_int64(s, 1, context);
    }
    if (!s) return Failed();
    struct Hit {
      std::int64_t id;
      std::int64_t parent;
      std::string name;
    };
    std::vector<Hit> hits;
    int rc;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
      const auto cls = Text(s, 3);
      if (std::none_of(classes.begin(), classes.end(),
                       [&](const std::string& c) { return EqualsNoCase(c, cls); })) {
        continue;
      }
      const auto name = Text(s, 2);
      if (WildcardMatchNoCase(pattern, name)) {
        hits.push_back(
            Hit{sqlite3_column_int64(s, 0), sqlite3_column_int64(s, 1), std::string(name)});
      }
    }
    if (auto done = Done(s, rc, 0); !done) return done.dirError();
    // Names come in name order from their index: back to file order.
    std::sort(hits.begin(), hits.end(), [](const Hit& a, const Hit& b) { return a.id < b.id; });
    std::vector<std::string> out;
    out.reserve(hits.size());
    for (const auto& h : hits) {
      if (checkPlace) {
        auto below = IsBelow(h.parent, context);
        if (!below) return below.dirError();
        if (!*below) continue;
      }
      auto parent = PathOf(h.parent);
      if (!parent) return parent.dirError();
      out.push_back(*parent + "\\" + h.name);
    }
    return out;
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
  // Where a container sits: its parent and full name, remembered once asked for.
  struct Place {
    std::int64_t parent;
    std::string path;
  };

  DirResult<const Place*> PlaceOf(std::int64_t id) const {
    if (const auto it = paths_.find(id); it != paths_.end()) return &it->second;
    auto* s = Use(placeOf_, "SELECT parent, name FROM node WHERE id = ?1");
    if (!s) return Failed();
    sqlite3_bind_int64(s, 1, id);
    int rc = sqlite3_step(s);
    if (rc != SQLITE_ROW) {
      const auto why =
          rc == SQLITE_DONE ? DirError{kDirLost, "the index " + file_ + " is damaged"} : Failed();
      sqlite3_reset(s);
      return why;
    }
    const std::int64_t parent = sqlite3_column_int64(s, 0);
    std::string name(Text(s, 1));
    sqlite3_reset(s);
    if (parent >= id) return DirError{kDirLost, "the index " + file_ + " is damaged"};
    auto above = PlaceOf(parent);  // parents come first: this ends at the tree object
    if (!above) return above.dirError();
    const auto [it, added] = paths_.emplace(id, Place{parent, (*above)->path + "\\" + name});
    return &it->second;
  }

  DirResult<std::string> PathOf(std::int64_t id) const {
    auto place = PlaceOf(id);
    if (!place) return place.dirError();
    return (*place)->path;
  }

  DirResult<bool> IsBelow(std::int64_t id, std::int64_t context) const {
    while (id > context) {
      auto place = PlaceOf(id);
      if (!place) return place.dirError();
      id = (*place)->parent;
    }
    return id == context;
  }

  DirResult<std::optional<SourceNode>> FindOne(std::string_view fullPath) const {
    // "NDS:\\TREE\A\B": the tree object, then one child by name for each part.
    const std::string& root = paths_.at(0).path;
    if (fullPath.size() < root.size() || !EqualsNoCase(fullPath.substr(0, root.size()), root)) {
      return std::optional<SourceNode>();
    }
    std::string_view rest = fullPath.substr(root.size());
    if (rest.empty()) {
      auto* s = Use(node_, "SELECT id, name, class, alias, flags FROM node WHERE id = 0");
      if (!s) return Failed();
      std::optional<SourceNode> out;
      int rc = sqlite3_step(s);
      if (rc == SQLITE_ROW) {
        out = Row(s, "");
        out->fullPath = root;
        rc = sqlite3_step(s);
      }
      return Done(s, rc, std::move(out));
    }
    if (rest.front() != '\\') return std::optional<SourceNode>();
    // Look-ups come in runs below the same container (a build reads every workstation): start
    // from the container when it was walked to before.
    std::int64_t at = 0;
    std::string path = root;
    const std::string upper = ToUpperAscii(fullPath);
    const auto lastPart = upper.rfind('\\');
    if (const auto known = containers_.find(upper.substr(0, lastPart));
        known != containers_.end()) {
      at = known->second;
      path = paths_.at(at).path;
      rest = fullPath.substr(lastPart);
    }
    std::optional<SourceNode> out;
    while (!rest.empty()) {
      if (out) {
        paths_.try_emplace(out->id, Place{at, out->fullPath});
        containers_.try_emplace(ToUpperAscii(out->fullPath), out->id);
        at = out->id;
        path = out->fullPath;
      }
      rest.remove_prefix(1);  // the backslash
      const auto part = rest.substr(0, rest.find('\\'));
      rest.remove_prefix(part.size());
      auto* s = Use(child_,
                    "SELECT id, name, class, alias, flags FROM node "
                    "WHERE parent = ?1 AND name = ?2");
      if (!s) return Failed();
      sqlite3_bind_int64(s, 1, at);
      Bind(s, 2, part);
      out.reset();
      int rc = sqlite3_step(s);
      if (rc == SQLITE_ROW) {
        out = Row(s, path);
        rc = sqlite3_step(s);
      }
      if (auto done = Done(s, rc, 0); !done) return done.dirError();
      if (!out) return out;
    }
    return out;
  }

  // A row of id, name, class, alias, flags below a parent of this full name.
  static SourceNode Row(sqlite3_stmt* s, const std::string& parentPath) {
    const int flags = sqlite3_column_int(s, 4);
    const auto name = Text(s, 1);
    std::string path;
    path.reserve(parentPath.size() + 1 + name.size());
    path.append(parentPath).append("\\").append(name);
    return SourceNode{
        sqlite3_column_int64(s, 0), std::string(name),       std::move(path),
        std::string(Text(s, 2)),    std::string(Text(s, 3)), (flags & kFlagContainer) != 0,
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
  std::unordered_map<std::string, std::uint64_t> keys_;  // value keys by their number
  mutable std::unordered_map<std::int64_t, Place> paths_;
  mutable std::unordered_map<std::string, std::int64_t> containers_;  // by upper-case full name
  mutable Statement node_, child_, children_, values_, placeOf_, levelSearch_, nameSearch_,
      treeSearch_, ofClass_;
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

// Starts a new index file: its tables, in one transaction that Finish commits.
std::optional<std::string> Begin(sqlite3* db) {
  // Nothing here needs a journal or syncs: a file that is not complete is never renamed into
  // place, and the finished file is synced once before that.
  return Exec(db,
              "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; "
              "PRAGMA locking_mode=EXCLUSIVE; PRAGMA cache_size=-32768; "
              "BEGIN; "
              "CREATE TABLE meta(key TEXT PRIMARY KEY, value TEXT) WITHOUT ROWID; "
              "CREATE TABLE key(id INTEGER PRIMARY KEY, name TEXT); "
              "CREATE TABLE node(id INTEGER PRIMARY KEY, parent INTEGER, "
              "name TEXT COLLATE NOCASE, class TEXT, alias TEXT, flags INTEGER); "
              "CREATE TABLE value(id INTEGER PRIMARY KEY, data BLOB);");
}

// The keys, the meta rows and the indexes (made after the rows: one sort each instead of an
// insert per row), then the commit.
std::optional<std::string> Complete(sqlite3* db, const std::string& identity,
                                    const std::vector<std::string>& keyNames) {
  Statement key = Prepare(db, "INSERT INTO key VALUES(?1, ?2)");
  Statement meta = Prepare(db, "INSERT INTO meta VALUES(?1, ?2)");
  if (!key || !meta) return std::string(sqlite3_errmsg(db));
  for (std::size_t k = 0; k < keyNames.size(); ++k) {
    sqlite3_bind_int64(key.get(), 1, static_cast<sqlite3_int64>(k));
    Bind(key.get(), 2, keyNames[k]);
    if (sqlite3_step(key.get()) != SQLITE_DONE) return std::string(sqlite3_errmsg(db));
    sqlite3_reset(key.get());
  }
  for (const auto& [k, t] : {std::pair<const char*, std::string>{"format", kFormat},
                             std::pair<const char*, std::string>{"identity", identity}}) {
    Bind(meta.get(), 1, k);
    Bind(meta.get(), 2, t);
    if (sqlite3_step(meta.get()) != SQLITE_DONE) return std::string(sqlite3_errmsg(db));
    sqlite3_reset(meta.get());
  }
  return Exec(db,
              "CREATE INDEX node_child ON node(parent, name); "
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
  std::unordered_map<std::string, std::uint64_t> keys;
  Statement key = Prepare(db.get(), "SELECT id, name FROM key");
  if (!key) return nullptr;
  while ((step = sqlite3_step(key.get())) == SQLITE_ROW) {
    keys.emplace(Text(key.get(), 1),
                 static_cast<std::uint64_t>(sqlite3_column_int64(key.get(), 0)));
  }
  if (step != SQLITE_DONE) return nullptr;
  key.reset();
  Statement root = Prepare(db.get(), "SELECT name FROM node WHERE id = 0");
  if (!root || sqlite3_step(root.get()) != SQLITE_ROW) return nullptr;
  std::string treeName(Text(root.get(), 0));
  root.reset();
  return std::make_shared<ReadOnDamage>(
      std::make_shared<IndexedTreeSource>(std::move(db), file, std::move(schema),
                                          std::move(treeName), std::move(keys)),
      std::move(reread));
}

TreeIndexWriter::TreeIndexWriter(std::string file, std::string identity)
    : file_(std::move(file)), identity_(std::move(identity)) {
  try {
    thread_ = std::thread([this] { Write(); });
  } catch (const std::system_error& e) {
    why_ = std::string("no thread to write it: ") + e.what();
    failed_ = true;
  }
}

TreeIndexWriter::~TreeIndexWriter() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard lock(mutex_);
    abandoned_ = true;
    ended_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void TreeIndexWriter::Add(const TreeModel& model, NodeIndex i) {
  if (failed_.load(std::memory_order_relaxed)) return;  // nobody would read the rows
  const TreeNode& n = model.Node(i);
  Row row{i,
          n.parent,
          std::string(n.relativeName),
          std::string(n.className),
          std::string(n.aliasTarget),
          (n.isContainer ? kFlagContainer : 0) | (n.isAlias ? kFlagAlias : 0),
          {}};
  for (const auto& v : model.Values(i)) {
    std::uint64_t key;
    if (v.type) {
      auto [it, added] = knownKeys_.try_emplace(v.type, keyNames_.size());
      if (added) keyNames_.push_back(ToUpperAscii(v.type->ldapNames.front()));
      key = it->second;
    } else {
      auto [it, added] = unknownKeys_.try_emplace(v.unknownTypeUpper, keyNames_.size());
      if (added) keyNames_.emplace_back(v.unknownTypeUpper);
      key = it->second;
    }
    AppendNumber(row.values, key);
    AppendNumber(row.values, v.text.size());
    row.values.append(v.text);
  }
  batch_.push_back(std::move(row));
  if (batch_.size() >= kBatchRows) Hand(false);
}

std::optional<std::string> TreeIndexWriter::Finish() {
  Hand(true);
  if (thread_.joinable()) thread_.join();
  return why_;
}

void TreeIndexWriter::Hand(bool last) {
  {
    std::unique_lock lock(mutex_);
    // A few batches ahead at most: the rows are a copy of the tree.
    room_.wait(lock, [this] { return queue_.size() < kBatchesAhead || ended_; });
    if (!batch_.empty()) queue_.push_back(std::move(batch_));
    if (last) {
      ended_ = true;
      keyNamesOut_ = std::move(keyNames_);
    }
  }
  batch_.clear();
  changed_.notify_all();
}

void TreeIndexWriter::Write() {
  std::error_code ec;
  const fs::path target(file_);
  const std::string staging =
      file_ + "." + std::to_string(::getpid()) + "-" + std::to_string(counter_++) + ".new";
  bool madeFolder = false;
  // No file is left behind, nor a cache folder this writer made for it.
  auto removeStaging = [&] {
    fs::remove(staging, ec);
    if (madeFolder) fs::remove(target.parent_path(), ec);  // only while it is empty
  };
  auto fail = [&](const std::string& why) {
    why_ = target.parent_path().string() + ": " + why;
    failed_ = true;
    removeStaging();
    // The loader still hands rows over until it ends: take them, and drop them.
    std::unique_lock lock(mutex_);
    while (true) {
      queue_.clear();
      room_.notify_all();
      if (ended_) return;
      changed_.wait(lock);
    }
  };
  // The cache folder is the user's own: made for the owner alone.
  if (fs::create_directories(target.parent_path(), ec)) {
    madeFolder = true;
    fs::permissions(target.parent_path(), fs::perms::owner_all, ec);
  }
  if (ec) return fail(ec.message());
  RemoveStaleStaging(target);
  // A name no other process uses: each writes its own file, and the last rename wins.
  fs::remove(staging, ec);  // left by a crashed process of the same number
  sqlite3* raw = nullptr;
  const int rc =
      sqlite3_open_v2(staging.c_str(), &raw,
                      SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
  Db db(raw);
  if (rc != SQLITE_OK) return fail(raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc));
  if (auto why = Begin(db.get())) return fail(*why);
  Statement node = Prepare(db.get(), "INSERT INTO node VALUES(?1, ?2, ?3, ?4, ?5, ?6)");
  Statement value = Prepare(db.get(), "INSERT INTO value VALUES(?1, ?2)");
  // Whatever holds objects is a container, which is known only once its first child comes.
  Statement container =
      Prepare(db.get(), "UPDATE node SET flags = flags | 1 WHERE id = ?1 AND NOT flags & 1");
  if (!node || !value || !container) return fail(sqlite3_errmsg(db.get()));
  std::vector<bool> isContainer;
  auto text = [](sqlite3_stmt* s, int at, std::string_view t) {
    sqlite3_bind_text(s, at, t.data(), static_cast<int>(t.size()), SQLITE_STATIC);
  };
  while (true) {
    std::vector<Row> rows;
    {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [this] { return !queue_.empty() || ended_; });
      if (abandoned_) {
        node.reset();
        value.reset();
        container.reset();
        db.reset();
        removeStaging();
        return;
      }
      if (queue_.empty()) break;  // ended, and every row is in
      rows = std::move(queue_.front());
      queue_.pop_front();
    }
    room_.notify_all();
    for (const Row& r : rows) {
      auto* s = node.get();
      sqlite3_bind_int64(s, 1, r.id);
      if (r.parent < 0) {
        sqlite3_bind_null(s, 2);
      } else {
        sqlite3_bind_int64(s, 2, r.parent);
      }
      text(s, 3, r.name);
      text(s, 4, r.className);
      text(s, 5, r.alias);
      sqlite3_bind_int(s, 6, r.flags);
      if (sqlite3_step(s) != SQLITE_DONE) return fail(sqlite3_errmsg(db.get()));
      sqlite3_reset(s);
      isContainer.push_back((r.flags & kFlagContainer) != 0);
      // Parents come first: r.parent is below r.id.
      if (r.parent >= 0 && static_cast<std::size_t>(r.parent) < isContainer.size() &&
          !isContainer[static_cast<std::size_t>(r.parent)]) {
        isContainer[static_cast<std::size_t>(r.parent)] = true;
        sqlite3_bind_int64(container.get(), 1, r.parent);
        if (sqlite3_step(container.get()) != SQLITE_DONE) return fail(sqlite3_errmsg(db.get()));
        sqlite3_reset(container.get());
      }
      if (r.values.empty()) continue;
      sqlite3_bind_int64(value.get(), 1, r.id);
      sqlite3_bind_blob(value.get(), 2, r.values.data(), static_cast<int>(r.values.size()),
                        SQLITE_STATIC);
      if (sqlite3_step(value.get()) != SQLITE_DONE) return fail(sqlite3_errmsg(db.get()));
      sqlite3_reset(value.get());
    }
  }
  node.reset();
  value.reset();
  container.reset();
  if (auto why = Complete(db.get(), identity_, keyNamesOut_)) return fail(*why);
  if (sqlite3_close(db.release()) != SQLITE_OK) return fail("the index cannot be closed");
  const int fd = ::open(staging.c_str(), O_RDONLY | O_CLOEXEC);
  const bool synced = fd >= 0 && ::fsync(fd) == 0;
  if (fd >= 0) ::close(fd);
  if (!synced) return fail(std::strerror(errno));
  if (::rename(staging.c_str(), file_.c_str()) != 0) return fail(std::strerror(errno));
}

std::atomic<unsigned> TreeIndexWriter::counter_{0};

}  // namespace cvx
