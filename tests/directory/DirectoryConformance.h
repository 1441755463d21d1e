#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "directory/DirectoryClient.h"

namespace cvx::test {

using Names = std::vector<std::string>;

// Opens a fixture (a folder under tests/data/dirs/) its own way: read in place, or served.
class DirectoryBackendFactory {
 public:
  virtual ~DirectoryBackendFactory() = default;
  virtual std::string Name() const = 0;  // for test names: letters and digits only
  virtual DirResult<DirectoryClientPtr> Open(const std::string& fixture,
                                             const std::string& preferredTree) const = 0;
};

const DirectoryBackendFactory& EmbeddedDirectoryBackend();  // read into memory on every open
const DirectoryBackendFactory& IndexedDirectoryBackend();   // answered from each tree's index
inline std::string FixtureFolder(const std::string& fixture) {
  return std::string(CVX_TEST_DATA_DIR) + "/dirs/" + fixture;
}

// Full names in the fixture "basic": trees ALPHA and BETA.
inline const std::string kAlpha = R"(NDS:\\ALPHA)";
inline const std::string kAcme = R"(NDS:\\ALPHA\ACME)";
inline const std::string kSales = R"(NDS:\\ALPHA\ACME\SALES)";
inline const std::string kEast = R"(NDS:\\ALPHA\ACME\SALES\EAST)";
inline const std::string kSupport = R"(NDS:\\ALPHA\ACME\SUPPORT)";
inline const std::string kJsmith = R"(NDS:\\ALPHA\ACME\SALES\JSMITH)";
inline const std::string kJsmithson = R"(NDS:\\ALPHA\ACME\SUPPORT\JSMITHSON)";
inline const std::string kJdoe = R"(NDS:\\ALPHA\ACME\SALES\EAST\JDOE)";
inline const std::string kJohnAlias = R"(NDS:\\ALPHA\ACME\SUPPORT\JOHN)";
inline const std::string kInitech = R"(NDS:\\ALPHA\US\INITECH)";
inline const std::string kBeta = R"(NDS:\\BETA)";
inline const std::string kBetaJsmith = R"(NDS:\\BETA\BETACORP\JSMITH)";

// Runs the event loop until `done` holds or a bound runs out; whether it holds.
bool WaitUntil(const std::function<bool()>& done);
// One search, waited for; a completion that comes at once, not through the event loop, or never,
// fails the test.
SearchOutcome SearchAndWait(DirectoryControl& control, const std::string& pattern,
                            const std::string& classes, int scope, const std::string& context);

inline bool Holds(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Answers as comparable text, a failure as "error N", so that one table row can expect either.
template <class T>
Names ErrorOf(const DirResult<T>& r) {
  return {"error " + std::to_string(r.error())};
}
inline Names Hits(const SearchOutcome& outcome) {
  return outcome ? *outcome : ErrorOf(outcome);
}
Names SortedNames(const DirResult<EntryList>& entries);
// What the control lists with `context` as its context.
inline Names Listed(DirectoryControl& control, const std::string& context) {
  control.SetContextPath(context);
  return SortedNames(control.ContextEntries());
}
// The names below an entry, or "leaf" when it is no container.
Names Below(const DirResult<EntryPtr>& entry);
// "full name (class)"; a relative name that is not the last part of the full name fails the test.
std::string Shown(const DirResult<EntryPtr>& entry);

// The suites run against every backend; each test has a control of the fixture "basic".
class DirConformance : public ::testing::TestWithParam<const DirectoryBackendFactory*> {
 protected:
  void SetUp() override { ASSERT_TRUE(control_ = Control()); }
  // The client stays open until the test ends; null, with the failure recorded, when it does not.
  DirectoryClientPtr Client(const std::string& fixture = "basic",
                            const std::string& preferredTree = "");
  std::unique_ptr<DirectoryControl> Control(const std::string& fixture = "basic",
                                            const std::string& preferredTree = "",
                                            const std::string& classFilter = "");
  std::vector<DirectoryClientPtr> clients_;
  std::unique_ptr<DirectoryControl> control_;
};

}  // namespace cvx::test

// Runs the conformance suites against one backend, inside namespace cvx::test.
#define CVX_DIRECTORY_CONFORMANCE(prefix, factory)                             \
  INSTANTIATE_TEST_SUITE_P(prefix, DirConformance, ::testing::Values(factory), \
                           [](const auto& info) { return info.param->Name(); })
