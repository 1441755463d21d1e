#include "settings/SqliteStatement.h"

#include <sqlite3.h>

namespace cvx {

SqliteStatement::SqliteStatement(sqlite3* db, const char* sql) {
  prepareCode_ = sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr);
}

SqliteStatement::~SqliteStatement() {
  sqlite3_finalize(stmt_);
}

SqliteStatement& SqliteStatement::Bind(std::string_view text) {
  if (stmt_ != nullptr) {
    // An empty view may carry a null pointer, which would bind NULL instead of empty text.
    const char* data = text.empty() ? "" : text.data();
    sqlite3_bind_text(stmt_, nextParameter_, data, static_cast<int>(text.size()), SQLITE_STATIC);
  }
  ++nextParameter_;
  return *this;
}

int SqliteStatement::Step() {
  if (stmt_ == nullptr) return prepareCode_ != SQLITE_OK ? prepareCode_ : SQLITE_MISUSE;
  return sqlite3_step(stmt_);
}

bool SqliteStatement::IsNull(int column) const {
  return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

std::string SqliteStatement::Text(int column) const {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
  if (text == nullptr) return {};
  return std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)));
}

int SqliteStatement::Int(int column) const {
  return sqlite3_column_int(stmt_, column);
}

}  // namespace cvx
