#pragma once

#include <QString>
#include <string>

namespace cvx {

struct MainWindowControls;

// Status bar panels by their number, 1 the "Help" panel and 2 the status texts. A number
// without a panel is ignored on writing and reads as empty.
void SetStatusPanelText(const MainWindowControls& controls, int panel, const QString& text);
QString StatusPanelText(const MainWindowControls& controls, int panel);

// Panel 2 reads "Context: " followed by a full name.
void ShowContextStatus(const MainWindowControls& controls, const std::string& fullName);

}  // namespace cvx
