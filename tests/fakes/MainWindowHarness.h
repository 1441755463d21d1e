#pragma once

#include <memory>
#include <string>
#include <vector>

#include "fakes/RecordingPrompter.h"
#include "window/frmMain.h"

namespace cvx {

// A main window over a directory folder, with recorded message boxes, as the program builds it.
struct MainWindowHarness {
  MainWindowHarness(const std::string& folder, const std::string& preferredTree,
                    std::vector<std::string> arguments, std::string programDir = "/opt/cvx/bin");

  RecordingPrompter prompter;
  std::unique_ptr<frmMain> window;
};

}  // namespace cvx
