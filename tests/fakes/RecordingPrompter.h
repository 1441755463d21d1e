#pragma once

#include <QString>
#include <vector>

#include "window/controls/Prompter.h"

namespace cvx {

// Remembers every message instead of showing it.
class RecordingPrompter : public Prompter {
 public:
  struct Message {
    QString text;
    QString title;
    MessageIcon icon;
  };

  void ShowMessage(const QString& text, const QString& title, MessageIcon icon) override {
    messages.push_back(Message{text, title, icon});
  }

  std::vector<Message> messages;
};

}  // namespace cvx
