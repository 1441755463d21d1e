#include "fakes/LosableDirectory.h"

#include <QTimer>

namespace cvx {

namespace {

DirError Lost() {
  return MakeDirError(kDirLost, "connection lost");
}

class LosableControl : public DirectoryControl {
 public:
  LosableControl(std::unique_ptr<DirectoryControl> inner,
                 std::shared_ptr<LosableDirectory::State> state)
      : inner_(std::move(inner)), state_(std::move(state)) {
    connect(inner_.get(), &DirectoryControl::SearchCompleted, this,
            &DirectoryControl::SearchCompleted);
  }

  void SetClassFilter(const std::string& classes) override { inner_->SetClassFilter(classes); }
  std::string ClassFilter() const override { return inner_->ClassFilter(); }
  std::string ContextPath() const override { return inner_->ContextPath(); }
  void SetContextPath(const std::string& fullName) override { inner_->SetContextPath(fullName); }
  std::string TreeNameOf(const std::string& fullName) const override {
    return inner_->TreeNameOf(fullName);
  }
  std::string JoinTreePath(const std::string& treeName, const std::string& path) const override {
    return inner_->JoinTreePath(treeName, path);
  }
  DirResult<EntryPtr> ContextEntry() const override {
    if (state_->lost) return Lost();
    return inner_->ContextEntry();
  }
  DirResult<EntryList> ContextEntries() const override {
    if (state_->lost) return Lost();
    return inner_->ContextEntries();
  }
  DirResult<EntryPtr> FindEntry(const std::string& fullName) const override {
    ++state_->findEntryCalls;
    if (state_->lost) return Lost();
    return inner_->FindEntry(fullName);
  }
  void StartSearch(const std::string& pattern, const std::string& classes, int scope,
                   const std::string& context) override {
    if (!state_->lost) return inner_->StartSearch(pattern, classes, scope, context);
    QTimer::singleShot(0, this, [this] { emit SearchCompleted(Lost()); });
  }
  DirResult<LayoutCollection> SchemaLayouts() const override {
    if (state_->lost) return Lost();
    return inner_->SchemaLayouts();
  }
  DirResult<FieldTypeCollection> FieldTypes() const override {
    if (state_->lost) return Lost();
    return inner_->FieldTypes();
  }

 private:
  std::unique_ptr<DirectoryControl> inner_;
  std::shared_ptr<LosableDirectory::State> state_;
};

}  // namespace

LosableDirectory::LosableDirectory(DirectoryClientPtr inner) : inner_(std::move(inner)) {}

std::unique_ptr<DirectoryControl> LosableDirectory::CreateControl() {
  return std::make_unique<LosableControl>(inner_->CreateControl(), state_);
}

}  // namespace cvx
