#pragma once

#include <QTimer>
#include <memory>

#include "directory/DirectoryClient.h"

namespace cvx {

// A real directory whose connection a test can cut: afterwards every look-up, enumeration, schema
// read and search of its controls fails with 600 (or the error given), as a directory whose server
// went away. Entries handed out before keep working. It counts look-ups, to show what was read.
class LosableDirectory : public DirectoryClient {
 public:
  explicit LosableDirectory(DirectoryClientPtr inner) : inner_(std::move(inner)) {}

  std::unique_ptr<DirectoryControl> CreateControl() override {
    return std::make_unique<Control>(inner_->CreateControl(), state_);
  }
  std::unique_ptr<SessionControl> CreateSession() override { return inner_->CreateSession(); }

  void Cut(int error = kDirLost) { state_->error = error; }
  void Restore() { state_->error = kDirOk; }
  // FindEntry calls of all its controls, failed ones included.
  int FindEntryCalls() const { return state_->findEntryCalls; }

 private:
  struct State {
    int error = kDirOk;
    int findEntryCalls = 0;
  };
  class Control : public DirectoryControl {
   public:
    Control(std::unique_ptr<DirectoryControl> inner, std::shared_ptr<State> state)
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
    std::string JoinTreePath(const std::string& tree, const std::string& path) const override {
      return inner_->JoinTreePath(tree, path);
    }
    DirResult<EntryPtr> ContextEntry() const override {
      return state_->error ? Lost() : inner_->ContextEntry();
    }
    DirResult<EntryList> ContextEntries() const override {
      return state_->error ? Lost() : inner_->ContextEntries();
    }
    DirResult<EntryPtr> FindEntry(const std::string& fullName) const override {
      ++state_->findEntryCalls;
      return state_->error ? Lost() : inner_->FindEntry(fullName);
    }
    void StartSearch(const std::string& pattern, const std::string& classes, int scope,
                     const std::string& context) override {
      if (!state_->error) return inner_->StartSearch(pattern, classes, scope, context);
      QTimer::singleShot(0, this, [this] { emit SearchCompleted(Lost()); });
    }
    DirResult<LayoutCollection> SchemaLayouts() const override {
      return state_->error ? Lost() : inner_->SchemaLayouts();
    }
    DirResult<FieldTypeCollection> FieldTypes() const override {
      return state_->error ? Lost() : inner_->FieldTypes();
    }

   private:
    DirError Lost() const { return MakeDirError(state_->error, "connection lost"); }
    std::unique_ptr<DirectoryControl> inner_;
    std::shared_ptr<State> state_;
  };

  DirectoryClientPtr inner_;
  std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace cvx
