#include "window/controls/StatusPanels.h"

#include <QAccessible>
#include <QLabel>

#include "window/controls/MainWindowControls.h"

namespace cvx {

namespace {

QLabel* Panel(const std::array<QLabel*, 3>& panels, int panel) {
  if (panel < 1 || panel >= static_cast<int>(panels.size())) return nullptr;
  return panels[static_cast<std::size_t>(panel)];
}

QLabel* Panel(const MainWindowControls& controls, int panel) {
  return Panel(controls.StatusPanel, panel);
}
}  // namespace

void SetStatusPanelText(const MainWindowControls& controls, int panel, const QString& text) {
  if (QLabel* label = Panel(controls, panel)) label->setText(text);
}

QString StatusPanelText(const MainWindowControls& controls, int panel) {
  const QLabel* label = Panel(controls, panel);
  return label ? label->text() : QString();
}

void AnnounceResult(QObject* source, int child) {
  QAccessibleEvent alert(source, QAccessible::Alert);
  if (child >= 0) alert.setChild(child);
  QAccessible::updateAccessibility(&alert);
}

void StatusLine::Set(const QString& text) const {
  if (QLabel* label = Panel(panels_, 2)) label->setText(text);
}

void StatusLine::Announce(const QString& text) const {
  Set(text);
  // The label's own name change reaches assistive technology as well, but a screen reader reads
  // that out only for the object with the focus.
  if (QLabel* label = Panel(panels_, 2); label && !text.isEmpty()) AnnounceResult(label);
}

QString StatusLine::Text() const {
  const QLabel* label = Panel(panels_, 2);
  return label ? label->text() : QString();
}

void StatusLine::ShowContext(const std::string& fullName) const {
  Set(QStringLiteral("Context: ") + QString::fromStdString(fullName));
}

}  // namespace cvx
