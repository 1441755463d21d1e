#pragma once

namespace cvx {

// How the window's start-up ended.
enum class StartUpOutcome {
  kReady,          // show the window
  kStopped,        // a step failed: show the window as far as it was prepared
  kStoppedClosed,  // a step failed in a run that closes by itself: the window was unloaded
  kHelpRun,        // only the help window is left
  kUnloaded,       // the start-up build closes the run: the window was unloaded, never shown
  kClientMissing,  // the directory cannot be used: the message was shown, end with status 1
};

}  // namespace cvx
