#include "shell/UsageText.h"

#include "core/ActionCatalogue.h"

namespace cvx {

std::string VersionLine() {
  return "cvx " + std::to_string(CVX_VERSION_MAJOR) + "." + std::to_string(CVX_VERSION_MINOR);
}

std::string UsageText() {
  std::string codes;
  for (const RemoteAction& a : ActionCatalogue()) {
    codes += "                        ";
    codes += a.code;
    codes += "  ";
    codes += a.buttonCaption;
    codes += '\n';
  }
  return "Usage: cvx [--tree=TREE] [--dbpath=DIR] [--dbbuild=CONTEXT [--autoclose]]\n"
         "       cvx --target=NAME [--action=CODE] [--server=SERVER] [--dry-run] [--tree=TREE]\n"
         "           [--dbpath=DIR]\n"
         "       cvx --help | --version\n"
         "Finds a user or workstation in the directory and starts a remote-management program\n"
         "on the workstation meant.\n"
         "\n"
         "Each window option is also read in its slash form, as /tree=, /dbpath=, /dbbuild=,\n"
         "/autoclose; both forms can be mixed. /? opens the help window (without a display,\n"
         "or with /autoclose, it prints this text). In slash form a Unix path follows\n"
         "/dbpath= to the end of its argument: '/dbpath=/var/lib/corvexa'.\n"
         "\n"
         "  --tree=TREE           the tree to work with, e.g. 'NDS:\\\\CORP'\n"
         "  --dbpath=DIR          the folder of the workstation database (TREE.lst);\n"
         "                        default: the program's folder\n"
         "  --dbbuild=CONTEXT     build the workstation database at start-up from the\n"
         "                        workstations below CONTEXT, e.g. 'NDS:\\\\CORP\\ACME'\n"
         "  --autoclose           with --dbbuild: close when the build is done, without a window\n"
         "  --target=NAME         act on one user or workstation without a window (no display\n"
         "                        needed); several hits are printed one a line\n"
         "  --action=CODE         with --target: the action, one of\n" +
         codes +
         "                        default: the one chosen in the settings\n"
         "  --server=SERVER       with --target: the server of the remote-management programs\n"
         "  --dry-run             with --target: print the command line instead of starting it\n"
         "  --help                print this text and exit\n"
         "  --version             print the version and exit\n"
         "\n"
         "Environment: CVX_DIRECTORY (the directory: a folder of trees or an LDAP URI; default:\n"
         "the demo directory), CVX_PREFERRED_TREE, CVX_MESSAGES=stderr, CVX_UNC_ROOT,\n"
         "CVX_EXE_RUNNER, CVX_DEMO_LOG, XDG_CONFIG_HOME.\n"
         "\n"
         "Exit status: 0 done; 1 the directory cannot be opened, no display for the window, or\n"
         "the action did not start; 2 --target found several, one is printed a line.\n"
         "\n"
         "See cvx(1) for more.\n";
}

}  // namespace cvx
