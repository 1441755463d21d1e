#include "DirectoryConformance.h"

#include <QObject>
#include <QTimer>
#include <algorithm>
#include <regex>

namespace cvx::test {

std::string FixtureFolder(const std::string& fixtureName) {
  return std::string(CVX_TEST_DATA_DIR) + "/dirs/" + fixtureName;
}

SearchRecorder::SearchRecorder(DirectoryControl& control) {
  connection_ = QObject::connect(&control, &DirectoryControl::SearchCompleted,
                                 [this](const SearchOutcome& outcome) {
                                   completions_.push_back(outcome);
                                   if (loop_) loop_->quit();
                                 });
}

SearchRecorder::~SearchRecorder() {
  QObject::disconnect(connection_);
}

std::vector<SearchResults> SearchRecorder::Completions() const {
  std::vector<SearchResults> names;
  for (const auto& c : completions_) {
    if (!c) ADD_FAILURE() << "search failed: " << c.error() << " " << c.message();
    names.push_back(c ? c.value() : SearchResults{});
  }
  return names;
}

bool SearchRecorder::WaitFor(std::size_t count, int boundMs) {
  if (completions_.size() >= count) return true;
  QEventLoop loop;
  QTimer bound;
  bound.setSingleShot(true);
  QObject::connect(&bound, &QTimer::timeout, &loop, &QEventLoop::quit);
  bound.start(boundMs);
  loop_ = &loop;
  while (completions_.size() < count && bound.isActive()) loop.exec();
  loop_ = nullptr;
  return completions_.size() >= count;
}

DirectoryClientPtr DirectoryConformanceTest::Client(const std::string& fixture,
                                                    const std::string& preferredTree) {
  auto opened = GetParam()->Open(fixture, preferredTree);
  if (!opened) {
    ADD_FAILURE() << "cannot open fixture " << fixture << ": " << opened.message();
    return nullptr;
  }
  clients_.push_back(opened.value());
  return opened.value();
}

std::unique_ptr<DirectoryControl> DirectoryConformanceTest::Control(
    const std::string& fixture, const std::string& preferredTree, const std::string& classFilter) {
  auto client = Client(fixture, preferredTree);
  if (!client) return nullptr;
  auto control = client->CreateControl();
  if (control) control->SetClassFilter(classFilter);
  return control;
}

EntryPtr DirectoryConformanceTest::Find(const DirectoryControl& control,
                                        const std::string& fullName) {
  auto found = control.FindEntry(fullName);
  if (!found) {
    ADD_FAILURE() << "FindEntry(" << fullName << "): " << found.error() << " " << found.message();
    return nullptr;
  }
  return found.value();
}

std::vector<std::string> DirectoryConformanceTest::Listed(DirectoryControl& control,
                                                          const std::string& context) {
  control.SetContextPath(context);
  auto entries = control.ContextEntries();
  if (!entries) {
    ADD_FAILURE() << "ContextEntries of " << context << ": " << entries.message();
    return {};
  }
  return SortedNames(*entries);
}

std::vector<std::string> DirectoryConformanceTest::Values(const DirectoryControl& control,
                                                          const std::string& fullName,
                                                          const std::string& field) {
  const auto entry = Find(control, fullName);
  if (!entry) return {};
  auto values = entry->GetFieldValue(field);
  if (!values) {
    ADD_FAILURE() << field << " of " << fullName << ": " << values.message();
    return {};
  }
  return *values;
}

SearchOutcome SearchAndWait(DirectoryControl& control, const std::string& pattern,
                            const std::string& classes, int scope, const std::string& context) {
  SearchRecorder recorder(control);
  control.StartSearch(pattern, classes, scope, context);
  if (!recorder.WaitFor(1)) {
    ADD_FAILURE() << "search for " << pattern << " in " << context << " never completed";
    return MakeDirError(kDirLost, "never completed");
  }
  return recorder.Outcomes().front();
}

SearchResults DirectoryConformanceTest::Search(DirectoryControl& control,
                                               const std::string& pattern,
                                               const std::string& classes, int scope,
                                               const std::string& context) {
  auto outcome = SearchAndWait(control, pattern, classes, scope, context);
  if (!outcome) {
    ADD_FAILURE() << "search for " << pattern << " in " << context << " failed: " << outcome.error()
                  << " " << outcome.message();
    return {};
  }
  return std::move(outcome).value();
}

std::vector<std::string> SortedNames(const EntryList& entries) {
  std::vector<std::string> names;
  for (const auto& e : entries) names.push_back(e->RelativeName());
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> SortedSubNames(const EntryPtr& entry) {
  if (!entry) return {};
  auto sub = entry->SubEntries();
  if (!sub) {
    ADD_FAILURE() << "SubEntries of " << entry->FullPath() << ": " << sub.message();
    return {};
  }
  if (!sub->has_value()) {
    ADD_FAILURE() << entry->FullPath() << " is no container";
    return {};
  }
  return SortedNames(**sub);
}

bool MentionsLine(const std::string& message, const std::vector<int>& lines) {
  return std::any_of(lines.begin(), lines.end(), [&](int line) {
    return std::regex_search(message,
                             std::regex("(^|[^0-9])" + std::to_string(line) + "([^0-9]|$)"));
  });
}

}  // namespace cvx::test
