#pragma once

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QMetaObject>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "DirectoryBackend.h"
#include "directory/DirectoryControl.h"

namespace cvx::test {

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

// Upper bound for any completion a test waits for.
inline constexpr int kSearchBoundMs = 5000;

// Records a control's SearchCompleted signals and waits for them on the event loop, within a bound.
class SearchRecorder {
 public:
  explicit SearchRecorder(DirectoryControl& control);
  ~SearchRecorder();
  SearchRecorder(const SearchRecorder&) = delete;
  SearchRecorder& operator=(const SearchRecorder&) = delete;

  // True once `count` completions have arrived; false when the bound ran out first.
  bool WaitFor(std::size_t count, int boundMs = kSearchBoundMs);
  // The names of each completion; a completion that carries an error records a failure.
  std::vector<SearchResults> Completions() const;
  const std::vector<SearchOutcome>& Outcomes() const { return completions_; }

 private:
  QMetaObject::Connection connection_;
  std::vector<SearchOutcome> completions_;
  QEventLoop* loop_ = nullptr;
};

// Base of every suite that runs against any backend; the parameter says which backend.
class DirectoryConformanceTest : public ::testing::TestWithParam<const DirectoryBackendFactory*> {
 protected:
  // Null, with the failure recorded, when the fixture directory does not open. The client stays
  // open until the test ends.
  DirectoryClientPtr Client(const std::string& fixture, const std::string& preferredTree = "");
  std::unique_ptr<DirectoryControl> Control(const std::string& fixture,
                                            const std::string& preferredTree = "",
                                            const std::string& classFilter = "");

  // Null, with the directory's error recorded, when the entry is not found.
  static EntryPtr Find(const DirectoryControl& control, const std::string& fullName);
  // The sorted relative names the control lists with `context` as its context.
  static std::vector<std::string> Listed(DirectoryControl& control, const std::string& context);
  // The values of one field of an entry.
  static std::vector<std::string> Values(const DirectoryControl& control,
                                         const std::string& fullName, const std::string& field);

  // Starts one search and waits for its completion; a missing completion fails the test.
  static SearchResults Search(DirectoryControl& control, const std::string& pattern,
                              const std::string& classes, int scope, const std::string& context);

 private:
  std::vector<DirectoryClientPtr> clients_;
};

// Starts one search and waits for its completion, as it arrived; a missing completion fails the
// test.
SearchOutcome SearchAndWait(DirectoryControl& control, const std::string& pattern,
                            const std::string& classes, int scope, const std::string& context);

// Relative names of entries, sorted: enumerations promise no order.
std::vector<std::string> SortedNames(const EntryList& entries);

// Sorted relative names below an entry; records a failure when the entry is not a container.
std::vector<std::string> SortedSubNames(const EntryPtr& entry);

// Whether a message names one of the lines, as a whole number.
bool MentionsLine(const std::string& message, const std::vector<int>& lines);

struct BackendName {
  std::string operator()(
      const ::testing::TestParamInfo<const DirectoryBackendFactory*>& info) const {
    return info.param->Name();
  }
};

// One suite per area, so a backend's failures read by area.
class DirEnumeration : public DirectoryConformanceTest {};
class DirLookup : public DirectoryConformanceTest {};
class DirSearch : public DirectoryConformanceTest {};
class DirSchema : public DirectoryConformanceTest {};
class DirAddress : public DirectoryConformanceTest {};
class DirTrees : public DirectoryConformanceTest {};

}  // namespace cvx::test

// Runs every conformance suite against one backend; used inside namespace cvx::test, e.g.
//   CVX_DIRECTORY_CONFORMANCE(Embedded, &EmbeddedDirectoryBackend());
#define CVX_DIRECTORY_CONFORMANCE(prefix, factory)                             \
  INSTANTIATE_TEST_SUITE_P(prefix, DirEnumeration, ::testing::Values(factory), \
                           ::cvx::test::BackendName());                        \
  INSTANTIATE_TEST_SUITE_P(prefix, DirLookup, ::testing::Values(factory),      \
                           ::cvx::test::BackendName());                        \
  INSTANTIATE_TEST_SUITE_P(prefix, DirSearch, ::testing::Values(factory),      \
                           ::cvx::test::BackendName());                        \
  INSTANTIATE_TEST_SUITE_P(prefix, DirSchema, ::testing::Values(factory),      \
                           ::cvx::test::BackendName());                        \
  INSTANTIATE_TEST_SUITE_P(prefix, DirAddress, ::testing::Values(factory),     \
                           ::cvx::test::BackendName());                        \
  INSTANTIATE_TEST_SUITE_P(prefix, DirTrees, ::testing::Values(factory), ::cvx::test::BackendName())
