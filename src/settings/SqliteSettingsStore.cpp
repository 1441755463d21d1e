#include "settings/SqliteSettingsStore.h"

#include <sqlite3.h>

#include <filesystem>
#include <utility>

#include "settings/SettingsSections.h"
#include "settings/SqliteStatement.h"

namespace cvx {

namespace {

// Long enough for another copy of the tool to finish its save, short enough not to hang a start.
constexpr int kBusyTimeoutMs = 5000;

constexpr const char* kCreateTable =
    "CREATE TABLE IF NOT EXISTS settings(app TEXT, section TEXT, key TEXT, value TEXT, "
    "PRIMARY KEY(app, section, key))";

// Other tools and scripts read the table, so its shape is fixed: name, type, place in the key.
struct Column {
  std::string_view name;
  int keyPosition;
};
constexpr Column kColumns[] = {{"app", 1}, {"section", 2}, {"key", 3}, {"value", 0}};

}  // namespace

SqliteSettingsStore::SqliteSettingsStore(std::string path) : path_(std::move(path)) {
  readStatus_ = Open();
  if (!readStatus_.ok && db_ != nullptr) {
    sqlite3_close(db_);
    db_ = nullptr;
  }
}

SqliteSettingsStore::~SqliteSettingsStore() {
  sqlite3_close(db_);
}

StoreStatus SqliteSettingsStore::Failure(std::string_view what, bool readable) const {
  std::string message = "Settings store ";
  message += path_;
  message += ' ';
  message += what;
  message += readable ? "; it is left as it is and this run cannot save its settings."
                      : "; it is left as it is and this run uses the default settings without "
                        "saving them.";
  return StoreStatus::Failed(std::move(message));
}

StoreStatus SqliteSettingsStore::openStatus() const {
  if (!readStatus_.ok) return readStatus_;
  if (!writeStatus_) {
    // A store that cannot take writes now (another process holds the lock) may later; only
    // success is kept.
    StoreStatus status = sqlite3_db_readonly(db_, "main") == 1
                             ? Failure("cannot be written (read-only)", true)
                             : PrepareForWriting();
    if (!status.ok) return status;
    writeStatus_ = status;
  }
  return *writeStatus_;
}

StoreStatus SqliteSettingsStore::ReadStatus() const {
  return readStatus_.ok ? readFailure_ : readStatus_;
}

void SqliteSettingsStore::NoteReadFailure(int rc) const {
  if (rc == SQLITE_ROW || rc == SQLITE_DONE || !readFailure_.ok) return;
  readFailure_ = StoreStatus::Failed("Settings store " + path_ + " cannot be read (" +
                                     sqlite3_errmsg(db_) + ")");
}

StoreStatus SqliteSettingsStore::Execute(const char* sql) const {
  char* error = nullptr;
  if (sqlite3_exec(db_, sql, nullptr, nullptr, &error) == SQLITE_OK) return StoreStatus::Ok();
  std::string message = "Settings store " + path_ + ": " + (error != nullptr ? error : "error");
  sqlite3_free(error);
  return StoreStatus::Failed(std::move(message));
}

StoreStatus SqliteSettingsStore::Open() {
  if (path_.empty()) {
    return StoreStatus::Failed(
        "No settings store: neither XDG_CONFIG_HOME nor a home folder is known; this run uses "
        "the default settings without saving them.");
  }
  std::error_code ec;
  const auto folder = std::filesystem::path(path_).parent_path();
  if (!folder.empty()) std::filesystem::create_directories(folder, ec);
  if (ec) return Failure("cannot be created (" + ec.message() + ")");

  if (sqlite3_open_v2(path_.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
      SQLITE_OK) {
    return Failure(std::string("cannot be opened (") +
                   (db_ != nullptr ? sqlite3_errmsg(db_) : "out of memory") + ")");
  }
  sqlite3_busy_timeout(db_, kBusyTimeoutMs);
  // Only what reading needs: writing is made ready at the first write, so a store that another
  // process holds locked for writing, or that is read-only, still gives its values.
  return CheckShape();
}

// Only reads: nothing is written to a file before it is known to be ours.
StoreStatus SqliteSettingsStore::CheckShape() {
  SqliteStatement objects(db_, "SELECT type, lower(tbl_name) FROM sqlite_master");
  bool hasTable = false;
  bool hasOthers = false;
  int rc;
  while ((rc = objects.Step()) == SQLITE_ROW) {
    const std::string type = objects.Text(0);
    if (objects.Text(1) != "settings") {
      hasOthers = true;
    } else if (type == "table") {
      hasTable = true;
    } else if (type != "index" && type != "trigger") {
      return Failure("holds a \"settings\" " + type + " instead of the settings table");
    }
  }
  if (rc == SQLITE_NOTADB) return Failure("is not a database");
  if (rc != SQLITE_DONE)
    return Failure(std::string("cannot be read (") + sqlite3_errmsg(db_) + ")");
  hasTable_ = hasTable;
  if (!hasTable) {
    return hasOthers ? Failure("is a database of something else (it has no settings table)")
                     : StoreStatus::Ok();
  }

  SqliteStatement columns(db_, "SELECT name, upper(type), pk FROM pragma_table_info('settings')");
  std::size_t count = 0;
  bool same = true;
  while ((rc = columns.Step()) == SQLITE_ROW) {
    same = same && count < std::size(kColumns) && columns.Text(0) == kColumns[count].name &&
           columns.Text(1) == "TEXT" && columns.Int(2) == kColumns[count].keyPosition;
    ++count;
  }
  // Sections are read in the order their keys were written, which needs the rowid.
  SqliteStatement rowid(db_, "SELECT rowid FROM settings LIMIT 0");
  if (rc != SQLITE_DONE || !same || count != std::size(kColumns) || rowid.Step() != SQLITE_DONE) {
    return Failure("has a settings table of another shape");
  }
  return StoreStatus::Ok();
}

StoreStatus SqliteSettingsStore::PrepareForWriting() const {
  // Some file systems cannot share the WAL index; the store then keeps a rollback journal,
  // which is just as safe, only slower when two copies write at once.
  Execute("PRAGMA journal_mode=WAL");
  // With WAL this never loses a commit to a crash of the process; a power cut may lose the last
  // one but never breaks the file.
  Execute("PRAGMA synchronous=NORMAL");
  StoreStatus status = Execute("BEGIN IMMEDIATE");
  if (status.ok) status.Note(Execute(kCreateTable));
  // Proves that this process may change the file (a read-only folder refuses the journal); the
  // probe row is taken back at once.
  if (status.ok) {
    status.Note(
        Execute("SAVEPOINT probe; INSERT OR REPLACE INTO settings VALUES('', '', '', ''); "
                "ROLLBACK TO probe; RELEASE probe"));
  }
  if (status.ok) status.Note(Execute("COMMIT"));
  if (status.ok) hasTable_ = true;
  if (!status.ok) {
    if (sqlite3_get_autocommit(db_) == 0) Execute("ROLLBACK");
    return Failure(std::string("cannot be written (") + sqlite3_errmsg(db_) + ")", true);
  }
  return status;
}

std::string SqliteSettingsStore::ReadValue(std::string_view section, std::string_view key,
                                           std::string_view fallback) const {
  if (db_ == nullptr || !hasTable_) return std::string(fallback);
  SqliteStatement query(db_,
                        "SELECT value FROM settings WHERE app = ? AND section = ? AND key = ?");
  query.Bind(kSettingsApp).Bind(section).Bind(key);
  const int rc = query.Step();
  NoteReadFailure(rc);
  if (rc == SQLITE_ROW && !query.IsNull(0)) return query.Text(0);
  return std::string(fallback);
}

std::vector<NamedValue> SqliteSettingsStore::ReadSection(std::string_view section) const {
  std::vector<NamedValue> values;
  if (db_ == nullptr || !hasTable_) return values;
  SqliteStatement query(
      db_, "SELECT key, value FROM settings WHERE app = ? AND section = ? ORDER BY rowid");
  query.Bind(kSettingsApp).Bind(section);
  int rc;
  while ((rc = query.Step()) == SQLITE_ROW) {
    if (!query.IsNull(0)) values.push_back(NamedValue{query.Text(0), query.Text(1)});
  }
  NoteReadFailure(rc);
  return values;
}

StoreStatus SqliteSettingsStore::WriteValue(std::string_view section, std::string_view key,
                                            std::string_view value) {
  if (auto ready = openStatus(); !ready.ok) return ready;
  // An upsert keeps the row, and with it the key's place in the section's order.
  SqliteStatement write(db_,
                        "INSERT INTO settings(app, section, key, value) VALUES(?, ?, ?, ?) "
                        "ON CONFLICT(app, section, key) DO UPDATE SET value = excluded.value");
  write.Bind(kSettingsApp).Bind(section).Bind(key).Bind(value);
  StoreStatus status;
  if (write.Step() != SQLITE_DONE) {
    status = StoreStatus::Failed("Settings store " + path_ + ": " + sqlite3_errmsg(db_));
  }
  transactionStatus_.Note(status);
  return status;
}

StoreStatus SqliteSettingsStore::DeleteSection(std::string_view section) {
  if (auto ready = openStatus(); !ready.ok) return ready;
  SqliteStatement erase(db_, "DELETE FROM settings WHERE app = ? AND section = ?");
  erase.Bind(kSettingsApp).Bind(section);
  StoreStatus status;
  if (erase.Step() != SQLITE_DONE) {
    status = StoreStatus::Failed("Settings store " + path_ + ": " + sqlite3_errmsg(db_));
  }
  transactionStatus_.Note(status);
  return status;
}

StoreStatus SqliteSettingsStore::Transaction(const std::function<void()>& writes) {
  if (auto ready = openStatus(); !ready.ok) return ready;
  if (transactionDepth_ > 0) {
    writes();
    return StoreStatus::Ok();
  }
  // IMMEDIATE takes the write lock first, waiting out the busy timeout, so a read inside cannot
  // later fail to become a write because another copy wrote in between.
  if (auto begin = Execute("BEGIN IMMEDIATE"); !begin.ok) return begin;
  transactionStatus_ = StoreStatus::Ok();
  ++transactionDepth_;
  writes();
  --transactionDepth_;
  StoreStatus result = std::exchange(transactionStatus_, StoreStatus::Ok());
  if (auto commit = Execute("COMMIT"); !commit.ok) {
    result.Note(commit);
    if (sqlite3_get_autocommit(db_) == 0) Execute("ROLLBACK");
  }
  return result;
}

}  // namespace cvx
