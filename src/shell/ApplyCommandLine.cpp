#include "shell/ApplyCommandLine.h"

#include <iostream>

#include "core/CommandLine.h"
#include "window/database/DatabaseBuild.h"
#include "window/frmMain.h"

namespace cvx {

void ParseCommandLine(frmMain& w) {
  MainState& s = w.state();
  DirectoryControls& d = w.dir();
  const CommandLineOptions o = ParseProgramArguments(w.ports().arguments);
  s.CmdLineTree = o.cmdLineTree;
  if (!o.dbPath.empty()) s.DBPath = o.dbPath;
  s.DBBuildContext = o.dbBuildContext;
  s.AutoClose = o.autoClose;
  s.ShowHelp = o.showHelp;

  if (!s.CmdLineTree.empty()) {
    for (auto* c : {&d.NWDirRCTree, &d.NWDirUser, &d.NWDirWS, &d.NWDirWSdb, &d.NWDirWSAddress}) {
      (*c)->SetContextPath(s.CmdLineTree);
    }
    // The directory decides what an unknown tree means; say it plainly for the administrator.
    if (d.NWDirRCTree->ContextEntry().error() == kDirNoSuchObject) {
      std::cerr << "cvx: " << s.CmdLineTree << " is not in the directory\n";
    }
  }
  s.TreeName = d.NWDirRCTree->TreeNameOf(d.NWDirRCTree->ContextPath());

  if (!s.DBBuildContext.empty()) makeDB(w, s.DBBuildContext);
}

}  // namespace cvx
