#pragma once

#include <string>

namespace cvx {

// The staging files of database builds in progress, removed when the process is ended by
// SIGINT, SIGTERM or SIGHUP: the handler unlinks them, puts back the handling that was there
// before and raises the signal again, so the process ends as it would have. A signal the process
// ignores (nohup) stays ignored. Handlers are in place only while a file is registered.
void RegisterStagingFile(const std::string& path);
void UnregisterStagingFile(const std::string& path);

// The name of a staging file of DBPath/TREE.lst: "TREE.lst.<pid>-<n>.new" beside it.
std::string StagingFileName(const std::string& databaseFile, long pid, int n);

// Removes staging files of `databaseFile` left by processes that are gone (killed with SIGKILL,
// or a machine that went down); those of running processes stay.
void RemoveStaleStagingFiles(const std::string& databaseFile);

}  // namespace cvx
