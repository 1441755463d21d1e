#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <memory>
#include <ostream>
#include <string>

#include "directory/DirectoryClient.h"
#include "support/TempFolder.h"
#include "target/ResultEntry.h"
#include "support/RecordAppender.h"

namespace cvx {
inline void PrintTo(const ResultEntry& e, std::ostream* os) {
  *os << "{" << e.key << " | " << e.text << " | " << e.icon << "}";
}
}  // namespace cvx

namespace cvx::test {

inline const std::string kCorp = R"(NDS:\\CORP\)";

// The demo tree CORP and a database folder of the test's own, filled record by record.
class DemoDatabase : public ::testing::Test {
 protected:
  void SetUp() override {
    auto client = OpenDirectoryClient(CVX_DEMO_DIR, "CORP");
    ASSERT_TRUE(client) << client.message();
    client_ = *client;
    control_ = client_->CreateControl();
  }

  // The record of a demo workstation (path below the tree) as a database build writes it: its
  // first two "WM:Network Address" values.
  void AddWorkstation(const std::string& path) {
    auto entry = control_->FindEntry(kCorp + path);
    ASSERT_TRUE(entry) << path << ": " << entry.message();
    auto values = (*entry)->GetFieldValue("WM:Network Address");
    ASSERT_TRUE(values && !values->empty()) << path;
    AddRecord(kCorp + path, (*values)[0], values->size() > 1 ? (*values)[1] : "");
  }

  void AddRecord(const std::string& fullName, const std::string& a1, const std::string& a2) {
    const auto r = AppendWorkstationRecord(folder_.path(), "CORP", fullName, a1, a2);
    ASSERT_TRUE(r.ok()) << r.reason;
  }

  void CreateEmptyDatabase() { folder_.Write("CORP.lst", ""); }

  // A "Network Address" value of a demo user, as the directory renders it.
  std::string LoginOf(const std::string& user, std::size_t index = 0) {
    auto entry = control_->FindEntry(kCorp + user);
    if (!entry) return "?";
    auto values = (*entry)->GetFieldValue("Network Address");
    return values && values->size() > index ? (*values)[index] : "?";
  }

  // The first stored address of a demo workstation.
  std::string StoredAddressOf(const std::string& path) {
    auto entry = control_->FindEntry(kCorp + path);
    if (!entry) return "?";
    auto values = (*entry)->GetFieldValue("WM:Network Address");
    return values && !values->empty() ? values->front() : "?";
  }

  static std::string Lower(std::string s) {
    for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
  }

  static ResultEntry Workstation(const std::string& path, const std::string& dotted) {
    return {kCorp + path, dotted, kIconWorkstation};
  }
  static ResultEntry NotInDatabase(const std::string& address) {
    return {"", "Workstation not in database: " + address, kIconWorkstation};
  }

  const std::string& dbPath() const { return folder_.path(); }

  TempFolder folder_;
  DirectoryClientPtr client_;
  std::unique_ptr<DirectoryControl> control_;
};

}  // namespace cvx::test
