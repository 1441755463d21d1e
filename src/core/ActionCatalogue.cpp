#include "core/ActionCatalogue.h"

#include <array>

namespace cvx {

namespace {

constexpr std::string_view kViewer = "wviewnt.exe -w";
constexpr std::string_view kDesktop = "desktop.exe -w";

constexpr std::array<RemoteAction, 8> kCatalogue{{
    {"RC", "mnuRC", "mnuDefRC", "Remote Control", kViewer, "Remote Control"},
    {"RV", "mnuRV", "mnuDefRV", "Remote View", kViewer, "Remote View"},
    {"RE", "mnuRe", "mnuDefRE", "Remote Execute", kDesktop, "Remote Execute"},
    {"RF", "mnuFT", "mnuDefFileTransfer", "File Transfer", kDesktop, "File Transfer"},
    {"CH", "mnuCH", "mnuDefCH", "Chat", kDesktop, "Chat"},
    {"RD", "mnuRD", "mnuDefDiag", "Diagnostics", kDesktop, "Diagnostics"},
    {"RI", "mnuRI", "mnuDefInventory", "Inventory", kDesktop, "Inventory", true},
    {"RP", "mnuRP", "mnuDefPing", "Ping RM Agent", kDesktop, "Ping"},
}};

}  // namespace

std::span<const RemoteAction> ActionCatalogue() {
  return kCatalogue;
}

const RemoteAction* FindAction(std::string_view code) {
  for (const auto& action : kCatalogue) {
    if (action.code == code) return &action;
  }
  return nullptr;
}

std::string_view ProgramFileName(const RemoteAction& action) {
  return action.programLiteral.substr(0, action.programLiteral.find(' '));
}

}  // namespace cvx
