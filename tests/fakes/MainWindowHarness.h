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

// A main window over a directory, with recorded message boxes, as the program builds it. Settings
// go to `store` when given (a real store in a test's folder), else to memory. Own actions are
// read from ownActionsFile when given; none otherwise.
struct MainWindowHarness {
  MainWindowHarness(DirResult<DirectoryClientPtr> directory, std::vector<std::string> arguments,
                    std::string programDir = "/opt/cvx/bin", SettingsStore* store = nullptr,
                    std::string ownActionsFile = {})
      : owned(std::make_unique<frmMain>(frmMain::Ports{
            std::move(directory), &prompter, nullptr, store ? store : &memoryStore, &launcher,
            std::move(programDir), std::move(arguments), std::move(ownActionsFile)})),
        window(owned.get()) {}
  // The same over a directory folder.
  MainWindowHarness(const std::string& folder, const std::string& preferredTree,
                    std::vector<std::string> arguments, std::string programDir = "/opt/cvx/bin",
                    SettingsStore* store = nullptr)
      : MainWindowHarness(OpenDirectoryClient(folder, preferredTree), std::move(arguments),
                          std::move(programDir), store) {}

  StartUpOutcome Load() { return window->Load(); }

  RecordingPrompter prompter;
  MemorySettingsStore memoryStore;
  RecordingLauncher launcher;  // what would have been started
  std::unique_ptr<frmMain> owned;
  frmMain* window;
};

}  // namespace cvx
