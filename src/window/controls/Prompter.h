#pragma once

#include <QString>

class QWidget;

namespace cvx {

enum class MessageIcon { kNone, kCritical };

// Every message box of the program goes through this, so tests read the exact title and text
// and nothing ever blocks on a modal box under test.
class Prompter {
 public:
  virtual ~Prompter() = default;
  // text lines are joined with CR LF, as the messages are written.
  virtual void ShowMessage(const QString& text, const QString& title, MessageIcon icon) = 0;
};

// The production prompter: a modal message box with an OK button.
class QtPrompter : public Prompter {
 public:
  explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }
  void ShowMessage(const QString& text, const QString& title, MessageIcon icon) override;

 private:
  QWidget* parent_;
};

// For scripted runs (CVX_MESSAGES=stderr): each message goes to standard error as
// "title: text" instead of a box that would wait for a person.
class StderrPrompter : public Prompter {
 public:
  void ShowMessage(const QString& text, const QString& title, MessageIcon icon) override;
};

}  // namespace cvx
