#pragma once

#include <QString>

namespace cvx {

struct MainWindowControls;

// Status bar panels by their number, 1 the "Help" panel and 2 the status texts. A number
// without a panel is ignored on writing and reads as empty.
void SetStatusPanelText(const MainWindowControls& controls, int panel, const QString& text);
QString StatusPanelText(const MainWindowControls& controls, int panel);

}  // namespace cvx
