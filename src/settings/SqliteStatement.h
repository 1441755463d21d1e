#pragma once

#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace cvx {

// One prepared statement, finalized when it goes out of scope. A statement that failed to prepare
// reports the preparation's result code from every Step().
class SqliteStatement {
 public:
  SqliteStatement(sqlite3* db, const char* sql);
  ~SqliteStatement();
  SqliteStatement(const SqliteStatement&) = delete;
  SqliteStatement& operator=(const SqliteStatement&) = delete;

  // Binds the next parameter. The text must live until the last Step().
  SqliteStatement& Bind(std::string_view text);

  // SQLITE_ROW, SQLITE_DONE or an error code.
  int Step();

  bool IsNull(int column) const;
  std::string Text(int column) const;
  int Int(int column) const;

 private:
  sqlite3_stmt* stmt_ = nullptr;
  int prepareCode_ = 0;
  int nextParameter_ = 1;
};

}  // namespace cvx
