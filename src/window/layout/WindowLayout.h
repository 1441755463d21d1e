#pragma once

#include <QString>
#include <memory>
#include <string>

class QMainWindow;

namespace cvx {

class MainWindowHelp;
class SplitterDrag;
class StatusBarEvents;
struct MainWindowControls;
struct PageState;
struct StartOptions;

// The narrowest the main window may be, in twips; there is no lowest height.
inline constexpr double kMinimumWindowWidth = 3000;

// The caption of the window in its normal state, and the short one it has while minimized.
QString FullCaption(const std::string& treeName);
QString MinimizedCaption(const std::string& treeName);

// The window's layout: its resize handler, the splits of page 1 and their drag bars, the status
// bar's panels as buttons, and the help window F1 opens.
class WindowLayout {
 public:
  WindowLayout(QMainWindow& window, MainWindowControls& ui, PageState& pages,
               const StartOptions& start);
  ~WindowLayout();

  // The window's resize handler, also run when its state changes. Minimized: only the short
  // caption. Otherwise the full caption, the minimum width, every control placed for the new
  // size with the splits where they were, and the focus in the history box when page 1 is in
  // front.
  void Form_Resize();

  // The splits, in twips relative to page 1, placed and kept, so that every later re-layout (a
  // resize, a restore from the minimized state) puts them back there. Neither clamps.
  void SizeControlsV(double x);
  void SizeControlsH(double y);

  MainWindowHelp& help() { return *help_; }

 private:
  QMainWindow& window_;
  MainWindowControls& ui_;
  PageState& pages_;
  const StartOptions& start_;
  std::unique_ptr<MainWindowHelp> help_;
  std::unique_ptr<SplitterDrag> splitters_;
  std::unique_ptr<StatusBarEvents> statusBar_;
};

}  // namespace cvx
