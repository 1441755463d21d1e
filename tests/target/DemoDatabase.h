#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/UNCtoDOTConversion.h"
#include "directory/DirectoryClient.h"
#include "support/RecordAppender.h"
#include "support/TempFolder.h"
#include "target/ResultEntry.h"

namespace cvx::test {

inline const std::string kCorp = R"(NDS:\\CORP\)";
using Entries = std::vector<ResultEntry>;

// The demo tree CORP and a database folder of the test's own, filled record by record.
class DemoDatabase : public ::testing::Test {
 protected:
  void SetUp() override {
    auto client = OpenDirectoryClient(CVX_DEMO_DIR, "CORP");
    ASSERT_TRUE(client) << client.message();
    client_ = *client;
    control_ = client_->CreateControl();
  }

  // A value of a demo object (path below the tree) as the directory renders it, "?" if none.
  std::string Field(const std::string& path, const char* field, std::size_t index = 0) {
    auto entry = control_->FindEntry(kCorp + path);
    if (!entry) return "?";
    auto values = (*entry)->GetFieldValue(field);
    return values && values->size() > index ? (*values)[index] : "?";
  }
  // The record of a demo workstation as a build writes it: its first two stored addresses.
  void AddWorkstation(const std::string& path) {
    const std::string second = Field(path, "WM:Network Address", 1);
    AddRecord(kCorp + path, Field(path, "WM:Network Address"), second == "?" ? "" : second);
  }
  void AddRecord(const std::string& fullName, const std::string& a1, const std::string& a2 = "") {
    const auto r = AppendWorkstationRecord(folder_.path(), "CORP", fullName, a1, a2);
    ASSERT_TRUE(r.ok()) << r.reason;
  }

  static ResultEntry Ws(const std::string& path) {
    return {kCorp + path, DottedName(kCorp + path), kIconWorkstation};
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
