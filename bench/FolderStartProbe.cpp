// One start of a kind, timed from outside by bench/run-folder-target-bench (whole processes, as a
// user meets them):
//   FolderStartProbe parse FILE        libldap reads and parses every record of FILE, nothing kept
//   FolderStartProbe load FOLDER TREE  the folder opened and TREE's top level listed
//   FolderStartProbe empty-window      an empty Qt window shown
//   FolderStartProbe window            the program's main window shown, as cvx starts it
//                                      (CVX_DIRECTORY names the folder)
#include <QApplication>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

// After <cstdio>: ldif.h needs FILE.
#include <ldap.h>
#include <ldif.h>

#include "actions/DataLocations.h"
#include "actions/SpawnLauncher.h"
#include "directory/DirectoryClient.h"
#include "directory/DirectoryControl.h"
#include "settings/LazySettingsStore.h"
#include "settings/SettingsStorePath.h"
#include "window/controls/Prompter.h"
#include "window/frmMain.h"

namespace {

int Parse(const char* file) {
  LDIFFP* fp = ldif_open(file, "r");
  if (!fp) return 1;
  unsigned long line = 0, records = 0;
  char* buf = nullptr;
  int len = 0;
  while (ldif_read_record(fp, &line, &buf, &len) > 0) {
    berval rbuf{std::strlen(buf), buf};
    LDIFRecord lr{};
    if (ldap_parse_ldif_record(&rbuf, line, &lr, "probe", LDIF_DEFAULT_ADD) == LDAP_SUCCESS) {
      ++records;
    }
    ldap_ldif_record_done(&lr);
  }
  ber_memfree(buf);
  ldif_close(fp);
  return records > 0 ? 0 : 1;
}

int Load(const std::string& folder, const std::string& tree) {
  auto client = cvx::OpenDirectoryClient(folder, tree);
  if (!client) {
    std::cerr << client.message() << "\n";
    return 1;
  }
  auto control = (*client)->CreateControl();
  control->SetContextPath(control->JoinTreePath(tree, ""));
  auto top = control->ContextEntries();
  if (!top) std::cerr << top.message() << "\n";
  return top && !top->empty() ? 0 : 1;
}

// Shown: the window's surface exists and is exposed (at once on the offscreen platform).
int ShowAndQuit(QWidget& w) {
  w.show();
  while (!w.windowHandle() || !w.windowHandle()->isExposed()) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  }
  QCoreApplication::processEvents();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "parse" && argc == 3) return Parse(argv[2]);
  if (mode == "load" && argc == 4) return Load(argv[2], argv[3]);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Corvexa"));
  if (mode == "empty-window") {
    QWidget w;
    return ShowAndQuit(w);
  }
  if (mode == "window") {
    const std::string programDir = QCoreApplication::applicationDirPath().toStdString();
    cvx::StderrPrompter prompter;
    cvx::frmMain::Ports ports;
    ports.directory = cvx::OpenDirectoryClientFromEnvironment(
        cvx::FindDataLocations(programDir).demoDirectory, cvx::PasswordPrompt());
    ports.prompter = &prompter;
    cvx::LazySettingsStore settings(cvx::DefaultSettingsStorePath());
    ports.settings = &settings;
    cvx::SpawnLauncher launcher(programDir);  // starts nothing: no action is run
    ports.launcher = &launcher;
    ports.programDir = programDir;
    cvx::frmMain window(std::move(ports));
    if (window.Load() != cvx::StartUpOutcome::kReady) return 1;
    return ShowAndQuit(window);
  }
  std::cerr << "usage: FolderStartProbe parse FILE | load FOLDER TREE | empty-window | window\n";
  return 2;
}
