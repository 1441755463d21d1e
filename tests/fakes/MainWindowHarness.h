#pragma once

#include <memory>
#include <string>
#include <vector>

#include "fakes/MemorySettingsStore.h"
#include "fakes/RecordingLauncher.h"
#include "fakes/RecordingPrompter.h"
#include "fakes/frmMainTestAccess.h"
#include "window/frmMain.h"

namespace cvx {

// A main window over a directory folder, with recorded message boxes, as the program builds it.
// Settings go to `store` when given (a real store in a test's folder), else to memory. Own
// actions are read from ownActionsFile when given; none otherwise.
struct MainWindowHarness {
  MainWindowHarness(const std::string& folder, const std::string& preferredTree,
                    std::vector<std::string> arguments, std::string programDir = "/opt/cvx/bin",
                    SettingsStore* store = nullptr, std::string ownActionsFile = {});
  // The same over a directory the test opened itself (one it can cut, for instance).
  MainWindowHarness(DirResult<DirectoryClientPtr> directory, std::vector<std::string> arguments,
                    std::string programDir = "/opt/cvx/bin", SettingsStore* store = nullptr,
                    std::string ownActionsFile = {});

  StartUpOutcome Load() { return window->Load(); }

  RecordingPrompter prompter;
  MemorySettingsStore memoryStore;
  RecordingLauncher launcher;  // what would have been started
  std::unique_ptr<frmMain> owned;
  frmMain* window = nullptr;
};

}  // namespace cvx
