#pragma once

#include <memory>
#include <string>
#include <vector>

#include "fakes/RecordingLauncher.h"
#include "fakes/RecordingPrompter.h"
#include "fakes/frmMainTestAccess.h"
#include "settings/LazySettingsStore.h"
#include "support/TempFolder.h"
#include "window/frmMain.h"

namespace cvx {

// A main window over a directory, with recorded message boxes, as the program builds it from a
// program folder without a database. Settings
// go to `store` when given, else to a store of its own in a fresh folder. Own actions are read
// from ownActionsFile when given; none otherwise.
struct MainWindowHarness {
  MainWindowHarness(DirResult<DirectoryClientPtr> directory, std::vector<std::string> arguments,
                    SettingsStore* store = nullptr, std::string ownActionsFile = {})
      : owned(std::make_unique<frmMain>(frmMain::Ports{
            std::move(directory), &prompter, nullptr, store ? store : &ownStore, &launcher,
            "/opt/cvx/bin", std::move(arguments), std::move(ownActionsFile)})),
        window(owned.get()) {}
  // The same over a directory folder.
  MainWindowHarness(const std::string& directoryFolder, const std::string& preferredTree,
                    std::vector<std::string> arguments, SettingsStore* store = nullptr)
      : MainWindowHarness(OpenDirectoryClient(directoryFolder, preferredTree), std::move(arguments),
                          store) {}

  StartUpOutcome Load() { return window->Load(); }

  RecordingPrompter prompter;
  test::TempFolder folder;
  LazySettingsStore ownStore{folder / "settings.sqlite3"};
  RecordingLauncher launcher;  // what would have been started
  std::unique_ptr<frmMain> owned;
  frmMain* window;
};

}  // namespace cvx
