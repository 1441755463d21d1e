#include "shell/ApplicationStart.h"
#include "core/Environment.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace cvx {

namespace {

struct HeldMessage {
  QtMsgType type;
  QByteArray category;
  QString text;
};

std::vector<HeldMessage>* held = nullptr;

std::string DisplayName() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
    if (IsEnvironmentSet(name)) return EnvironmentValue(name);
  }
  return "(none named)";
}

void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type != QtFatalMsg) {
    held->push_back({type, QByteArray(context.category), text});
    return;
  }
  // The platform's own warning says best what went wrong ("could not connect to display :9").
  std::string why;
  for (const HeldMessage& m : *held) {
    if (m.type == QtWarningMsg || m.type == QtCriticalMsg) {
      why = m.text.simplified().toStdString();
      break;
    }
  }
  if (why.empty()) why = text.simplified().toStdString();
  std::fprintf(stderr, "cvx: cannot open display %s: %s\n", DisplayName().c_str(), why.c_str());
  std::fflush(stderr);
  std::_Exit(1);
}

}  // namespace

std::unique_ptr<QApplication> OpenApplication(int& argc, char** argv) {
  std::vector<HeldMessage> messages;
  held = &messages;
  const QtMessageHandler previous = qInstallMessageHandler(HoldMessage);
  auto app = std::make_unique<QApplication>(argc, argv);
  qInstallMessageHandler(previous);
  held = nullptr;
  for (const HeldMessage& m : messages) {
    const QMessageLogContext context(nullptr, 0, nullptr, m.category.constData());
    qt_message_output(m.type, context, m.text);
  }
  return app;
}

}  // namespace cvx
