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

// A main window as the program builds it, with recorded message boxes; settings go to `store`, or
// to a store of its own in a fresh folder; own actions come from ownActionsFile when given.
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
