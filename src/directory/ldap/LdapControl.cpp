#include "directory/ldap/LdapControl.h"

#include <QMetaObject>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <mutex>

#include "core/FullName.h"
#include "core/TextUtil.h"
#include "directory/ldap/LdapDirectory.h"
#include "directory/ldap/LdapEntry.h"
#include "directory/ldap/LdapTree.h"

namespace cvx {

// One running search, shared with the thread that runs it. The control clears `control` when it
// goes, under the lock the thread holds while it posts the completion, so a completion is
// posted only to a control that is there (and Qt drops it if the control goes before it runs).
struct LdapControl::SearchJob {
  std::mutex mutex;
  LdapControl* control = nullptr;
  std::atomic<bool> cancel{false};
};

LdapControl::LdapControl(std::shared_ptr<LdapDirectory> directory)
    : directory_(std::move(directory)),
      filter_(std::make_shared<const std::vector<std::string>>()) {}

LdapControl::~LdapControl() {
  DropDelivered();
  for (const auto& job : jobs_) {
    std::lock_guard lock(job->mutex);
    job->control = nullptr;
    job->cancel = true;
  }
}

void LdapControl::SetClassFilter(const std::string& classes) {
  filterText_ = classes;
  filter_ = std::make_shared<const std::vector<std::string>>(SplitCommaList(classes));
}

std::string LdapControl::ContextPath() const {
  return context_.empty() ? JoinFullName(directory_->DefaultTree(), "") : context_;
}

std::string LdapControl::TreeNameOf(const std::string& fullName) const {
  std::string tree = TreePartOfFullName(fullName);
  if (auto canonical = directory_->CanonicalTreeName(tree)) return *canonical;
  return tree;
}

std::string LdapControl::JoinTreePath(const std::string& treeName, const std::string& path) const {
  return JoinFullName(treeName, path);
}

DirResult<std::shared_ptr<LdapTree>> LdapControl::TreeOf(const std::string& fullName) const {
  auto tree = directory_->Tree(TreePartOfFullName(fullName));
  if (!tree) return MakeDirError(kDirNoSuchObject, fullName + " does not exist");
  return tree;
}

DirResult<LdapControl::Located> LdapControl::Locate(const std::string& fullName) const {
  auto tree = TreeOf(fullName);
  if (!tree) return tree.dirError();
  auto info = tree.value()->Info();
  if (!info) return info.dirError();
  auto found = tree.value()->Find(fullName, true);
  if (!found) return found.dirError();
  return Located{std::move(tree).value(), std::move(info).value(), std::move(found).value()};
}

DirResult<EntryPtr> LdapControl::FindEntry(const std::string& fullName) const {
  auto at = Locate(fullName);
  if (!at) return at.dirError();
  return EntryPtr(std::make_shared<LdapEntry>(at->tree, at->info->SchemaPtr(), at->data, filter_));
}

DirResult<std::size_t> LdapControl::ReadField(const std::string& fullName,
                                              const std::string& fieldName,
                                              std::vector<std::string>& values) const {
  auto at = Locate(fullName);
  if (!at) return at.dirError();
  const auto* type = at->info->Schema().FindAttribute(fieldName);
  auto data = LdapEntry::Holding(*at->tree, at->data, type);
  if (!data) return data.dirError();
  data.value()->attributes.Read(type, fieldName, values);
  return values.size();
}

DirResult<EntryPtr> LdapControl::ContextEntry() const {
  return FindEntry(ContextPath());
}

DirResult<EntryList> LdapControl::ContextEntries() const {
  const std::string context = ContextPath();
  auto tree = TreeOf(context);
  if (!tree) return tree.dirError();
  auto found = tree.value()->Find(context, true);
  if (!found) return found.dirError();
  return LdapEntry::Children(tree.value(), *found.value(), filter_);
}

void LdapControl::StartSearch(const std::string& pattern, const std::string& classes, int scope,
                              const std::string& context) {
  auto tree = TreeOf(context);
  if (!tree) {
    QTimer::singleShot(0, this, [this, error = tree.dirError()] { emit SearchCompleted(error); });
    return;
  }
  DropDelivered();
  partial_ = false;
  told_ = 0;
  auto job = std::make_shared<SearchJob>();
  job->control = this;
  jobs_.push_back(job);
  directory_->SearchThreads().start([job, tree = tree.value(), pattern, classes, scope, context,
                                     fields = searchFields_] {
    auto progress = [&](const std::shared_ptr<LdapSearchHits>& hits, bool restarted) {
      std::lock_guard lock(job->mutex);
      if (!job->control) return;
      QMetaObject::invokeMethod(
          job->control,
          [control = job->control, job, tree, hits, restarted] {
            control->Progress(job, tree, hits, restarted);
          },
          Qt::QueuedConnection);
    };
    Found found = tree->Search(pattern, classes, scope, context, fields, &job->cancel, progress);
    std::lock_guard lock(job->mutex);
    if (!job->control) return;
    QMetaObject::invokeMethod(
        job->control,
        [control = job->control, job, tree, found] { control->Complete(job, tree, found); },
        Qt::QueuedConnection);
  });
}

void LdapControl::Complete(const std::shared_ptr<SearchJob>& job,
                           const std::shared_ptr<LdapTree>& tree, Found found) {
  const bool latest = !jobs_.empty() && jobs_.back() == job;
  jobs_.erase(std::remove(jobs_.begin(), jobs_.end(), job), jobs_.end());
  if (latest) {
    if (partial_ && !found) DropDelivered();
    partial_ = false;
    told_ = 0;
  }
  if (!found) {
    emit SearchCompleted(found.dirError());
    return;
  }
  auto hits = found.value();
  found = Found(std::shared_ptr<LdapSearchHits>());
  DropDelivered();
  // The entries go on answering after the completion: whoever handles it (a database build)
  // may look the hits up in later turns of the event loop.
  delivered_ = std::make_unique<LdapTree::Delivery>(tree, hits);
  QTimer::singleShot(LdapTree::Delivery::kFreshFor, this, [this, hits = hits.get()] {
    if (delivered_ && delivered_->Hits().get() == hits) DropDelivered();
  });
  emit SearchCompleted(SearchOutcome(hits->TakeNames()));
}

void LdapControl::Progress(const std::shared_ptr<SearchJob>& job,
                           const std::shared_ptr<LdapTree>& tree,
                           const std::shared_ptr<LdapSearchHits>& hits, bool restarted) {
  if (jobs_.empty() || jobs_.back() != job) return;
  // A search asked again on a new connection has hits of its own: it started over too.
  const bool fresh = !partial_ || !delivered_ || delivered_->Hits().get() != hits.get();
  if (restarted || fresh) {
    if (told_ > 0) emit SearchRestarted();
    told_ = 0;
  }
  if (fresh) {
    DropDelivered();
    delivered_ = std::make_unique<LdapTree::Delivery>(tree, hits);
    partial_ = true;
  } else {
    delivered_->Renew();
  }
  if (restarted) return;  // the names come again
  SearchResults more = hits->NamesFrom(told_);
  told_ += more.size();
  if (!more.empty()) emit SearchProgress(more);
}

void LdapControl::DropDelivered() {
  if (!delivered_) return;
  auto hits = delivered_->Hits();
  delivered_.reset();
  // Freeing a large result takes a while; the window thread has better things to do.
  directory_->SearchThreads().start([last = std::move(hits)] {});
}

DirResult<std::shared_ptr<const SchemaModel>> LdapControl::ContextSchema() const {
  auto tree = TreeOf(ContextPath());
  if (!tree) return tree.dirError();
  auto info = tree.value()->Info();
  if (!info) return info.dirError();
  return info.value()->SchemaPtr();
}

DirResult<LayoutCollection> LdapControl::SchemaLayouts() const {
  auto schema = ContextSchema();
  if (!schema) return schema.dirError();
  return schema.value()->Layouts();
}

DirResult<FieldTypeCollection> LdapControl::FieldTypes() const {
  auto schema = ContextSchema();
  if (!schema) return schema.dirError();
  return schema.value()->FieldTypes();
}

}  // namespace cvx
