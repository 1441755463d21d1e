#include "fakes/MainWindowHarness.h"

namespace cvx {

MainWindowHarness::MainWindowHarness(const std::string& folder, const std::string& preferredTree,
                                     std::vector<std::string> arguments, std::string programDir,
                                     SettingsStore* store, std::string ownActionsFile)
    : MainWindowHarness(OpenDirectoryClient(folder, preferredTree), std::move(arguments),
                        std::move(programDir), store, std::move(ownActionsFile)) {}

MainWindowHarness::MainWindowHarness(DirResult<DirectoryClientPtr> directory,
                                     std::vector<std::string> arguments, std::string programDir,
                                     SettingsStore* store, std::string ownActionsFile) {
  frmMain::Ports ports;
  ports.directory = std::move(directory);
  ports.prompter = &prompter;
  ports.settings = store ? store : &memoryStore;
  ports.launcher = &launcher;
  ports.programDir = std::move(programDir);
  ports.arguments = std::move(arguments);
  ports.ownActionsFile = std::move(ownActionsFile);
  owned = std::make_unique<frmMain>(std::move(ports));
  window = owned.get();
}

}  // namespace cvx
