#include "DirectoryConformance.h"

#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <optional>

namespace cvx::test {

bool WaitUntil(const std::function<bool()>& done) {
  QEventLoop loop;
  QTimer poll, bound;
  QObject::connect(&poll, &QTimer::timeout, [&] { done() ? loop.quit() : void(); });
  QObject::connect(&bound, &QTimer::timeout, &loop, &QEventLoop::quit);
  poll.start(1);
  bound.start(5000);
  if (!done()) loop.exec();
  return done();
}

SearchOutcome SearchAndWait(DirectoryControl& control, const std::string& pattern,
                            const std::string& classes, int scope, const std::string& context) {
  std::optional<SearchOutcome> outcome;
  QObject receiver;
  QObject::connect(&control, &DirectoryControl::SearchCompleted, &receiver,
                   [&](const SearchOutcome& o) { outcome = o; });
  control.StartSearch(pattern, classes, scope, context);
  EXPECT_FALSE(outcome) << "completed inside StartSearch, not through the event loop";
  if (WaitUntil([&] { return outcome.has_value(); })) return *outcome;
  ADD_FAILURE() << "search for " << pattern << " in " << context << " never completed";
  return MakeDirError(kDirLost, "never completed");
}

Names SortedNames(const DirResult<EntryList>& entries) {
  if (!entries) return ErrorOf(entries);
  Names names;
  for (const auto& e : *entries) names.push_back(e->RelativeName());
  std::sort(names.begin(), names.end());
  return names;
}

Names Below(const DirResult<EntryPtr>& entry) {
  if (!entry) return ErrorOf(entry);
  auto sub = (*entry)->SubEntries();
  if (!sub) return ErrorOf(sub);
  return sub->has_value() ? SortedNames(**sub) : Names{"leaf"};
}

std::string Shown(const DirResult<EntryPtr>& entry) {
  if (!entry) return ErrorOf(entry).front();
  const std::string full = (*entry)->FullPath();
  EXPECT_TRUE(full.ends_with("\\" + (*entry)->RelativeName())) << full;
  return full + " (" + (*entry)->Layout().Name + ")";
}

DirectoryClientPtr DirConformance::Client(const std::string& fixture,
                                          const std::string& preferredTree) {
  auto opened = GetParam()->Open(fixture, preferredTree);
  if (!opened) {
    ADD_FAILURE() << "cannot open fixture " << fixture << ": " << opened.message();
    return nullptr;
  }
  clients_.push_back(opened.value());
  return opened.value();
}

std::unique_ptr<DirectoryControl> DirConformance::Control(const std::string& fixture,
                                                          const std::string& preferredTree,
                                                          const std::string& classFilter) {
  auto client = Client(fixture, preferredTree);
  if (!client) return nullptr;
  auto control = client->CreateControl();
  control->SetClassFilter(classFilter);
  return control;
}

}  // namespace cvx::test
