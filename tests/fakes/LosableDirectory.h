#pragma once

#include <memory>

#include "directory/DirectoryClient.h"

namespace cvx {

// A real directory whose connection a test can cut: afterwards every look-up, enumeration, schema
// read and search of its controls fails with 600, as a directory whose server went away. Entries
// handed out before keep working. It also counts look-ups, so a test sees what a handler read.
class LosableDirectory : public DirectoryClient {
 public:
  explicit LosableDirectory(DirectoryClientPtr inner);

  std::unique_ptr<DirectoryControl> CreateControl() override;
  std::unique_ptr<SessionControl> CreateSession() override { return inner_->CreateSession(); }

  void Cut() { state_->lost = true; }
  void Restore() { state_->lost = false; }
  // FindEntry calls of all its controls, failed ones included.
  int FindEntryCalls() const { return state_->findEntryCalls; }

  struct State {
    bool lost = false;
    int findEntryCalls = 0;
  };

 private:
  DirectoryClientPtr inner_;
  std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace cvx
