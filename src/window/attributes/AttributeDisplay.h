#pragma once

#include <QObject>
#include <array>
#include <string>
#include <vector>

#include "window/FeatureLinks.h"
#include "window/controls/StatusPanels.h"

class QComboBox;
class QListWidget;
class QTreeWidget;

namespace cvx {

struct DirectoryControls;
struct MainWindowControls;

// The attribute view lvwNDSinfo and the two attribute pickers of the "NDS Attributes" settings
// frame, 0 for users and 1 for workstations.
class AttributeDisplay : public QObject, public AttributeView {
  Q_OBJECT

 public:
  struct Controls {
    QTreeWidget* lvwNDSinfo = nullptr;
    QComboBox* cmbNDSInfoLayout = nullptr;
    std::array<QListWidget*, 2> lstNDSInfoSelect{};
    StatusLine status;
  };
  // dir: NWDirUser reads the schema, NWDirRCTree the attributes (both made by start-up).
  AttributeDisplay(Controls controls, const DirectoryControls& dir);

  // Fills both pickers, unchecked, from the schema's "user" and "workstation" layouts in the
  // schema's order. A layout the schema lacks leaves its picker empty. Returns the error number
  // when the schema cannot be read, else 0.
  int BuildNDSLayoutList();

  // Lists the attributes checked in the picker of the object's class, one row per value. A
  // look-up that fails leaves the view empty and says so in status panel 2; the error number is
  // returned (0 when found) for the caller to know, never to end on.
  int getNDSinfo(const std::string& NDSObject);

  int ShowAttributes(const std::string& object) override { return getNDSinfo(object); }
  void ClearAttributes() override;

  // Shows the user picker when cmbNDSInfoLayout reads "User", the workstation picker otherwise.
  void cmbNDSInfoLayout_Click();

 private:
  Controls c_;
  const DirectoryControls& dir_;
};

// The names checked in picker 0 (user) or 1 (workstation), in picker order; and checking exactly
// the given names (names the picker does not offer are passed over). For the settings store.
std::vector<std::string> CheckedAttributes(const MainWindowControls& ui, int picker);
void SetCheckedAttributes(MainWindowControls& ui, int picker,
                          const std::vector<std::string>& names);

}  // namespace cvx
