#pragma once

#include <string>

#include "target/LoginOrigin.h"

namespace cvx {

// What one feature of the window asks of another. A controller holds these instead of the
// controller behind them, so each can be built and tested with a stand-in.

// The attribute view (lvwNDSinfo).
class AttributeView {
 public:
  virtual ~AttributeView() = default;
  // Lists the checked attributes of the object; the error number of a failed look-up, else 0.
  virtual int ShowAttributes(const std::string& object) = 0;
  virtual void ClearAttributes() = 0;
};

// The launch path: from a target to a started program, or to the list of its logins.
class TargetActions {
 public:
  virtual ~TargetActions() = default;
  // action: a catalogue code or an own action's name, passed down rather than read from the
  // default, so that a menu entry's action can never be swapped by another event meanwhile.
  virtual void RunRemoteAction(const std::string& fullName, const std::string& action,
                               const LoginOrigin& login = {}) = 0;
  virtual bool BuildAndLaunch(const std::string& workstationFullName, const std::string& action,
                              const LoginOrigin& login = {}) = 0;
  // Lists the workstations of the user's logins; the error number of its look-up, else 0.
  virtual int CheckLogin(const std::string& fullName) = 0;
};

// The history box: records a target that was acted on.
class HistoryRecorder {
 public:
  virtual ~HistoryRecorder() = default;
  virtual void AddHistory(const std::string& key, const std::string& name,
                          const std::string& className) = 0;
};

// What a picker hands its pick to: the attribute view shows it, the launch path acts on it.
struct TargetLinks {
  AttributeView& attributes;
  TargetActions& actions;
};

}  // namespace cvx
