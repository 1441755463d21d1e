#pragma once

#include <QString>

#include <array>
#include <string>

class QLabel;
class QObject;

namespace cvx {

struct MainWindowControls;

// Status bar panels by their number, 1 the "Help" panel and 2 the status texts. A number
// without a panel is ignored on writing and reads as empty.
void SetStatusPanelText(const MainWindowControls& controls, int panel, const QString& text);
QString StatusPanelText(const MainWindowControls& controls, int panel);

// Tells assistive technology at once that source (its child, for an entry of a list) holds the
// result of the request.
void AnnounceResult(QObject* source, int child = -1);

// Panel 2 of the status bar as a handler uses it, without the rest of the window.
class StatusLine {
 public:
  explicit StatusLine(const std::array<QLabel*, 3>& panels) : panels_(panels) {}
  void Set(const QString& text) const;
  void Clear() const { Set(QString()); }
  // For a text that reports the result of a request ("Found: ...", a failed search):
  // assistive technology is told at once, since the person did not ask to read the status bar.
  void Announce(const QString& text) const;
  QString Text() const;
  // "Context: " followed by a full name.
  void ShowContext(const std::string& fullName) const;

 private:
  std::array<QLabel*, 3> panels_;
};

}  // namespace cvx
