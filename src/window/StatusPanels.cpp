#include "window/StatusPanels.h"

#include <QLabel>

#include "window/MainWindowControls.h"

namespace cvx {

namespace {
QLabel* Panel(const MainWindowControls& controls, int panel) {
  if (panel < 1 || panel >= static_cast<int>(controls.StatusPanel.size())) return nullptr;
  return controls.StatusPanel[static_cast<std::size_t>(panel)];
}
}  // namespace

void SetStatusPanelText(const MainWindowControls& controls, int panel, const QString& text) {
  if (QLabel* label = Panel(controls, panel)) label->setText(text);
}

QString StatusPanelText(const MainWindowControls& controls, int panel) {
  const QLabel* label = Panel(controls, panel);
  return label ? label->text() : QString();
}

void ShowContextStatus(const MainWindowControls& controls, const std::string& fullName) {
  SetStatusPanelText(controls, 2, QStringLiteral("Context: ") + QString::fromStdString(fullName));
}

}  // namespace cvx
