#include "shell/HelpWindowTexts.h"

namespace cvx {

namespace {

const QString kBreak = QStringLiteral("\r\n");
const QString kBlankLine = QStringLiteral("\r\n\r\n");

}  // namespace

// Kept character for character, slips of spelling included: these texts are the window's fixed
// wording, and the tests hold them to it.
std::vector<std::pair<QString, QString>> HelpWindowTexts() {
  return {
      {QStringLiteral("Command line options:"), QString()},
      {QStringLiteral("cvx [ /tree=<tree name> ] [ /dbpath=<path> ]  [ [ /dbbuild = <context> ] "
                      "[ /autoclose ] ]  [ /? ]"),
       QString()},
      {QStringLiteral("/tree=<tree name>"),
       QStringLiteral("Used to specify the NDS tree CVX should use. All settings inluding the "
                      "history and the workstation databse are stored separately for each tree "
                      "used. After loading CVX with a different tree you may need to readjust "
                      "several settings.") +
           kBlankLine + QStringLiteral("Example:") + kBreak +
           QStringLiteral(R"(cvx /tree=NDS:\\MyTree)") + kBreak},
      {QStringLiteral("/dbpath=<path>"),
       QStringLiteral("Loads and saves the workstation databse file from and to the specified "
                      "directory.") +
           kBlankLine + QStringLiteral("Examples:") + kBreak +
           QStringLiteral(R"(cvx /dbpath=t:\cvx)") + kBreak +
           QStringLiteral(R"(cvx /dbpath=\\MyServer\vol3\cvx)") + kBreak},
      {QStringLiteral("/dbbuild=<context>"),
       QStringLiteral("(Re)Builds the workatation databse upon application startup "
                      "automatically. The NDS context to start the workstation search from "
                      "(including subcontainers) needs to be specified the following way:") +
           kBlankLine +
           QStringLiteral(
               R"(NDS:\\Tree Name\Organization\Organizational Unit\ ... \Urganizational Unit)") +
           kBlankLine + QStringLiteral("Example:") + kBreak +
           QStringLiteral("The context 'Workstation.MyContainer.MyOrganization' in the tree "
                          "'MyTree' must be passed as") +
           kBlankLine +
           QStringLiteral(R"(cvx /dbbuild=NDS:\\MyTree\MyOrganization\MyContainer\Workstation)") +
           kBreak},
      {QStringLiteral("/autoclose"),
       QStringLiteral("Used only in combination with '/dbbuild', '/autoclose' will close CVX "
                      "automatically once the workstation databse has been built.") +
           kBreak},
      {QStringLiteral("/?"), QStringLiteral("Brings up this help.") + kBreak},
  };
}

}  // namespace cvx
